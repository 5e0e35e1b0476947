#pragma once
// Pictures saved as files: a 24-bit BMP or a JPEG from a bitmap, an .emf from a metafile.
// Every file is written whole to a temporary file beside it and then renamed over the
// target, so a failure leaves the old file, or none, and never a part of the new one.
#include <cstdint>
#include <span>
#include <string>

#include "core/Error.h"
#include "gfx/Picture.h"

namespace zerbo::gfx {

// A file that could not be written; the message is "<file name> に書き込めません".
class EWriteError : public Exception {
public:
    using Exception::Exception;
};

// Refuses an existing file without write permission (read-only), as the platform does.
void WriteFileReplacing(const std::u16string& fileName, std::span<const std::uint8_t> bytes);

void SaveBitmapFile(const TBitmapGraphic& bitmap, const std::u16string& fileName);
// Quality 90, colour, baseline.
void SaveJpegFile(const TBitmapGraphic& bitmap, const std::u16string& fileName);
// Raises EWriteError for a metafile that has no .emf form (nothing recorded, or natively).
void SaveMetafileFile(const TMetafileGraphic& metafile, const std::u16string& fileName);

} // namespace zerbo::gfx
