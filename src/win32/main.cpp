#include <windows.h>

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "core/Guard.h"
#include "win32/base/WideText.h"
#include "win32/ui/Application.h"
#include "win32/ui/MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace zerbo;
    win32::TWinApplication application;
    int exitCode = 1;
    Guarded(application.ShowError, [&] {
        std::vector<std::u16string> args = app::SplitCommandLine(win32::fromWide(GetCommandLineW()));
        if (!args.empty()) args.erase(args.begin());  // the program's own name
        win32::MainWindow window(instance, application, args);
        window.show(showCommand);
        exitCode = application.Run();
    });
    return exitCode;
}
