#include "components/HistoryEx.h"

#include <algorithm>

#include "components/IniFile.h"
#include "components/IniGT.h"
#include "core/Convert.h"
#include "core/Path.h"

namespace zerbo {

namespace {

const std::u16string kHistorySection = u"History";
const std::u16string kCountKey = u"Count";
const std::u16string kEmptyEntry = u"NIL";

} // namespace

THistoryEx::THistoryEx(IComponentPlatform& platform, IRegistry* registry, std::u16string name)
    : Name(std::move(name)), platform_(platform), registry_(registry) {
    const std::u16string program = platform.ProgramFileName();
    if (platform.MajorVersion() >= 6) {
        const char16_t sep = platform.PathSeparator();
        const std::u16string folder = platform.AppDataFolder() + sep + u"Zerbo" + sep;
        FFileName = folder + ChangeFileExt(platform.PathDelimiters(), ExtractFileName(platform.PathDelimiters(), program), u".ini");
        platform.CreateFolders(folder);
    } else {
        FFileName = ChangeFileExt(platform.PathDelimiters(), program, u".ini");
    }
}

void THistoryEx::showInBoxes() {
    if (FComboBox) {
        FComboBox->SetItems(FHistory);
        if (!FHistory.empty()) FComboBox->SetText(FHistory[0]);
    }
    if (FListBox) FListBox->SetItems(FHistory);
}

void THistoryEx::Append(const std::u16string& Fname) {
    if (FCount < 0) FCount = 0;
    FHistory.erase(std::remove(FHistory.begin(), FHistory.end(), Fname), FHistory.end());
    // One entry goes per call, so a list that was longer than Max before stays longer.
    if (static_cast<int64_t>(FHistory.size()) >= FMax && !FHistory.empty()) FHistory.pop_back();
    FHistory.insert(FHistory.begin(), Fname);
    FCount = static_cast<int32_t>(FHistory.size());
    showInBoxes();
}

void THistoryEx::AppendAll(const std::vector<std::u16string>& Fnames) {
    if (Fnames.empty()) return;
    const size_t m = std::min(Fnames.size(), static_cast<size_t>(FMax));
    FHistory.assign(Fnames.begin(), Fnames.begin() + static_cast<std::ptrdiff_t>(m));
    FCount = static_cast<int32_t>(m);
    showInBoxes();
}

void THistoryEx::AppendFromIni() {
    const TIniFile ini(platform_, FFileName);
    const int32_t n = ini.ReadInteger(kHistorySection, kCountKey, -1);
    FCount = n;
    // From the highest index down, each on top: entry "0" ends at the top.
    for (int32_t i = n - 1; i >= 0; --i) {
        const std::u16string s = ini.ReadString(Name, IntToStr(i), kEmptyEntry);
        if (s != kEmptyEntry) Append(s);
    }
}

void THistoryEx::SaveToIni() {
    if (platform_.FileExists(FFileName) && platform_.IsReadOnly(FFileName)) return;
    TIniFile ini(platform_, FFileName);
    for (size_t i = 0; i < FHistory.size(); ++i) {
        // What the file can hold of the entry (up to a line break), so that every entry is
        // written and Count always tells the entries of this save. The quotes keep blanks at
        // either end; the store removes them again on reading.
        const std::u16string entry(TIniFile::StoredPart(FHistory[i]));
        ini.WriteString(Name, IntToStr(static_cast<int32_t>(i)), entry.empty() ? kEmptyEntry : u"\"" + entry + u"\"");
    }
    ini.WriteInteger(kHistorySection, kCountKey, FCount);
}

void THistoryEx::LoadFromReg(const std::u16string& Key) {
    if (Key.empty() || !registry_) return;
    const auto key = registry_->OpenKey(Key);
    if (!key) return;
    const int32_t n = RegReadInteger(*key, kCountKey);
    FCount = n;
    for (int32_t i = n - 1; i >= 0; --i) {
        try {
            const std::u16string s = RegReadString(*key, IntToStr(i));
            if (!s.empty()) Append(s);
        } catch (const Exception&) {
            // One unreadable entry does not cost the others.
        }
    }
}

void THistoryEx::SaveToReg(const std::u16string& Key) {
    if (Key.empty() || !registry_) return;
    const auto key = registry_->OpenKey(Key);
    if (!key) return;
    for (size_t i = 0; i < FHistory.size(); ++i)
        if (!FHistory[i].empty()) key->WriteString(IntToStr(static_cast<int32_t>(i)), FHistory[i]);
    if (!key->WriteInteger(kCountKey, FCount))
        throw ERegistryException(FormatText(u"'%s' の設定に失敗しました", kCountKey));
}

void THistoryEx::Clear() {
    FHistory.clear();
    FCount = -1;
}

} // namespace zerbo
