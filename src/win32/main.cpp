#include <windows.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "core/Guard.h"
#include "win32/base/WideText.h"
#include "win32/ipc/HandOff.h"
#include "win32/ui/Application.h"
#include "win32/ui/MainWindow.h"

int WINAPI wWinMain(HINSTANCE module, HINSTANCE, PWSTR, int showCommand) {
    using namespace zerbo;
    std::vector<std::u16string> args = app::SplitCommandLine(win32::fromWide(GetCommandLineW()));
    if (!args.empty()) args.erase(args.begin());  // the program's own name

    // A second start hands its arguments to the running Zerbo and ends; its exit code tells
    // a batch file whether they arrived.
    const std::optional<win32::TSingleInstance> instance = win32::TSingleInstance::Claim();
    if (!instance) return win32::HandOffToRunningInstance(args) ? 0 : 1;

    win32::TWinApplication application;
    int exitCode = 1;
    Guarded(application.ShowError, [&] {
        win32::MainWindow window(module, application, args);
        window.show(showCommand);
        exitCode = application.Run();
    });
    return exitCode;
}
