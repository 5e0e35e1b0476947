#pragma once
// What the main window's logic needs from the platform, one small interface per service.
// The Win32 build passes the real window, dialogs, shell and clipboard; native tests pass
// the fakes of tests/unit/app. A new feature that needs the platform adds an interface of
// its own here rather than growing one of these.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "components/ClipboardWatcher.h"
#include "components/Controls.h"
#include "components/IniGT.h"
#include "components/Platform.h"
#include "components/VersionInfo.h"
#include "core/Color.h"
#include "gfx/Bitmap.h"
#include "gfx/Clipboard.h"
#include "gfx/Font.h"
#include "gfx/Picture.h"

namespace zerbo::app {

// The application around the window: its message loop, its clock and the locale's rules.
class IApplication {
public:
    virtual ~IApplication() = default;
    // Handles the window messages that are waiting, then returns.
    virtual void ProcessMessages() = 0;
    // Blocks the thread; no messages are handled meanwhile.
    virtual void Sleep(int32_t milliseconds) = 0;
    // Milliseconds of a clock that only moves forward (it may wrap).
    virtual uint32_t TickCount() = 0;
    // Upper case by the user's locale rules, as options and commands are matched.
    virtual std::u16string UpperCase(const std::u16string& text) = 0;
};

// The main window itself.
class IMainForm {
public:
    virtual ~IMainForm() = default;
    // Its placement, as the settings file keeps it.
    virtual IIniForm& Placement() = 0;
    // Of the screen the window is on, for fonts given in points.
    virtual int ScreenPixelsPerInch() = 0;
    // The outer height, as the view modes set it.
    virtual void SetHeight(int32_t height) = 0;
    virtual void SetStayOnTop(bool value) = 0;
    // A close request, which runs the window's close query.
    virtual void Close() = 0;
    // Minimises the window; before it is first shown, it then starts minimised.
    virtual void Minimize() = 0;
    // Makes the window visible, active and the foreground window.
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Whether the message loop shows the window when it starts (the application's
    // show-main-window flag, which tray residence and automation also set).
    virtual bool ShowAtStart() const = 0;
    virtual void SetShowAtStart(bool value) = 0;
};

// The program's icon in the notification area, with its hint and pop-up menu.
class INotifyIcon {
public:
    virtual ~INotifyIcon() = default;
    virtual bool Visible() const = 0;
    virtual void SetVisible(bool value) = 0;
};

// What the save dialog shows and proposes. Filter: pairs of caption and pattern, all joined
// by "|".
struct TSaveDialogOptions {
    std::u16string Title;
    std::u16string Filter;
    // Added to a name typed without an extension.
    std::u16string DefaultExt;
};

enum class TMsgButtons { Ok, YesNo, YesNoDefaultNo };
enum class TMsgIcon { Information, Warning, Error };

// The standard dialogs and the error display, modal on the main window; each answers true
// on OK, with the choice written back.
class IDialogs {
public:
    virtual ~IDialogs() = default;
    // The application's error display.
    virtual void ShowError(const std::u16string& message) = 0;
    // A message box; true for OK or Yes.
    virtual bool MessageDlg(const std::u16string& text, const std::u16string& caption, TMsgButtons buttons,
                            TMsgIcon icon) = 0;
    virtual bool ExecuteFontDialog(gfx::TFont& font) = 0;
    virtual bool ExecuteColorDialog(TColor& color) = 0;
    // Asks before overwriting an existing file; `fileName` is the proposal and the choice.
    virtual bool ExecuteSaveDialog(const TSaveDialogOptions& options, std::u16string& fileName) = 0;
    // Shows one of the program's own forms modally over the main window, centred on it, and
    // answers its modal result.
    virtual int32_t ShowModal(TForm& form) = 0;
};

// Documents, links and help opened by the system, and what the program file itself holds.
class IShell {
public:
    virtual ~IShell() = default;
    // Opens a document with the shell's "open" verb, hidden (the help file).
    virtual void ShellOpen(const std::u16string& fileName) = 0;
    // Opens a link ("http:", "mailto:") with the shell's "OPEN" verb in a normal window.
    virtual void OpenLink(const std::u16string& target) = 0;
    // The contents finder of the platform's help system for a help file.
    virtual void HelpContents(const std::u16string& helpFile) = 0;
    // The program's icon as a picture, 32 pixels square.
    virtual const gfx::TPicture* ProgramIcon() = 0;
    // The version resources of program files.
    virtual IVersionResource& Versions() = 0;
};

// The printer chosen in the set-up dialog, or the platform's default printer.
class IPrinter {
public:
    virtual ~IPrinter() = default;
    // Printer dots per inch, across and down.
    virtual int PixelsPerInchX() = 0;
    virtual int PixelsPerInchY() = 0;
    virtual void BeginDoc() = 0;
    virtual void EndDoc() = 0;
    // Stretched into the rectangle (0, 0, width, height) of the page.
    virtual void StretchDraw(const gfx::TGraphic& graphic, int32_t width, int32_t height) = 0;
    virtual void StretchDraw(const gfx::TBitmap24& pixels, int32_t width, int32_t height) = 0;
    // The platform's printer set-up dialog; its choice serves later printing.
    virtual void ExecuteSetupDialog() = 0;
};

// What a DDE client asks of the running program beyond the window's own settings.
class IDdeServer {
public:
    virtual ~IDdeServer() = default;
    // Plays the metafile at (0, 0) of the device context another program names by number;
    // false when the number names none.
    virtual bool DrawOnDeviceContext(uintptr_t dc, const gfx::TMetafileGraphic& metafile) = 0;
};

// The automation server's objects, as far as the window cares: a close asks first while
// clients still hold some.
class IAutomationHost {
public:
    virtual ~IAutomationHost() = default;
    virtual int LiveObjects() const = 0;
};

// Everything the main window is given; each service outlives the window.
struct TZerboServices {
    // Files, folders, the system's version and code page 932.
    IComponentPlatform& Files;
    // Bitmaps and metafiles as the screen shows them.
    const gfx::TGraphicFactory& Graphics;
    gfx::IClipboard& Clipboard;
    // A viewer chain for the clipboard watcher.
    std::function<std::unique_ptr<IClipboardChain>()> NewClipboardChain;
    IApplication& Application;
    IMainForm& Form;
    IDialogs& Dialogs;
    IShell& Shell;
    INotifyIcon& TrayIcon;
    IDdeServer& Dde;
    IAutomationHost& Automation;
    IPrinter& Printer;
};

} // namespace zerbo::app
