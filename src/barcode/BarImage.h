#pragma once
// TBarImage: the image control that turns Code into a picture of a linear barcode. Every
// setter regenerates synchronously when there is something to draw; the encoder comes from
// kEncoders by BarType, the drawing goes to a bitmap or a recorded metafile.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "barcode/BarTypes.h"
#include "barcode/Encoder.h"
#include "core/Color.h"
#include "core/Notify.h"
#include "gfx/Clipboard.h"
#include "gfx/Font.h"
#include "gfx/Image.h"

namespace zerbo::barcode {

// Stored-default markers: a property equal to its marker is left out when the component's
// description is saved (see TBarImage::StoredProperties).
namespace BarImageDefault {
constexpr TBarTypes BarType = cbarJAN;
constexpr char16_t StartChar = 64;
constexpr char16_t StopChar = 64;
constexpr TSCale Scale = 1;
constexpr bool SymbolDisp = true;
constexpr TColor BarColor = 0;
constexpr TColor BackColor = 0xFFFFFF;
constexpr int BarHeight = 105;
constexpr int BarSpaceLeft = 10;
constexpr int BarSpaceRight = 10;
constexpr TBarPictures BarPicture = pbarBMP;
constexpr TElementRatio ElementRatio = 20;
constexpr bool BarEnabled = true;
constexpr TFrameSize BarFrame = 0;
constexpr bool Error = false;
} // namespace BarImageDefault

class TBarImage : public gfx::TImage {
public:
    explicit TBarImage(TObject* AOwner, const gfx::TGraphicFactory& factory = gfx::NativeGraphics());
    ~TBarImage() override;

    // Regenerates whatever the state of Code.
    void RepaintBarcode();
    // UPC-A to UPC-E of a drawn 11-digit Code, and back for a drawn 7-digit one; BarDisped
    // tells whether the conversion was drawn.
    void RepaintUPCA2E();
    void RepaintUPCE2A();
    // Puts the current symbol on the clipboard in the format of BarPicture: a bitmap, an
    // enhanced metafile, or a Windows metafile picture for pbarWMF. With nothing drawn by the
    // last regeneration, what the picture holds goes in its own format. Clipboard errors
    // reach the caller.
    void CopyToClipboard(gfx::IClipboard& clipboard);

    TBarTypes BarType() const { return FBarType; }
    void SetBarType(TBarTypes value);
    const std::u16string& Code() const { return FCode; }
    void SetCode(std::u16string_view value);
    const std::u16string& CommentUp() const { return FCommentUp; }
    void SetCommentUp(std::u16string_view value);
    TLocation CommentUpLoc() const { return FCommentUpLoc; }
    void SetCommentUpLoc(TLocation value);
    const std::u16string& CommentDown() const { return FCommentDown; }
    void SetCommentDown(std::u16string_view value);
    TLocation CommentDownLoc() const { return FCommentDownLoc; }
    void SetCommentDownLoc(TLocation value);
    char16_t StartChar() const { return FStartChar; }
    void SetStartChar(char16_t value);
    char16_t StopChar() const { return FStopChar; }
    void SetStopChar(char16_t value);
    bool CD() const { return FCD; }
    void SetCD(bool value);
    TSCale Scale() const { return FScale; }
    void SetScale(TSCale value);
    bool SymbolDisp() const { return FSymbolDisp; }
    void SetSymbolDisp(bool value);
    const gfx::TFont& BarFont() const { return FBarFont; }
    // The font itself, changed in place: the next regeneration draws with it.
    gfx::TFont& BarFont() { return FBarFont; }
    // Copies the attributes of `value` (the owned font is never replaced).
    void SetBarFont(const gfx::TFont* value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);
    TColor BarColor() const { return FBarColor; }
    void SetBarColor(TColor value);
    TColor BackColor() const { return FBackColor; }
    void SetBackColor(TColor value);
    int BarWidth() const { return FBarWidth; }
    int BarHeight() const { return FBarHeight; }
    void SetBarHeight(int value);
    int BarLeft() const { return FBarLeft; }
    void SetBarLeft(int value);
    int BarTop() const { return FBarTop; }
    void SetBarTop(int value);
    int BarSpaceUp() const { return FBarSpaceUp; }
    void SetBarSpaceUp(int value);
    int BarSpaceDown() const { return FBarSpaceDown; }
    void SetBarSpaceDown(int value);
    int BarSpaceLeft() const { return FBarSpaceLeft; }
    void SetBarSpaceLeft(int value);
    int BarSpaceRight() const { return FBarSpaceRight; }
    void SetBarSpaceRight(int value);
    bool Match() const { return FMatch; }
    void SetMatch(bool value);
    TBarPictures BarPicture() const { return FBarPicture; }
    void SetBarPicture(TBarPictures value);
    TElementRatio ElementRatio() const { return FElementRatio; }
    void SetElementRatio(TElementRatio value);
    bool BarEnabled() const { return FBarEnabled; }
    void SetBarEnabled(bool value);
    bool BarDisped() const { return FBarDisped; }
    TFrameSize BarFrame() const { return FBarFrame; }
    void SetBarFrame(TFrameSize value);
    // Set by a regeneration that rejected Code, or whose drawing would not fit in a bitmap.
    bool Error() const { return FError; }
    void SetError(bool value) { FError = value; }
    const TNotifyEvent& OnPaintBar() const { return FOnPaintBar; }
    void SetOnPaintBar(TNotifyEvent value) { FOnPaintBar = std::move(value); }
    const TNotifyEvent& OnPaintedBar() const { return FOnPaintedBar; }
    void SetOnPaintedBar(TNotifyEvent value) { FOnPaintedBar = std::move(value); }

