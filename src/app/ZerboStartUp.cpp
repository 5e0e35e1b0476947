// Showing the window at start-up, and the end of the user's session.
#include "app/ZerboCode.h"
#include "core/Text.h"

namespace zerbo::app {

void TZerboCode::showAtStartUp(const std::vector<std::u16string>& args) {
    // A start with arguments shows nothing until the settings and the arguments have had
    // their say; "-EMBEDDING" is how the COM runtime starts the program.
    if (args.empty()) return;
    AS_Flag = services_.Application.UpperCase(args[0]) == u"-EMBEDDING";
    services_.Form.SetShowAtStart(false);
    services_.Form.Hide();
}

void TZerboCode::decideVisibility() {
    if (ResTaskTray) {
        services_.TrayIcon.SetVisible(true);
        services_.Form.SetShowAtStart(false);
        services_.Form.Hide();
    } else if (AS_Flag) {
        services_.Form.SetShowAtStart(false);
        services_.Form.Hide();
    } else {
        services_.TrayIcon.SetVisible(false);
        services_.Form.SetShowAtStart(true);
    }
}

void TZerboCode::ReceiveHandOff(const std::u16string& text) {
    Params = SplitLines(text);
    ProcessParams();
    AutoCopy.SetChecked(true);
    services_.Application.ProcessMessages();
}

void TZerboCode::AutomationEnded() {
    TaskClose = true;
    services_.Form.Close();
}

bool TZerboCode::QueryEndSession() {
    // The session's end ends the program, also a tray-resident one, which then starts as a
    // normal window next time.
    TaskClose = true;
    ResTaskTray = false;
    bool canClose = true;
    FormCloseQuery(canClose);
    return true;
}

} // namespace zerbo::app
