#include "barcode/BarImage.h"

#include <algorithm>
#include <climits>

#include "barcode/BarLayout.h"
#include "barcode/JanUpc.h"

namespace zerbo::barcode {

using gfx::TCanvas;
using gfx::TRect;

// Quantities of one layout, in 64 bits so that no setting can overflow them.
struct TBarImage::TLayout {
    long long symW = 0, symH = 0; // human-readable text; 0 when not displayed
    long long upW = 0, upH = 0;   // CommentUp
    long long downW = 0, downH = 0;
    long long total = 0;  // width of the bars
    long long barLen = 0; // length of the bars
    long long barWidth = 0, barHeight = 0; // what BarWidth and BarHeight become once it is drawn
    long long W = 0, H = 0;   // right and bottom edges of the drawing
    long long X0 = 0, Y0 = 0; // corner of the symbol area
    long long barX = 0, textX = 0;
};

TBarImage::TBarImage(TObject* AOwner, const gfx::TGraphicFactory& factory) : TImage(AOwner, factory) {
    Picture().Bitmap().SetPixelFormat(gfx::pf24bit);
}

TBarImage::~TBarImage() = default;

void TBarImage::RebuildIfCoded() {
    if (!FCode.empty()) BuildBarcode();
}

// --- Setters -----------------------------------------------------------------------------

void TBarImage::SetBarType(TBarTypes value) {
    FBarType = value;
    RebuildIfCoded();
}

void TBarImage::SetCode(std::u16string_view value) {
    FCode = value;
    // An empty code leaves the picture as it is.
    if (!FCode.empty()) BuildBarcode();
}

void TBarImage::SetCommentUp(std::u16string_view value) {
    FCommentUp = value;
    RebuildIfCoded();
}

void TBarImage::SetCommentUpLoc(TLocation value) {
    FCommentUpLoc = value;
    if (!FCommentUp.empty()) RebuildIfCoded();
}

void TBarImage::SetCommentDown(std::u16string_view value) {
    FCommentDown = value;
    RebuildIfCoded();
}

void TBarImage::SetCommentDownLoc(TLocation value) {
    FCommentDownLoc = value;
    if (!FCommentDown.empty()) RebuildIfCoded();
}

namespace {
char16_t StartStopOrA(char16_t c) { return c >= u'A' && c <= u'D' ? c : u'A'; }
} // namespace

void TBarImage::SetStartChar(char16_t value) {
    FStartChar = StartStopOrA(value);
    if (FBarType == cbarNW7 || FBarType == cbarCODE128) RebuildIfCoded();
}

void TBarImage::SetStopChar(char16_t value) {
    FStopChar = StartStopOrA(value);
    if (FBarType == cbarNW7) RebuildIfCoded();
}

void TBarImage::SetCD(bool value) {
    FCD = value;
    // JAN and UPC always carry their check digit; IATA never has an optional one.
    switch (FBarType) {
    case cbarCODE39: case cbarNW7: case cbarITF: case cbarCTF: case cbarMATRIX: case cbarNEC:
        RebuildIfCoded();
        break;
    default:
        break;
    }
}

void TBarImage::SetScale(TSCale value) {
    FScale = value;
    RebuildIfCoded();
}

void TBarImage::SetSymbolDisp(bool value) {
    FSymbolDisp = value;
    RebuildIfCoded();
}

void TBarImage::SetBarFont(const gfx::TFont* value) {
    if (value && value != &FBarFont) FBarFont.Assign(*value);
    if (FSymbolDisp) RebuildIfCoded();
}

void TBarImage::SetTransparent(bool value) {
    FTransparent = value;
    if (value) {
        FMatch = false;
        FBarPicture = pbarBMP;
    }
    RebuildIfCoded();
}

void TBarImage::SetBarColor(TColor value) {
    FBarColor = value;
    RebuildIfCoded();
}

void TBarImage::SetBackColor(TColor value) {
    FBackColor = value;
    RebuildIfCoded();
}

void TBarImage::SetBarHeight(int value) {
    FBarHeight = value;
    // The customer barcode's height follows from Scale alone.
    if (FBarType != cbarCUSTOMER) RebuildIfCoded();
}

void TBarImage::SetBarLeft(int value) {
    FBarLeft = value;
    RebuildIfCoded();
}

void TBarImage::SetBarTop(int value) {
    FBarTop = value;
    RebuildIfCoded();
}

void TBarImage::SetBarSpaceUp(int value) {
    FBarSpaceUp = std::max(value, 0);
    RebuildIfCoded();
}

void TBarImage::SetBarSpaceDown(int value) {
    FBarSpaceDown = std::max(value, 0);
    RebuildIfCoded();
}

void TBarImage::SetBarSpaceLeft(int value) {
    FBarSpaceLeft = std::max(value, 0);
    RebuildIfCoded();
}

void TBarImage::SetBarSpaceRight(int value) {
    FBarSpaceRight = std::max(value, 0);
    RebuildIfCoded();
}

void TBarImage::SetMatch(bool value) {
    FMatch = value;
    // A metafile is always fitted to the drawing and never transparent.
    if (value)
        FTransparent = false;
    else
        FBarPicture = pbarBMP;
    RebuildIfCoded();
}

void TBarImage::SetBarPicture(TBarPictures value) {
    if (!FMatch) {
        FBarPicture = pbarBMP;
        return;
    }
    FBarPicture = value;
    RebuildIfCoded();
}

void TBarImage::SetElementRatio(TElementRatio value) {
    FElementRatio = value;
    if (IsTwoWidth(FBarType)) RebuildIfCoded();
}

void TBarImage::SetBarEnabled(bool value) {
    if (!value) {
        FBarEnabled = false;
        return;
    }
    if (FBarEnabled) return;
    FBarEnabled = true;
    RebuildIfCoded();
}

void TBarImage::SetBarFrame(TFrameSize value) {
    FBarFrame = value;
    RebuildIfCoded();
}

std::vector<std::string_view> TBarImage::StoredProperties() const {
    namespace D = BarImageDefault;
    std::vector<std::string_view> out;
    auto unless = [&](bool isDefault, std::string_view name) {
        if (!isDefault) out.push_back(name);
    };
    unless(FBarType == D::BarType, "BarType");
    out.insert(out.end(), {"Code", "CommentUp", "CommentUpLoc", "CommentDown", "CommentDownLoc"});
    unless(FStartChar == D::StartChar, "StartChar");
    unless(FStopChar == D::StopChar, "StopChar");
    out.push_back("CD");
    unless(FScale == D::Scale, "Scale");
    unless(FSymbolDisp == D::SymbolDisp, "SymbolDisp");
    out.insert(out.end(), {"BarFont", "Transparent"});
    unless(FBarColor == D::BarColor, "BarColor");
    unless(FBackColor == D::BackColor, "BackColor");
    unless(FBarHeight == D::BarHeight, "BarHeight");
    out.insert(out.end(), {"BarLeft", "BarTop", "BarSpaceUp", "BarSpaceDown"});
    unless(FBarSpaceLeft == D::BarSpaceLeft, "BarSpaceLeft");
    unless(FBarSpaceRight == D::BarSpaceRight, "BarSpaceRight");
    out.push_back("Match");
    unless(FBarPicture == D::BarPicture, "BarPicture");
    unless(FElementRatio == D::ElementRatio, "ElementRatio");
    unless(FBarEnabled == D::BarEnabled, "BarEnabled");
    unless(FBarFrame == D::BarFrame, "BarFrame");
    unless(FError == D::Error, "Error");
    // An event has nothing to write until a handler is assigned.
    if (FOnPaintBar) out.push_back("OnPaintBar");
    if (FOnPaintedBar) out.push_back("OnPaintedBar");
    return out;
}

// --- Regeneration ------------------------------------------------------------------------

void TBarImage::RepaintBarcode() { BuildBarcode(); }

void TBarImage::RepaintUPCA2E() {
    if (FBarType != cbarUPC || !FBarDisped || FCode.size() != 11) {
        FBarDisped = false;
        return;
    }
    std::u16string e = UPCAToUPCE(FCode);
    if (e.empty()) {
        FBarDisped = false;
        return;
    }
    FCode = std::move(e); // straight into the field: the setter's rebuild rule does not apply
    BuildBarcode();
}

void TBarImage::RepaintUPCE2A() {
    if (FBarType != cbarUPC || !FBarDisped || FCode.size() != 7) {
        FBarDisped = false;
        return;
    }
    std::u16string a = UPCEToUPCA(FCode);
    if (a.empty()) {
        FBarDisped = false;
        return;
    }
    FCode = std::move(a);
    BuildBarcode();
}

void TBarImage::CopyToClipboard(gfx::IClipboard& clipboard) {
    const gfx::TGraphic* graphic = Picture().Graphic();
    if (!graphic) return;
    // A picture kind chosen while there was no code to redraw leaves the older graphic in
    // place; that one goes in its own format rather than an empty one of the chosen kind.
    const gfx::TMetafileGraphic* metafile = Picture().AsMetafile();
    if (FBarDisped && FBarPicture == pbarWMF && metafile)
        clipboard.PutMetafilePict(*metafile);
    else
        clipboard.PutGraphic(*graphic);
}

void TBarImage::DoPaintBar() {
    if (FOnPaintBar) FOnPaintBar(this);
}

void TBarImage::DoPaintedBar() {
    if (FOnPaintedBar) FOnPaintedBar(this);
}

std::string TBarImage::RunEncoder(const EncodeInput& in, std::u16string& symbol) {
    // A BarType past the table (12 from a QR Code request, -1 from an empty list) encodes nothing.
    if (FBarType >= kBarTypeCount) {
        symbol.clear();
        return {};
    }
    return kEncoders[FBarType](in, symbol);
}

void TBarImage::BuildBarcode() {
    DoPaintBar();
    if (!FBarEnabled) return;
    // A metafile gives way to a new bitmap; an empty bitmap takes the control's size.
    gfx::TBitmapGraphic& bitmap = Picture().Bitmap();
    if (bitmap.Empty()) bitmap.SetSize(Width(), Height());
    if (FBarPicture == pbarBMP)
        PaintToBitmap();
    else
        PaintToMetafile();
    DoPaintedBar();
}

void TBarImage::PaintToBitmap() { Paint(false); }

void TBarImage::PaintToMetafile() { Paint(true); }

void TBarImage::Paint(bool metafile) {
    FBarDisped = false;
    if (FCode.empty()) return;

    // The drawing decides the size; every exit puts the caller's flags back.
    struct Restore {
        TBarImage& self;
        bool autoSize, stretch;
        ~Restore() {
            self.FMfCanvas.reset();
            self.SetAutoSize(autoSize);
            self.SetStretch(stretch);
        }
    } restore{*this, AutoSize(), Stretch()};
    SetAutoSize(false);
    SetStretch(false);

    FError = false;
    // CODE128 starts in set A, B or C only; the 'D' that NW-7 allows falls back to 'A', and the
    // field keeps it (without a regeneration), as the human-readable text shows.
    if (FBarType == cbarCODE128 && (FStartChar < u'A' || FStartChar > u'C')) FStartChar = u'A';
    const std::string pattern = RunEncoder(EncodeInput{FCode, FCD, FStartChar, FStopChar}, FSymbol);
    if (pattern.empty()) {
        FSymbol.clear();
        FError = true;
        return;
    }

    gfx::TBitmapGraphic& bitmap = Picture().Bitmap(); // BuildBarcode left a bitmap there
    TLayout lay;
    if (!LayOut(pattern, bitmap.Canvas(), lay)) return;
    // A drawing larger than any bitmap could hold would be cut; it is not made, in either picture
    // kind, and everything stays as a rejected code leaves it.
    if (!gfx::FitsBitmap(lay.W, lay.H)) {
        FError = true;
        return;
    }
    FBarWidth = Px(lay.barWidth);
    FBarHeight = Px(lay.barHeight);

    if (!metafile) {
        if (FMatch) {
            SetWidth(Px(lay.W));
            SetHeight(Px(lay.H));
            bitmap.SetSize(Width(), Height());
        }
        TCanvas& c = bitmap.Canvas();
        c.Pen = {FBarColor, gfx::psSolid};
        c.Brush.Color = FBackColor;
        if (!FTransparent) {
            // Without Match only the drawing's own rectangle is painted; the rest keeps its pixels.
            c.Brush.Style = gfx::bsSolid;
            c.FillRect(FMatch ? TRect{0, 0, Px(lay.W), Px(lay.H)} : TRect{FBarLeft, FBarTop, Px(lay.W), Px(lay.H)});
        }
        c.Brush.Style = gfx::bsClear;
        DrawSymbol(c, pattern, lay, false, bitmap.Width());
    } else {
        SetWidth(Px(lay.W));
        SetHeight(Px(lay.H));
        gfx::TMetafileGraphic& mf = Picture().NewMetafile(); // the bitmap is gone from here on
        mf.SetSize(Width(), Height());
        FMfCanvas = mf.CreateRecordingCanvas();
        TCanvas& c = *FMfCanvas;
        c.Font.Assign(FBarFont);
        c.Pen = {FBarColor, gfx::psSolid};
        c.Brush = {FBackColor, gfx::bsSolid};
        c.FillRect({0, 0, Width(), Height()});
        c.Brush.Style = gfx::bsClear;
        DrawSymbol(c, pattern, lay, true, INT_MAX);
        FMfCanvas.reset(); // completes the metafile
        // One pixel more each way, so the last row and column of the drawing are inside.
        mf.SetSize(Px(mf.Width() + 1LL), Px(mf.Height() + 1LL));
    }
    FBarDisped = true;
}

bool TBarImage::LayOut(const std::string& pattern, TCanvas& measure, TLayout& lay) {
    measure.Font.Assign(FBarFont);
    if (FSymbolDisp) {
        lay.symW = measure.TextWidth(FSymbol);
        lay.symH = measure.TextHeight(FSymbol);
    }
    if (!FCommentUp.empty()) {
        lay.upW = measure.TextWidth(FCommentUp);
        lay.upH = measure.TextHeight(FCommentUp);
    }
    if (!FCommentDown.empty()) {
        lay.downW = measure.TextWidth(FCommentDown);
        lay.downH = measure.TextHeight(FCommentDown);
    }

    lay.barHeight = FBarHeight;
    if (FBarType == cbarCUSTOMER) {
        lay.total = CustomerBarWidth(pattern, FScale);
        lay.barLen = 6LL * FScale;
    } else {
        lay.total = PatternWidth(pattern, TElementWidths(FBarType, FScale, FElementRatio));
        // Bars are never shorter than 6 pixels; the raised height stays in the property, even
        // when no bar has a width.
        if (lay.barHeight < lay.symH + 6) lay.barHeight = lay.symH + 6;
        lay.barLen = lay.barHeight - lay.symH;
    }
    if (lay.total == 0) {
        FBarHeight = Px(lay.barHeight);
        return false;
    }

    lay.barWidth = std::max(lay.total, lay.symW);
    if (FBarType == cbarCUSTOMER) lay.barHeight = lay.barLen + lay.symH;

    lay.X0 = static_cast<long long>(FBarLeft) + FBarSpaceLeft;
    lay.Y0 = static_cast<long long>(FBarTop) + FBarSpaceUp;
    lay.W = lay.X0 + lay.barWidth + FBarSpaceRight;
    lay.H = lay.Y0 + lay.barHeight + FBarSpaceDown;
    // The wider of bars and text starts at X0; the other is centred on it.
    if (lay.total > lay.symW)
        lay.textX = (lay.total - lay.symW) / 2;
    else
        lay.barX = (lay.symW - lay.total) / 2;
    return true;
}

int TBarImage::CommentOffset(TLocation loc, long long textWidth) const {
    const long long span = static_cast<long long>(FBarSpaceLeft) + FBarWidth + FBarSpaceRight;
    long long a = 0;
    if (loc == locCenter)
        a = (span - textWidth) / 2;
    else if (loc == locRight)
        a = span - textWidth;
    return Px(std::max(a, 0LL));
}

void TBarImage::DrawSymbol(TCanvas& c, const std::string& pattern, const TLayout& lay, bool metafile,
                           int clipRight) {
    if (FBarType != cbarCUSTOMER) {
        const TElementWidths widths(FBarType, FScale, FElementRatio);
        const int top = Px(lay.Y0);
        const int bottom = Px(lay.Y0 + lay.barLen);
        if (metafile) c.Brush = {FBarColor, gfx::bsSolid};
        long long x = lay.X0 + lay.barX;
        FBarColumns.clear();
        for (char ch : pattern) {
            const long long w = widths[ch];
            const bool bar = ch >= '0' && ch <= '9' && (ch - '0') % 2 == 1;
            if (bar && metafile) {
                c.FillRect({Px(x), top, Px(x + w), bottom});
            } else if (bar) {
                // One pen line per pixel column; columns outside the bitmap are skipped.
                const long long from = std::max(x, 0LL);
                const long long to = std::min<long long>(x + w, clipRight);
                if (from < to) FBarColumns.push_back({static_cast<int>(from), static_cast<int>(to - from)});
            }
            x += w;
            if (!metafile && x >= clipRight) break; // nothing further can show
        }
        if (metafile)
            c.Brush = {FBackColor, gfx::bsClear};
        else
            c.PenColumns(FBarColumns, top, bottom);
    } else {
        c.Brush = {FBarColor, gfx::bsSolid};
        for (std::size_t i = 0; i < pattern.size(); ++i) {
            const char ch = pattern[i];
            DrawCustomerColumn(c, lay.X0, lay.Y0, lay.barX, static_cast<long long>(i),
                               ch >= '0' && ch <= '9' ? ch - '0' : 0, FScale);
        }
        c.Brush = {FBackColor, gfx::bsClear};
    }

    if (!FSymbol.empty() && FSymbolDisp) {
        c.Font.Assign(FBarFont);
        c.TextOutAt(Px(lay.X0 + lay.textX), Px(lay.Y0 + lay.barLen), FSymbol);
    }

    if (FBarFrame > 0) {
        // ITF's frame is its bearer box: around the bars and both quiet zones only.
        const TRect r = FBarType == cbarITF
                            ? TRect{FBarLeft, Px(lay.Y0), Px(lay.W), Px(lay.Y0 + lay.barLen)}
                            : TRect{FBarLeft, Px(static_cast<long long>(FBarTop) + lay.upH), Px(lay.W), Px(lay.H - lay.downH)};
        FBarFrame = static_cast<TFrameSize>(DrawBarFrame(c, r, FBarFrame, FBarColor, FBackColor));
    }

    c.Font.Assign(FBarFont);
    if (!FCommentUp.empty()) c.TextOutAt(Px(FBarLeft + static_cast<long long>(CommentOffset(FCommentUpLoc, lay.upW))), FBarTop, FCommentUp);
    if (!FCommentDown.empty())
        c.TextOutAt(Px(FBarLeft + static_cast<long long>(CommentOffset(FCommentDownLoc, lay.downW))), Px(lay.H - lay.downH),
                    FCommentDown);
}

} // namespace zerbo::barcode
