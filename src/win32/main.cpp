#include <windows.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/ServerStart.h"
#include "core/Guard.h"
#include "win32/base/WideText.h"
#include "win32/ipc/ComServer.h"
#include "win32/ipc/HandOff.h"
#include "win32/ui/Application.h"
#include "win32/ui/MainWindow.h"

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int showCommand) {
    using namespace zerbo;
    std::vector<std::u16string> args = app::SplitCommandLine(win32::fromWide(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());  // the program's own name

    const win32::TComApartment com;
    win32::TWinApplication application;

    // Registration is done by whichever start is asked for it, then it ends without a window.
    const app::TServerStart start = app::ServerStartOf(args);
    if (start == app::TServerStart::RegServer)
        return Guarded(application.ShowError, win32::RegisterAutomationServer) ? 0 : 1;
    if (start == app::TServerStart::UnregServer)
        return Guarded(application.ShowError, win32::UnregisterAutomationServer) ? 0 : 1;

    // A second start hands its arguments to the running Zerbo and ends; its exit code tells
    // a batch file whether they arrived.
    const std::optional<win32::TSingleInstance> instance = win32::TSingleInstance::Claim();
    if (!instance) return win32::HandOffToRunningInstance(args) ? 0 : 1;

    int exitCode = 1;
    Guarded(application.ShowError, [&] {
        win32::MainWindow window(module, application, args, start == app::TServerStart::Automation);
        window.show(showCommand);
        exitCode = application.Run();
    });
    return exitCode;
}