    // Names of the published properties that a saved description would hold: those without
    // a stored-default marker and those that differ from theirs.
    std::vector<std::string_view> StoredProperties() const;

protected:
    virtual void BuildBarcode();
    virtual void DoPaintBar();
    virtual void DoPaintedBar();
    // Runs the encoder BarType selects; a BarType outside TBarTypes rejects every code.
    virtual std::string RunEncoder(const EncodeInput& in, std::u16string& symbol);

private:
    struct TLayout;

    void RebuildIfCoded();
    void PaintToBitmap();
    void PaintToMetafile();
    void Paint(bool metafile);
    bool LayOut(const std::string& pattern, gfx::TCanvas& measure, TLayout& lay);
    void DrawSymbol(gfx::TCanvas& canvas, const std::string& pattern, const TLayout& lay, bool metafile,
                    int clipRight);
    int CommentOffset(TLocation loc, long long textWidth) const;

    TBarTypes FBarType = cbarJAN;
    std::u16string FCode;
    std::u16string FCommentUp;
    TLocation FCommentUpLoc = locLeft;
    std::u16string FCommentDown;
    TLocation FCommentDownLoc = locLeft;
    char16_t FStartChar = u'A';
    char16_t FStopChar = u'A';
    bool FCD = false;
    TSCale FScale = 1;
    std::u16string FSymbol;
    bool FSymbolDisp = true;
    gfx::TFont FBarFont;
    bool FTransparent = false;
    TColor FBarColor = clBlack;
    TColor FBackColor = clWhite;
    int FBarWidth = 0;
    int FBarHeight = 105;
    int FBarLeft = 0;
    int FBarTop = 0;
    int FBarSpaceUp = 0;
    int FBarSpaceDown = 0;
    int FBarSpaceLeft = 10;
    int FBarSpaceRight = 10;
    bool FMatch = false;
    bool FError = false;
    TBarPictures FBarPicture = pbarBMP;
    std::unique_ptr<gfx::TCanvas> FMfCanvas; // only while a metafile is being recorded
    TElementRatio FElementRatio = 20;
    bool FBarEnabled = true;
    bool FBarDisped = false;
    // The bar columns of the last bitmap painting, kept so a repaint allocates nothing.
    std::vector<gfx::TColumnSpan> FBarColumns;
    TFrameSize FBarFrame = 0;
    TNotifyEvent FOnPaintBar;
    TNotifyEvent FOnPaintedBar;
};

} // namespace zerbo::barcode
