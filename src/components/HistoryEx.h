#pragma once
// THistoryEx: a most-recently-used list of strings, newest first, without duplicates,
// mirrored into an attached combo box and list box and kept in the settings file (or,
// on request, under a registry key).
#include <cstdint>
#include <string>
#include <vector>

#include "components/Platform.h"
#include "components/Registry.h"

namespace zerbo {

// What the history needs of the attached controls.
class IHistoryComboBox {
public:
    virtual ~IHistoryComboBox() = default;
    virtual void SetItems(const std::vector<std::u16string>& items) = 0;
    virtual void SetText(const std::u16string& text) = 0;
};

class IHistoryListBox {
public:
    virtual ~IHistoryListBox() = default;
    virtual void SetItems(const std::vector<std::u16string>& items) = 0;
};

class THistoryEx {
public:
    // The INI file is the settings file of the program: "%AppData%\Zerbo\<program>.ini"
    // (its folder created now) from major version 6 on, "<program path>.ini" before.
    THistoryEx(IComponentPlatform& platform, IRegistry* registry, std::u16string name = u"HistoryEx1");

    std::u16string Name;  // the INI section of the entries

    int32_t Max() const { return FMax; }
    // At least 1: a list that may hold nothing has no newest entry to show.
    void SetMax(int32_t value) { FMax = value < 1 ? 1 : value; }
    // Number of entries as last recorded; -1 when never filled or cleared.
    int32_t Count() const { return FCount; }
    void SetCount(int32_t value) { FCount = value; }
    const std::vector<std::u16string>& History() const { return FHistory; }
    void SetHistory(const std::vector<std::u16string>& value) { FHistory = value; }
    IHistoryComboBox* ComboBox() const { return FComboBox; }
    void SetComboBox(IHistoryComboBox* value) { FComboBox = value; }
    IHistoryListBox* ListBox() const { return FListBox; }
    void SetListBox(IHistoryListBox* value) { FListBox = value; }
    const std::u16string& FileName() const { return FFileName; }

    // Puts Fname at the top; an equal entry (case-sensitive) moves up instead of doubling.
    void Append(const std::u16string& Fname);
    // Replaces the list by the first entries of Fnames, at most Max; nothing for an empty list.
    void AppendAll(const std::vector<std::u16string>& Fnames);
    // Adds the saved entries on top of the current ones, in their saved order.
    void AppendFromIni();
    void LoadFromIni() { AppendFromIni(); }
    // Writes the entries (in double quotes, "NIL" for an empty one) and History/Count.
    // A read-only file is left alone.
    void SaveToIni();
    void LoadFromReg(const std::u16string& Key);
    void SaveToReg(const std::u16string& Key);
    // Empties the list and sets Count to -1; the attached boxes keep what they show.
    void Clear();

private:
    void showInBoxes();

    IComponentPlatform& platform_;
    IRegistry* registry_;
    int32_t FMax = 10;
    int32_t FCount = -1;
    std::vector<std::u16string> FHistory;
    IHistoryComboBox* FComboBox = nullptr;
    IHistoryListBox* FListBox = nullptr;
    std::u16string FFileName;
};

} // namespace zerbo
