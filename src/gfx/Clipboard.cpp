#include "gfx/Clipboard.h"

namespace zerbo::gfx {

void TMemoryClipboard::Open() {
    if (HeldElsewhere) throw EClipboardError(u"クリップボードを開けません: 別のプログラムが使用中です");
    // Emptied on open, as every put empties the clipboard before it sets its data.
    ++Puts;
    FFormat = TClipFormat::None;
    FBitmap = TBitmap24();
    FMetafileWidth = FMetafileHeight = 0;
    FRecords.clear();
    FText.clear();
}

void TMemoryClipboard::PutGraphic(const TGraphic& graphic) {
    if (const auto* bitmap = dynamic_cast<const TBitmapGraphic*>(&graphic)) {
        TBitmap24 pixels = bitmap->ToBitmap24();
        Open();
        FBitmap = std::move(pixels);
        FFormat = TClipFormat::Bitmap;
    } else if (const auto* metafile = dynamic_cast<const TMetafileGraphic*>(&graphic)) {
        PutMetafile(*metafile, TClipFormat::EnhMetafile);
    }
}

void TMemoryClipboard::PutMetafilePict(const TMetafileGraphic& metafile) {
    PutMetafile(metafile, TClipFormat::MetafilePict);
}

void TMemoryClipboard::PutMetafile(const TMetafileGraphic& metafile, TClipFormat format) {
    const auto* native = dynamic_cast<const TNativeMetafile*>(&metafile);
    TMetaRecords records = native ? native->Records() : TMetaRecords{};
    Open();
    FRecords = std::move(records);
    FMetafileWidth = metafile.Width();
    FMetafileHeight = metafile.Height();
    FFormat = format;
}

void TMemoryClipboard::PutText(std::u16string_view text) {
    std::u16string copy(text);
    Open();
    FText = std::move(copy);
    FFormat = TClipFormat::Text;
}

bool TMemoryClipboard::ReadText(std::u16string& text) {
    if (HeldElsewhere) throw EClipboardError(u"クリップボードを開けません: 別のプログラムが使用中です");
    if (FFormat != TClipFormat::Text) return false;
    text = FText;
    return true;
}

} // namespace zerbo::gfx
