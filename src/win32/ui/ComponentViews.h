#pragma once
// The Win32 side of the support components' views: the window and font of TIniGT and the
// boxes of the history list.
#include <windows.h>

#include <memory>

#include "components/HistoryEx.h"
#include "components/IniGT.h"

namespace zerbo::win32 {

// A top-level window as TIniGT reads and writes it.
class TWinIniForm : public IIniForm {
public:
    explicit TWinIniForm(HWND hwnd) : hwnd_(hwnd) {}
    TWindowPlacement GetPlacement() override;
    void SetPlacement(const TWindowPlacement& placement) override;
    int32_t Left() override;
    void SetLeft(int32_t value) override;
    int32_t Top() override;
    void SetTop(int32_t value) override;
    int32_t Width() override;
    void SetWidth(int32_t value) override;
    int32_t Height() override;
    void SetHeight(int32_t value) override;

private:
    RECT rect();
    void move(int x, int y, int w, int h);
    HWND hwnd_;
};

// A font as a LOGFONT and a colour; the size in points follows the screen's resolution.
class TWinFont : public IIniFont {
public:
    // The platform's default GUI font in the window-text colour.
    TWinFont();
    TWinFont(const LOGFONTW& logFont, int32_t color, int pixelsPerInch);

    const LOGFONTW& LogFont() const { return lf_; }
    int PixelsPerInch() const { return pixelsPerInch_; }

    std::u16string Name() const override;
    void SetName(const std::u16string& value) override;
    int32_t Size() const override;
    void SetSize(int32_t value) override;
    uint8_t Style() const override;
    void SetStyle(uint8_t value) override;
    int32_t Color() const override { return color_; }
    void SetColor(int32_t value) override { color_ = value; }
    std::unique_ptr<IIniFont> CreateFresh() const override;
    void Assign(const IIniFont& source) override;

private:
    LOGFONTW lf_{};
    int32_t color_ = 0;
    int pixelsPerInch_ = 96;
};

class TWinHistoryComboBox : public IHistoryComboBox {
public:
    explicit TWinHistoryComboBox(HWND hwnd) : hwnd_(hwnd) {}
    void SetItems(const std::vector<std::u16string>& items) override;
    void SetText(const std::u16string& text) override;

private:
    HWND hwnd_;
};

class TWinHistoryListBox : public IHistoryListBox {
public:
    explicit TWinHistoryListBox(HWND hwnd) : hwnd_(hwnd) {}
    void SetItems(const std::vector<std::u16string>& items) override;

private:
    HWND hwnd_;
};

} // namespace zerbo::win32
