#pragma once
// The main window on Windows: the real window, controls and menus over TZerboCode, and the
// platform services the window's logic asks for.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/ZerboCode.h"
#include "app/ZerboPlatform.h"
#include "win32/base/ComponentPlatform.h"
#include "win32/ui/ControlViews.h"
#include "win32/ipc/WinClipboard.h"
#include "win32/base/WindowHandles.h"

namespace zerbo::win32 {

// The main window's class name; other programs find the running instance by it.
inline constexpr wchar_t kMainWindowClass[] = L"TZerboCode";
inline constexpr wchar_t kMainWindowCaption[] = L"Zerbo";
inline constexpr int kClientWidth = 351;
inline constexpr int kClientHeight = 361;

// The top-level window of the program: fixed single border, system menu and minimise box.
class MainWindow : public app::IZerboPlatform, private IChangeObserver {
public:
    // Creates the window and its controls and loads the settings; `args` are the program's
    // arguments.
    MainWindow(HINSTANCE instance, const std::vector<std::u16string>& args);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow() override;

    HWND handle() const { return hwnd_; }
    void show(int showCommand);
    app::TZerboCode& code() { return *code_; }
    // For the message loop: the menu shortcuts of the window.
    bool translateAccelerator(MSG& msg);

    // IZerboPlatform
    IComponentPlatform& Components() override { return files_; }
    const gfx::TGraphicFactory& Graphics() override;
    gfx::IClipboard& Clipboard() override { return *clipboard_; }
    std::unique_ptr<IClipboardChain> CreateClipboardChain() override;
    void ShowError(const std::u16string& message) override;
    void ProcessMessages() override;
    void Sleep(int32_t milliseconds) override;
    uint32_t TickCount() override;
    std::u16string UpperCase(const std::u16string& text) override;
    int ScreenPixelsPerInch() override;
    IIniForm& Form() override;
    void SetFormHeight(int32_t height) override;
    void SetStayOnTop(bool value) override;
    void Close() override;
    void MinimizeApplication() override;
    bool ExecuteFontDialog(gfx::TFont& font) override;
    bool ExecuteColorDialog(TColor& color) override;
    bool ExecuteSaveDialog(const app::TSaveDialogOptions& options, std::u16string& fileName) override;
    void ShellOpen(const std::u16string& fileName) override;
    void HelpContents(const std::u16string& helpFile) override;

private:
    class PlacementForm;

    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK scrollBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handleScrollBox(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void Changed(TComponent& component, TChange what) override;
    template <typename Body>
    void guarded(Body&& body);
    void createScrollBox();
    void paintPicture(HDC dc);
    void updateScrollBars();
    void scroll(int bar, WORD request);
    void updateSampleFont();

    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    TWin32ComponentPlatform files_;
    std::unique_ptr<TWinClipboard> clipboard_;
    std::unique_ptr<PlacementForm> form_;
    std::unique_ptr<app::TZerboCode> code_;
    std::unique_ptr<TControlViews> views_;
    std::unique_ptr<TMenuView> menu_;
    std::unique_ptr<TMenuView> popup_;
    UniqueWindow scrollBox_;
    UniqueFont sampleFont_;
    int scrollX_ = 0;
    int scrollY_ = 0;
    // After the error display closes, the window's reactivation does not regenerate: the
    // same error would come straight back.
    bool skipActivate_ = false;
    bool created_ = false;
    // "/S" before the window was first shown: it is shown minimised.
    bool startMinimized_ = false;
};

} // namespace zerbo::win32
