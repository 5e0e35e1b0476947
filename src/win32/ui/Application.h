#pragma once
// The application's message loop and the services that go with it. Every message, whether
// the loop takes it or a command handles waiting messages in the middle of its run, takes
// one path: the main window's keyboard (menu shortcuts, Tab, mnemonics), then translation
// and dispatch, under the guard that shows whatever escapes.
#include <windows.h>

#include <functional>

#include "app/Services.h"
#include "core/Error.h"

namespace zerbo::win32 {

class TWinApplication : public app::IApplication {
public:
    TWinApplication();

    // The error display; before the main window exists, a box of its own.
    TErrorDisplay ShowError;
    // Set by the main window: true when it handled the message itself.
    std::function<bool(MSG&)> PreTranslate;

    // Takes messages until WM_QUIT and answers its exit code.
    int Run();

    void ProcessMessages() override;
    void Sleep(int32_t milliseconds) override;
    uint32_t TickCount() override;
    std::u16string UpperCase(const std::u16string& text) override;

private:
    void dispatch(MSG& msg);
};

} // namespace zerbo::win32
