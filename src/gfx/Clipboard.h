#pragma once
// The clipboard as the program uses it: a picture in one of three formats, or a text. The
// Win32 layer puts real handles there; TMemoryClipboard keeps what was put, for tests and for
// platforms without a clipboard.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/Error.h"
#include "gfx/Bitmap.h"
#include "gfx/Picture.h"

namespace zerbo::gfx {

// The clipboard could not be opened or would not take the data; the message carries the
// platform's own reason.
class EClipboardError : public Exception {
public:
    using Exception::Exception;
};

class IClipboard {
public:
    virtual ~IClipboard() = default;
    // Each put opens the clipboard, empties it, sets the one format and closes it, so that
    // afterwards the clipboard holds only what was put. Failing to open it raises
    // EClipboardError and leaves the clipboard as it was.

    // A bitmap as a bitmap, a metafile as an enhanced metafile.
    virtual void PutGraphic(const TGraphic& graphic) = 0;
    // The metafile converted to a Windows metafile picture, extents in hundredths of a
    // millimetre. When the conversion is impossible the clipboard is left unchanged and
    // nothing is reported.
    virtual void PutMetafilePict(const TMetafileGraphic& metafile) = 0;
    virtual void PutText(std::u16string_view text) = 0;
    // The clipboard's plain text; false when it holds none. Raises EClipboardError when
    // the clipboard cannot be opened.
    virtual bool ReadText(std::u16string& text) = 0;
    // A number that changes with every change of the clipboard's content, whoever made it.
    virtual std::uint32_t SequenceNumber() = 0;
};

enum class TClipFormat : std::uint8_t { None, Bitmap, EnhMetafile, MetafilePict, Text };

// Holds the last thing put, as a copy: later drawing into the source does not change it.
class TMemoryClipboard : public IClipboard {
public:
    void PutGraphic(const TGraphic& graphic) override;
    void PutMetafilePict(const TMetafileGraphic& metafile) override;
    void PutText(std::u16string_view text) override;
    bool ReadText(std::u16string& text) override;
    std::uint32_t SequenceNumber() override { return static_cast<std::uint32_t>(Puts); }

    // While set, every put fails as when another program holds the clipboard open.
    bool HeldElsewhere = false;
    // How many puts emptied the clipboard.
    int Puts = 0;

    TClipFormat Format() const { return FFormat; }
    // Bitmap: its pixels. Metafile formats: the nominal size, with the records of a native
    // metafile.
    const TBitmap24& Bitmap() const { return FBitmap; }
    int MetafileWidth() const { return FMetafileWidth; }
    int MetafileHeight() const { return FMetafileHeight; }
    const TMetaRecords& MetafileRecords() const { return FRecords; }
    const std::u16string& Text() const { return FText; }

private:
    void Open();
    void PutMetafile(const TMetafileGraphic& metafile, TClipFormat format);

    TClipFormat FFormat = TClipFormat::None;
    TBitmap24 FBitmap;
    int FMetafileWidth = 0;
    int FMetafileHeight = 0;
    TMetaRecords FRecords;
    std::u16string FText;
};

} // namespace zerbo::gfx
