#pragma once
// Driving Zerbo.exe from another program, as users, batch files and other programs do:
// its controls by identifier and message, its menu commands, the clipboard, the list of
// files that zbar_files.sh decodes afterwards, and waits that end as soon as their
// condition holds.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

namespace zerbo::test {

// Control identifiers: 1000 plus the control's place in the main window's layout.
enum : int {
    idMode = 1002,
    idSpeedButton1 = 1003,
    idCopyBtn = 1004,
    idViewB3 = 1007,
    idEditCode = 1008,
    idCdType = 1012,
    idThinWd = 1014,
    idBoxDraw = 1015,
    idCDpanel = 1016,
    idCHB1 = 1017,
    idEdit2 = 1019,
    idEdit3 = 1021,
    idQRPanel = 1022,
    idQRVer = 1024,
    idAddCodeChar = 1030,
    idButton2 = 1033,
    idComnt = 1035,
    idComntPos = 1037,
    idComntAl = 1038,
    idBarHeight = 1041,
    idLeftMargin = 1043,
    idTopMargin = 1045,
    idStatusBar1 = 1046,
};

// Menu commands are numbered from 0x4000 in menu order, separators and sub-menus left
// out: the main menu first, then the notification icon's pop-up menu.
enum : UINT {
    idN10 = 0x4000,
    idN16 = idN10 + 2,
    idAutoCopy = idN10 + 10,
    idCBW = idN10 + 13,
    idN7 = idN10 + 19,
    idOpen1 = idN10 + 25,
    idClose2 = idN10 + 26,
};

// The message the notification icon sends the main window (the icon's own events).
inline constexpr UINT kNotifyIconMessage = WM_APP + 1;

// The control with that identifier (and class, when given) below a window.
HWND control(HWND top, int id, const wchar_t* className = nullptr);
// By message: GetWindowTextW does not ask controls of another process.
std::wstring text(HWND h);
// The user picks a list entry: the list changes and tells its parent.
void select(HWND combo, int index);
void menuCommand(HWND hwnd, UINT id);
bool contains(const std::wstring& text, const std::wstring& part);

// Real key presses of a chord (pressed in order, released in reverse), as the system's input
// queue gives them to the foreground window.
void keys(std::initializer_list<WORD> chord);
// Zerbo's error box: its text, then OK as a user would press it.
std::wstring dismissError();
// In the platform's printer set-up dialog, open in any process: picks the printer of that name
// and presses OK. False when no such dialog came within the time.
bool choosePrinter(const std::wstring& name, DWORD timeoutMs = 30000);

// Polls until the condition holds or the time is up; answers the condition's last value.
bool waitFor(const std::function<bool()>& condition, DWORD timeoutMs = 30000);
// Whether the window's thread handles messages within the time.
bool answers(HWND hwnd, DWORD timeoutMs = 5000);

// The clipboard as another program uses it.
void emptyClipboard();
void putClipboardText(const std::wstring& text);
std::wstring clipboardText();
bool clipboardHas(UINT format);
// The clipboard's bitmap as a BMP file.
bool saveClipboardBitmap(const std::wstring& path);

// A file of the folder zbar_files.sh decodes (the test's second argument), and the line that
// tells it what the file must decode to.
class ZbarList {
public:
    // A fresh list in the folder: its options line for zbarimg, then no file yet.
    bool create(const std::wstring& folder, const std::string& zbarOptions = {});
    const std::wstring& folder() const { return folder_; }
    std::wstring file(const wchar_t* name) const { return folder_ + L"\\" + name; }
    void expect(const std::wstring& name, const std::string& decoded) const;

private:
    std::wstring folder_;
};

void writeFile(const std::wstring& path, const std::string& bytes);
uint32_t dword(const std::string& bytes, size_t at);

} // namespace zerbo::test
