// The QR branch of RB_Click: the data string as Shift-JIS bytes, the "%" escapes, the
// encoder, and the module matrix drawn into Image1 in the picture kind of BarImage1.
#include "app/QRText.h"
#include "app/ZerboCode.h"
#include "core/Convert.h"
#include "qr/QREncoder.h"

namespace zerbo::app {

void TZerboCode::DrawQR() {
    std::string text = ToAnsi(services_.Files, EditCode.Text());
    if (SpCode.Checked()) text = DecodeQREscapes(services_.Files, text);
    if (!text.empty() && text.size() <= kQRMaxTextBytes) DrawQRCode(text);
}

void TZerboCode::DrawQRCode(const std::string& text) {
    BError = false;
    const int32_t version = ClampToInt32(QRVer.Value());
    const int32_t level = QRErr.ItemIndex() + 1;
    // Room for the largest symbol; a version outside 1 to 40 is answered without writing.
    std::vector<int32_t>& modules = qrModules_;
    if (modules.empty()) modules.resize(static_cast<size_t>(qr::QROutputLength(40)));
    const int32_t result = qr::QREncodeBytes(version, level, text.c_str(), modules.data());
    StatusBar1.SetSimpleText(QRStatusText(result));
    if (result != qr::qrOk) {
        BError = true;
        if (N14.Checked()) putErrorText(StatusBar1.SimpleText());
        return;
    }
    const int w = modules[0];
    const int s = ThinWd.ItemIndex() + 1;
    const int size = w * s + 1;
    Image1.SetWidth(size);
    Image1.SetHeight(size);
    gfx::TPicture& picture = Image1.Picture();
    if (BarImage1.BarPicture() == barcode::pbarBMP) {
        gfx::TBitmapGraphic& bitmap = picture.Bitmap();
        bitmap.SetPixelFormat(gfx::pf24bit);
        bitmap.SetSize(size, size);
        PaintQRModules(bitmap.Canvas(), modules.data(), s, BarCol, BackCol);
    } else {
        gfx::TMetafileGraphic& metafile = picture.NewMetafile();
        metafile.SetSize(size, size);
        const auto canvas = metafile.CreateRecordingCanvas();
        PaintQRModules(*canvas, modules.data(), s, BarCol, BackCol);
    }
    pictureChanged();
    if (AutoCopy.Checked()) copyPicture(picture);
}

} // namespace zerbo::app
