#pragma once
// The Win32 side of the support components: files with crash-safe replacement, the
// system folders and version, code page 932, the window and font of TIniGT, the
// registry of the current user and the boxes of the history list.
#include <windows.h>

#include <memory>

#include "components/HistoryEx.h"
#include "components/IniGT.h"
#include "components/Platform.h"
#include "components/Registry.h"

namespace zerbo::win32 {

class TWin32ComponentPlatform : public IComponentPlatform {
public:
    ReadResult ReadFile(const std::u16string& path, std::string& bytes) override;
    bool ReplaceFile(const std::u16string& path, std::string_view bytes) override;
    bool FileExists(const std::u16string& path) override;
    bool IsReadOnly(const std::u16string& path) override;
    bool SetArchiveOnly(const std::u16string& path) override;
    bool CreateFolders(const std::u16string& path) override;
    std::u16string_view PathDelimiters() override { return u"\\:"; }
    char16_t PathSeparator() override { return u'\\'; }
    std::u16string ProgramFileName() override;
    std::u16string WindowsFolder() override;
    std::u16string AppDataFolder() override;
    int MajorVersion() override;
    std::optional<std::u16string> DecodeCp932(std::string_view bytes) override;
    std::optional<std::string> EncodeCp932(std::u16string_view text) override;
};

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

// The current user's part of the registry.
class TWinRegistry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(const std::u16string& path) override;
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
