// Handing the symbol on: the clipboard (on command and automatically) and files.
#include "app/PrintDialog.h"
#include "app/ZerboCode.h"
#include "core/Guard.h"
#include "core/Path.h"
#include "core/Text.h"
#include "gfx/PictureFile.h"

namespace zerbo::app {

// The clipboard --------------------------------------------------------------------------------

void TZerboCode::withWatcherOff(const std::function<void()>& body) {
    // The program's own clipboard writes are no news for the watch mode.
    const bool enabled = ClipboardWatcher1->Enabled();
    ClipboardWatcher1->SetEnabled(false);
    struct TRestore {
        TClipboardWatcher& watcher;
        bool enabled;
        ~TRestore() { watcher.SetEnabled(enabled); }
    } restore{*ClipboardWatcher1, enabled};
    body();
    ownClipboardChange_ = services_.Clipboard.SequenceNumber();
}

void TZerboCode::putErrorText(const std::u16string& text) {
    withWatcherOff([&] { services_.Clipboard.PutText(text); });
}

void TZerboCode::copyPicture(gfx::TPicture& picture) {
    if (!picture.Graphic()) return;
    withWatcherOff([&] { services_.Clipboard.PutGraphic(*picture.Graphic()); });
}

void TZerboCode::CopyMfClick(TObject*) {
    CopyMf.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarWMF);
    RefreshScaleItems();
}

void TZerboCode::CopyEmfClick(TObject*) {
    CopyEmf.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarEMF);
    RefreshScaleItems();
}

void TZerboCode::CopyBmClick(TObject*) {
    CopyBm.SetChecked(true);
    BarImage1.SetBarPicture(barcode::pbarBMP);
    RefreshScaleItems();
}

void TZerboCode::AutoCopyClick(TObject*) { AutoCopy.SetChecked(!AutoCopy.Checked()); }

void TZerboCode::Copy1Click(TObject*) {
    if (CdType.ItemIndex() == kQRCodeType)
        copyPicture(Image1.Picture());
    else
        withWatcherOff([&] { BarImage1.CopyToClipboard(services_.Clipboard); });
    StatusBar1.SetSimpleText(u"コピーしました.");
}

// Files ----------------------------------------------------------------------------------------

void TZerboCode::N10Click(TObject*) {
    std::u16string fileName;
    if (services_.Dialogs.ExecuteSaveDialog(SaveDialog1, fileName)) SaveFile(fileName);
}

bool TZerboCode::SaveFile(const std::u16string& FileName) {
    IComponentPlatform& files = services_.Files;
    // Without regard to case; ".emf" and ".bmp" are ASCII.
    const std::u16string ext = LowerAscii(ExtractFileExt(files.PathDelimiters(), FileName));
    const bool emf = ext == u".emf", bmp = ext == u".bmp";
    const barcode::TBarPictures kind = emf ? barcode::pbarEMF : barcode::pbarBMP;
    const barcode::TBarPictures k = BarImage1.BarPicture();
    auto restore = [&] {
        BarImage1.SetBarPicture(k);
        RB_Click(this);
    };
    try {
        if (k != kind) {
            BarImage1.SetBarPicture(kind);
            RB_Click(this);
        }
        const gfx::TPicture& picture = CurrentPicture();
        // Nothing of that kind was ever drawn (the first data was rejected): there is no
        // picture to store, and an empty file would pass for one.
        auto nothingToWrite = [&] { throw gfx::EWriteError(FormatText(u"%s に書き込めません", FileName)); };
        if (emf) {
            const gfx::TMetafileGraphic* metafile = picture.AsMetafile();
            if (!metafile) nothingToWrite();
            gfx::SaveMetafileFile(*metafile, FileName);
        } else {
            const gfx::TBitmapGraphic* bitmap = picture.AsBitmap();
            if (!bitmap || bitmap->Empty()) nothingToWrite();
            if (bmp)
                gfx::SaveBitmapFile(*bitmap, FileName);
            else
                gfx::SaveJpegFile(*bitmap, FileName);
        }
    } catch (...) {
        // The user's picture kind comes back also when the file could not be written; the
        // write error is what the caller hears of.
        Guarded(nullptr, restore);
        throw;
    }
    restore();
    return files.FileExists(FileName);
}

// The printer ---------------------------------------------------------------------------------

void TZerboCode::P1Click(TObject*) {
    TPrtDlg dialog(*this, services_);
    services_.Dialogs.ShowModal(dialog);
}

void TZerboCode::N16Click(TObject*) { services_.Printer.ExecuteSetupDialog(); }

} // namespace zerbo::app
