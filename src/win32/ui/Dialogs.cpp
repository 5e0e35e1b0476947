#include "win32/ui/Dialogs.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "win32/base/WideText.h"
#include "win32/gdi/GdiCanvas.h"
#include "win32/ui/ModalForm.h"

namespace zerbo::win32 {

namespace {

constexpr wchar_t kCaption[] = L"Zerbo";

} // namespace

void ShowErrorBox(HWND owner, const std::u16string& message) {
    const HWND shown = owner && IsWindowVisible(owner) ? owner : nullptr;
    MessageBoxW(shown, wide(message), kCaption, MB_OK | MB_ICONERROR | (shown ? 0 : MB_TASKMODAL));
}

void TWinDialogs::ShowError(const std::u16string& message) {
    ShowErrorBox(owner_, message);
    errorShown_ = true;
}

bool TWinDialogs::MessageDlg(const std::u16string& text, const std::u16string& caption, app::TMsgButtons buttons,
                             app::TMsgIcon icon) {
    const UINT iconFlag = icon == app::TMsgIcon::Information ? MB_ICONINFORMATION
                          : icon == app::TMsgIcon::Warning   ? MB_ICONWARNING
                                                             : MB_ICONERROR;
    const UINT buttonFlag = buttons == app::TMsgButtons::YesNo          ? MB_YESNO
                            : buttons == app::TMsgButtons::YesNoDefaultNo ? MB_YESNO | MB_DEFBUTTON2
                                                                          : MB_OK;
    const HWND shown = owner_ && IsWindowVisible(owner_) ? owner_ : nullptr;
    const int answer = MessageBoxW(shown, wide(text), wide(caption), buttonFlag | iconFlag | (shown ? 0 : MB_TASKMODAL));
    return answer == IDOK || answer == IDYES;
}

int32_t TWinDialogs::ShowModal(TForm& form) {
    return ShowModalForm(owner_, form, [this](const std::u16string& m) { ShowError(m); });
}

bool TWinDialogs::ExecuteFontDialog(gfx::TFont& font) {
    LOGFONTW lf = LogFontOf(font);
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = owner_;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
    cf.rgbColors = ColorRefOf(font.Color);
    if (!ChooseFontW(&cf)) return false;
    font.Name = fromWide(lf.lfFaceName);
    font.Height = lf.lfHeight;
    font.Style = static_cast<gfx::TFontStyles>((lf.lfWeight >= FW_BOLD ? gfx::fsBold : 0) |
                                               (lf.lfItalic ? gfx::fsItalic : 0) |
                                               (lf.lfUnderline ? gfx::fsUnderline : 0) |
                                               (lf.lfStrikeOut ? gfx::fsStrikeOut : 0));
    font.Charset = lf.lfCharSet;
    font.Color = cf.rgbColors & 0xFFFFFF;
    return true;
}

bool TWinDialogs::ExecuteColorDialog(TColor& color) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner_;
    cc.rgbResult = ColorRefOf(color);
    cc.lpCustColors = customColors_;
    cc.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return false;
    color = cc.rgbResult & 0xFFFFFF;
    return true;
}

bool TWinDialogs::ExecuteSaveDialog(const app::TSaveDialogOptions& options, std::u16string& fileName) {
    // "caption|pattern|..." becomes the dialog's list of zero-terminated strings.
    std::wstring filter(options.Filter.begin(), options.Filter.end());
    for (auto& c : filter)
        if (c == L'|') c = L'\0';
    filter.append(2, L'\0');
    // Room for the longest path the file functions take.
    std::vector<wchar_t> name(32768, L'\0');
    std::copy_n(fileName.begin(), std::min(fileName.size(), name.size() - 1), name.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner_;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = static_cast<DWORD>(name.size());
    ofn.lpstrTitle = wide(options.Title);
    ofn.lpstrDefExt = options.DefaultExt.empty() ? nullptr : wide(options.DefaultExt);
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&ofn)) return false;
    fileName = fromWide(name.data());
    return true;
}

} // namespace zerbo::win32
