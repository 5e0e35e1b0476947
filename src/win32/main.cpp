#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <string>
#include <vector>

#include "core/Error.h"
#include "core/Text.h"
#include "win32/ipc/ClipboardChain.h"
#include "win32/ui/MainWindow.h"
#include "win32/base/WideText.h"

namespace {

std::vector<std::u16string> programArguments() {
    std::vector<std::u16string> args;
    int n = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &n);
    if (!argv) return args;
    for (int i = 1; i < n; ++i) args.push_back(zerbo::win32::fromWide(argv[i]));
    LocalFree(argv);
    return args;
}

// The top-level handler: an error that reaches the message loop is shown and the program
// goes on.
template <typename Body>
void guarded(Body&& body) {
    try {
        body();
    } catch (const zerbo::Exception& e) {
        zerbo::win32::ShowErrorMessage(e.Message());
    } catch (const std::exception& e) {
        zerbo::win32::ShowErrorMessage(zerbo::FromUtf8(e.what()));
    } catch (...) {
        zerbo::win32::ShowErrorMessage(u"不明な例外が発生しました");
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    int exitCode = 1;
    guarded([&] {
        zerbo::win32::MainWindow window(instance, programArguments());
        window.show(showCommand);
        MSG msg{};
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            guarded([&] {
                if (window.translateAccelerator(msg)) return;
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            });
        }
        exitCode = static_cast<int>(msg.wParam);
    });
    return exitCode;
}
