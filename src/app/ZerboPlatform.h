#pragma once
// What the main window's logic needs from the platform, in small pieces: the Win32 build
// passes the real window, clipboard and dialogs; native tests pass in-memory fakes.
#include <cstdint>
#include <memory>
#include <string>

#include "components/ClipboardWatcher.h"
#include "components/IniGT.h"
#include "components/Platform.h"
#include "core/Color.h"
#include "gfx/Clipboard.h"
#include "gfx/Font.h"
#include "gfx/Picture.h"

namespace zerbo::app {

// What the save dialog shows and proposes. Filter: pairs of caption and pattern, all joined
// by "|".
struct TSaveDialogOptions {
    std::u16string Title;
    std::u16string Filter;
    // Added to a name typed without an extension.
    std::u16string DefaultExt;
};

class IZerboPlatform {
public:
    virtual ~IZerboPlatform() = default;

    // Files, folders, the system's version and code page 932.
    virtual IComponentPlatform& Components() = 0;
    // Bitmaps and metafiles as the screen shows them.
    virtual const gfx::TGraphicFactory& Graphics() = 0;
    virtual gfx::IClipboard& Clipboard() = 0;
    // The viewer chain of the clipboard watcher.
    virtual std::unique_ptr<IClipboardChain> CreateClipboardChain() = 0;

    // The application's default error display.
    virtual void ShowError(const std::u16string& message) = 0;
    // Handles the window messages that are waiting, then returns.
    virtual void ProcessMessages() = 0;
    // Blocks the thread; no messages are handled meanwhile.
    virtual void Sleep(int32_t milliseconds) = 0;
    // Milliseconds of a clock that only moves forward (it may wrap).
    virtual uint32_t TickCount() = 0;
    // Upper case by the user's locale rules, as command-line options are matched.
    virtual std::u16string UpperCase(const std::u16string& text) = 0;
    // Of the screen, for fonts given in points.
    virtual int ScreenPixelsPerInch() = 0;

    // The main window: its placement for the settings file, its outer height, stay-on-top,
    // and a close request (which runs the window's close query).
    virtual IIniForm& Form() = 0;
    virtual void SetFormHeight(int32_t height) = 0;
    virtual void SetStayOnTop(bool value) = 0;
    virtual void Close() = 0;
    // Minimises the application; before the window is first shown, it then starts minimised.
    virtual void MinimizeApplication() = 0;

    // The standard dialogs; true on OK, with the choice written back.
    virtual bool ExecuteFontDialog(gfx::TFont& font) = 0;
    virtual bool ExecuteColorDialog(TColor& color) = 0;
    // Asks before overwriting an existing file; `fileName` is the proposal and the choice.
    virtual bool ExecuteSaveDialog(const TSaveDialogOptions& options, std::u16string& fileName) = 0;
    // Opens a document with the shell's "open" verb.
    virtual void ShellOpen(const std::u16string& fileName) = 0;
    // The contents finder of the platform's help system for a help file.
    virtual void HelpContents(const std::u16string& helpFile) = 0;
};

} // namespace zerbo::app
