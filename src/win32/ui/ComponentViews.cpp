#include "win32/ui/ComponentViews.h"

#include "win32/base/WideText.h"
#include "win32/gdi/Screen.h"

namespace zerbo::win32 {

namespace {

// The window-text system colour, with 0xFF in the top byte as system colours carry.
constexpr int32_t kWindowText = static_cast<int32_t>(0xFF000000u | COLOR_WINDOWTEXT);

void fillBox(HWND hwnd, UINT reset, UINT add, const std::vector<std::u16string>& items) {
    SendMessageW(hwnd, reset, 0, 0);
    for (const auto& item : items) SendMessageW(hwnd, add, 0, reinterpret_cast<LPARAM>(wide(item)));
}

} // namespace

// Window -----------------------------------------------------------------------------

TWindowPlacement TWinIniForm::GetPlacement() {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    GetWindowPlacement(hwnd_, &wp);
    TWindowPlacement p;
    p.length = wp.length;
    p.flags = wp.flags;
    p.showCmd = wp.showCmd;
    p.ptMinPosition = {wp.ptMinPosition.x, wp.ptMinPosition.y};
    p.ptMaxPosition = {wp.ptMaxPosition.x, wp.ptMaxPosition.y};
    p.rcNormalPosition = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                          wp.rcNormalPosition.bottom};
    return p;
}

void TWinIniForm::SetPlacement(const TWindowPlacement& p) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    wp.flags = p.flags;
    wp.showCmd = p.showCmd;
    wp.ptMinPosition = {p.ptMinPosition.x, p.ptMinPosition.y};
    wp.ptMaxPosition = {p.ptMaxPosition.x, p.ptMaxPosition.y};
    wp.rcNormalPosition = {p.rcNormalPosition.left, p.rcNormalPosition.top, p.rcNormalPosition.right,
                           p.rcNormalPosition.bottom};
    SetWindowPlacement(hwnd_, &wp);
}

RECT TWinIniForm::rect() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return r;
}

void TWinIniForm::move(int x, int y, int w, int h) {
    SetWindowPos(hwnd_, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

int32_t TWinIniForm::Left() { return rect().left; }
int32_t TWinIniForm::Top() { return rect().top; }
int32_t TWinIniForm::Width() { return rect().right - rect().left; }
int32_t TWinIniForm::Height() { return rect().bottom - rect().top; }
void TWinIniForm::SetLeft(int32_t v) { move(v, Top(), Width(), Height()); }
void TWinIniForm::SetTop(int32_t v) { move(Left(), v, Width(), Height()); }
void TWinIniForm::SetWidth(int32_t v) { move(Left(), Top(), v, Height()); }
void TWinIniForm::SetHeight(int32_t v) { move(Left(), Top(), Width(), v); }

// Font -------------------------------------------------------------------------------

TWinFont::TWinFont() : color_(kWindowText), pixelsPerInch_(ScreenPixelsPerInch()) {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf_, &lf_);
}

TWinFont::TWinFont(const LOGFONTW& logFont, int32_t color, int pixelsPerInch)
    : lf_(logFont), color_(color), pixelsPerInch_(pixelsPerInch > 0 ? pixelsPerInch : 96) {}

std::u16string TWinFont::Name() const {
    const auto* name = reinterpret_cast<const char16_t*>(lf_.lfFaceName);
    return std::u16string(name, std::char_traits<char16_t>::length(name));
}

void TWinFont::SetName(const std::u16string& value) {
    // LOGFONT holds 31 characters and the terminator.
    const size_t n = value.size() < LF_FACESIZE ? value.size() : LF_FACESIZE - 1;
    std::fill(std::begin(lf_.lfFaceName), std::end(lf_.lfFaceName), L'\0');
    std::copy(value.begin(), value.begin() + static_cast<std::ptrdiff_t>(n), lf_.lfFaceName);
}

int32_t TWinFont::Size() const { return -MulDiv(lf_.lfHeight, 72, pixelsPerInch_); }
void TWinFont::SetSize(int32_t value) { lf_.lfHeight = -MulDiv(value, pixelsPerInch_, 72); }

uint8_t TWinFont::Style() const {
    return static_cast<uint8_t>((lf_.lfWeight >= FW_BOLD ? fsBold : 0) | (lf_.lfItalic ? fsItalic : 0) |
                                (lf_.lfUnderline ? fsUnderline : 0) | (lf_.lfStrikeOut ? fsStrikeOut : 0));
}

void TWinFont::SetStyle(uint8_t value) {
    lf_.lfWeight = value & fsBold ? FW_BOLD : FW_NORMAL;
    lf_.lfItalic = value & fsItalic ? TRUE : FALSE;
    lf_.lfUnderline = value & fsUnderline ? TRUE : FALSE;
    lf_.lfStrikeOut = value & fsStrikeOut ? TRUE : FALSE;
}

std::unique_ptr<IIniFont> TWinFont::CreateFresh() const { return std::make_unique<TWinFont>(); }

void TWinFont::Assign(const IIniFont& source) {
    if (const auto* font = dynamic_cast<const TWinFont*>(&source)) {
        *this = *font;
        return;
    }
    // Another kind of font brings only what the interface knows.
    SetName(source.Name());
    SetSize(source.Size());
    SetStyle(source.Style());
    SetColor(source.Color());
}

// History boxes ----------------------------------------------------------------------

void TWinHistoryComboBox::SetItems(const std::vector<std::u16string>& items) {
    fillBox(hwnd_, CB_RESETCONTENT, CB_ADDSTRING, items);
}

void TWinHistoryComboBox::SetText(const std::u16string& text) { SetWindowTextW(hwnd_, wide(text)); }

void TWinHistoryListBox::SetItems(const std::vector<std::u16string>& items) {
    fillBox(hwnd_, LB_RESETCONTENT, LB_ADDSTRING, items);
}

} // namespace zerbo::win32
