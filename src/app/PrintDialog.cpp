#include "app/PrintDialog.h"

#include <cfenv>
#include <cmath>

#include "app/ZerboCode.h"
#include "components/Resample.h"
#include "core/Convert.h"
#include "core/Guard.h"

namespace zerbo::app {

namespace {

using D = TPrtDlg;
template <auto Member>
constexpr auto M = &LayoutMember<Member>;

constexpr TLayoutEntry kLayout[] = {
    {M<&D::Label1>, nullptr, 8, 16, 0, 0, u"幅"},
    {M<&D::PrX>, nullptr, 32, 12, 61, 21, u""},
    {M<&D::Label3>, nullptr, 96, 16, 0, 0, u"mm"},
    {M<&D::Label2>, nullptr, 4, 44, 0, 0, u"高さ"},
    {M<&D::PrY>, nullptr, 32, 40, 61, 21, u""},
    {M<&D::Label4>, nullptr, 96, 44, 0, 0, u"mm"},
    {M<&D::Button1>, nullptr, 140, 8, 80, 23, u"印刷(&P)"},
    {M<&D::Button2>, nullptr, 140, 40, 80, 23, u"キャンセル(&C)"},
};

// Millimetres at so many dots per inch, rounded half to even.
int64_t dots(int64_t millimetres, int32_t perInch) {
    return static_cast<int64_t>(std::nearbyint(static_cast<double>(millimetres) / 25.4 * perInch));
}

} // namespace

TPrtDlg::TPrtDlg(TZerboCode& main, const TZerboServices& services)
    : TForm(u"PrtDlg"), main_(main), services_(services) {
    SetCaption(u"印刷");
    SetBounds(0, 0, 230, 70);
    BorderStyle = TFormBorder::ToolWindow;
    ApplyLayout(*this, kLayout);
    Button1.ModalResult = mrOk;
    Button2.ModalResult = mrCancel;
    Cancel = &Button2;
    OnShow = [this](TObject* s) { FormShow(s); };
    Button1.OnClick = [this](TObject* s) { Button1Click(s); };
}

void TPrtDlg::FormShow(TObject*) {
    if (main_.CdType.ItemIndex() == kQRCodeType) {
        const gfx::TGraphic* picture = main_.Image1.Picture().Graphic();
        bx = picture ? picture->Width() : 0;
        by = picture ? picture->Height() : 0;
    } else {
        bx = main_.BarImage1.BarWidth();
        by = main_.BarImage1.BarHeight();
    }
    logy = services_.Printer.PixelsPerInchY();
    logx = services_.Printer.PixelsPerInchX();
    PrX.SetValue(static_cast<int64_t>(std::trunc(bx * 25.4 / logx * 10)));
    PrY.SetValue(static_cast<int64_t>(std::trunc(by * 25.4 / logy * 10)));
}

void TPrtDlg::Button1Click(TObject*) {
    const int64_t width = PrX.Value(), height = PrY.Value();
    const int64_t x = dots(width, logx), y = dots(height, logy);
    // A size no page holds is refused before anything is printed; the dialog stays open.
    if (width < 1 || height < 1 || width > kMaxPrintMillimetres || height > kMaxPrintMillimetres || x < 1 || y < 1 ||
        x * y > kMaxPrintDots) {
        ModalResult = 0;
        services_.Dialogs.ShowError(u"印刷する大きさは幅、高さとも 1 から " + IntToStr(kMaxPrintMillimetres) +
                                    u" mm で、プリンタの点で " + IntToStr(static_cast<int32_t>(kMaxPrintDots)) +
                                    u" 点までにしてください");
        return;
    }
    px = static_cast<int32_t>(x);
    py = static_cast<int32_t>(y);
    IPrinter& printer = services_.Printer;
    printer.BeginDoc();
    // The document is ended whatever happens while printing; the first error is the one told.
    try {
        print();
    } catch (...) {
        Guarded(nullptr, [&] { printer.EndDoc(); });
        throw;
    }
    printer.EndDoc();
}

void TPrtDlg::print() {
    IPrinter& printer = services_.Printer;
    if (main_.CdType.ItemIndex() == kQRCodeType) {
        // The bitmap when the copy kind is bitmap, else the metafile.
        if (const gfx::TGraphic* picture = main_.Image1.Picture().Graphic()) printer.StretchDraw(*picture, px, py);
        return;
    }
    const gfx::TPicture& picture = main_.BarImage1.Picture();
    const gfx::TBitmapGraphic* bitmap = picture.AsBitmap();
    if (main_.CopyBm.Checked() && bitmap && !bitmap->Empty()) {
        // Enlarged here with Lanczos3: the printer would only repeat pixels.
        gfx::TBitmap24 source = bitmap->ToBitmap24();
        gfx::TBitmap24 target(px, py);
        const TImageView from{source.Width(), source.Height(), static_cast<std::ptrdiff_t>(source.Stride()), source.Row(0)};
        const TImageView to{target.Width(), target.Height(), static_cast<std::ptrdiff_t>(target.Stride()), target.Row(0)};
        const TFilterEntry* lanczos = FindFilter("Lanczos3");
        ResampleImage(from, to, lanczos->Filter, lanczos->Width);
        printer.StretchDraw(target, px, py);
        return;
    }
    if (const gfx::TGraphic* graphic = picture.Graphic()) printer.StretchDraw(*graphic, px, py);
}

} // namespace zerbo::app
