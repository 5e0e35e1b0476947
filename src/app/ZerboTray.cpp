// The clipboard watch mode, the clearing of the history and the notification area.
#include "app/ZerboCode.h"
#include "core/Text.h"

namespace zerbo::app {

// The clipboard watch -----------------------------------------------------------------------

void TZerboCode::attachWatch() {
    ClipboardWatcher1->SetOnChange([this](TObject* s) { ClipboardWatcher1Change(s); });
}

void TZerboCode::detachWatch() { ClipboardWatcher1->SetOnChange(nullptr); }

void TZerboCode::CBWClick(TObject*) {
    CBW.SetChecked(!CBW.Checked());
    if (CBW.Checked())
        attachWatch();
    else
        detachWatch();
}

void TZerboCode::ClipboardWatcher1Change(TObject*) {
    if (!CBW.Checked()) return;
    // The program's own writes come back as changes wherever the platform reports them
    // later than the write (and when the watcher joins the chain again): they are no news.
    if (services_.Clipboard.SequenceNumber() == ownClipboardChange_) return;
    std::u16string text;
    // A text no symbol can hold is no data, as a picture is none.
    if (!services_.Clipboard.ReadText(text) || text.size() > kMaxDataLength) return;
    EditCode.SetText(K1.Checked() ? Trim(text) : text);
    withWatcherOff([&] { RB_Click(this); });
}

// The history -------------------------------------------------------------------------------

void TZerboCode::D1Click(TObject*) {
    if (!services_.Dialogs.MessageDlg(u"編集履歴を削除しますか?", u"Zerbo", TMsgButtons::YesNo, TMsgIcon::Information))
        return;
    HistoryEx1.Clear();
    HistoryEx1.SetCount(-1);
    Edit1.Clear();
}

// The notification area ---------------------------------------------------------------------

void TZerboCode::setTrayResidence(bool value) {
    ResTaskTray = value;
    N7.SetChecked(value);
    services_.TrayIcon.SetVisible(value);
}

void TZerboCode::N7Click(TObject*) {
    // The window stays as it is; the next start follows the new state.
    setTrayResidence(!N7.Checked());
}

void TZerboCode::Open1Click(TObject*) {
    services_.Form.SetShowAtStart(true);
    services_.Form.Show();
}

void TZerboCode::Close2Click(TObject*) {
    // ResTaskTray stays: a tray-resident program starts tray-resident again.
    services_.TrayIcon.SetVisible(false);
    TaskClose = true;
    services_.Form.Close();
}

} // namespace zerbo::app
