#include "driver.h"

#include <cstring>
#include <vector>

#include "process.h"

namespace zerbo::test {

void keys(std::initializer_list<WORD> chord) {
    std::vector<INPUT> in;
    for (WORD vk : chord) in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {vk, 0, 0, 0, 0}}});
    for (auto it = chord.end(); it != chord.begin();) in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*--it, 0, KEYEVENTF_KEYUP, 0, 0}}});
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

std::wstring dismissError() {
    HWND box = Process::findWindow(L"#32770", L"Zerbo", 30000);
    if (!box) return L"(no error shown)";
    const std::wstring message = text(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return message;
}

namespace {

struct PrinterSearch {
    const std::wstring& name;
    HWND dialog, combo;
    LRESULT index;  // the printer's entry in the combo box
};

BOOL CALLBACK offersPrinter(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<PrinterSearch*>(p);
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpiW(cls, L"ComboBox") != 0) return TRUE;
    s->index = SendMessageW(h, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(s->name.c_str()));
    if (s->index == CB_ERR) return TRUE;
    s->combo = h;
    return FALSE;
}

BOOL CALLBACK isSetupDialog(HWND h, LPARAM p) {
    auto* s = reinterpret_cast<PrinterSearch*>(p);
    wchar_t cls[64];
    GetClassNameW(h, cls, 64);
    if (lstrcmpW(cls, L"#32770") != 0 || !IsWindowVisible(h)) return TRUE;
    EnumChildWindows(h, offersPrinter, p);
    if (!s->combo) return TRUE;
    s->dialog = h;
    return FALSE;
}

} // namespace

bool choosePrinter(const std::wstring& name, DWORD timeoutMs) {
    PrinterSearch s{name, nullptr, nullptr, CB_ERR};
    if (!waitFor([&] { return EnumWindows(isSetupDialog, reinterpret_cast<LPARAM>(&s)), s.dialog != nullptr; }, timeoutMs))
        return false;
    select(s.combo, static_cast<int>(s.index));
    PostMessageW(s.dialog, WM_COMMAND, IDOK, 0);
    return waitFor([&] { return !IsWindow(s.dialog); }, timeoutMs);
}

HWND control(HWND top, int id, const wchar_t* className) {
    struct Search {
        int id;
        const wchar_t* className;
        HWND found;
    } s{id, className, nullptr};
    EnumChildWindows(
        top,
        [](HWND h, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t cls[64];
            GetClassNameW(h, cls, 64);
            if (GetDlgCtrlID(h) != s->id || (s->className && lstrcmpiW(cls, s->className) != 0)) return TRUE;
            s->found = h;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::wstring text(HWND h) {
    std::wstring t(static_cast<size_t>(SendMessageW(h, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    t.resize(static_cast<size_t>(SendMessageW(h, WM_GETTEXT, t.size(), reinterpret_cast<LPARAM>(t.data()))));
    return t;
}

void select(HWND combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void menuCommand(HWND hwnd, UINT id) { SendMessageW(hwnd, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

bool contains(const std::wstring& text, const std::wstring& part) { return text.find(part) != std::wstring::npos; }

bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
}

bool answers(HWND hwnd, DWORD timeoutMs) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

namespace {

// Another program may hold the clipboard for a moment.
bool openClipboard() {
    return waitFor([] { return OpenClipboard(nullptr) != 0; }, 5000);
}

} // namespace

void emptyClipboard() {
    if (!openClipboard()) return;
    EmptyClipboard();
    CloseClipboard();
}

void putClipboardText(const std::wstring& value) {
    if (!openClipboard()) return;
    EmptyClipboard();
    const size_t bytes = (value.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), value.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);  // taken by the clipboard otherwise
    }
    CloseClipboard();
}

std::wstring clipboardText() {
    std::wstring t;
    if (!openClipboard()) return t;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* p = static_cast<const wchar_t*>(GlobalLock(h))) t = p;
        GlobalUnlock(h);
    }
    CloseClipboard();
    return t;
}

bool clipboardHas(UINT format) { return IsClipboardFormatAvailable(format) != 0; }

bool saveClipboardBitmap(const std::wstring& path) {
    if (!openClipboard()) return false;
    bool ok = false;
    if (HANDLE h = GetClipboardData(CF_DIB)) {
        const auto* info = static_cast<const BITMAPINFOHEADER*>(GlobalLock(h));
        const SIZE_T size = GlobalSize(h);
        if (info && size > sizeof *info) {
            BITMAPFILEHEADER file{};
            file.bfType = 0x4D42;
            file.bfSize = static_cast<DWORD>(sizeof file + size);
            const DWORD colors = info->biBitCount <= 8 ? (info->biClrUsed ? info->biClrUsed : 1u << info->biBitCount) : 0;
            const DWORD masks = info->biCompression == BI_BITFIELDS ? 12 : 0;
            file.bfOffBits = static_cast<DWORD>(sizeof file + info->biSize + masks + colors * 4);
            HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD n = 0;
            ok = f != INVALID_HANDLE_VALUE && WriteFile(f, &file, sizeof file, &n, nullptr) &&
                 WriteFile(f, info, static_cast<DWORD>(size), &n, nullptr);
            if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
        }
        GlobalUnlock(h);
    }
    CloseClipboard();
    return ok;
}

bool ZbarList::create(const std::wstring& folder, const std::string& zbarOptions) {
    folder_ = folder;
    CreateDirectoryW(folder_.c_str(), nullptr);
    DeleteFileW((folder_ + L"\\expected.txt").c_str());
    writeFile(folder_ + L"\\expected.txt", "options\t" + zbarOptions + "\n");
    return GetFileAttributesW((folder_ + L"\\expected.txt").c_str()) != INVALID_FILE_ATTRIBUTES;
}

void ZbarList::expect(const std::wstring& name, const std::string& decoded) const {
    HANDLE f = CreateFileW((folder_ + L"\\expected.txt").c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    const std::string line = std::string(name.begin(), name.end()) + "\t" + decoded + "\n";
    DWORD n = 0;
    WriteFile(f, line.data(), static_cast<DWORD>(line.size()), &n, nullptr);
    CloseHandle(f);
}

void writeFile(const std::wstring& path, const std::string& bytes) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD n = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(f);
}

uint32_t dword(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(b[at + i])) << (8 * i);
    return v;
}

} // namespace zerbo::test
