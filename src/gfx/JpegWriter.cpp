#include "gfx/JpegWriter.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <new>

#include <jpeglib.h>
#include <jerror.h>

namespace zerbo::gfx {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

// libjpeg reports errors through error_exit, which must not return; it jumps back to the
// setjmp in Compress. No C++ object with a destructor lives in that frame, so the jump skips
// nothing.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
}

void OutputMessage(j_common_ptr) {} // warnings are not for the user

// Compressed data goes into a vector grown by kChunk at a time.
struct Destination {
    jpeg_destination_mgr pub;
    std::vector<std::uint8_t>* out;
};

bool Grow(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    try {
        const std::size_t used = d->out->size();
        d->out->resize(used + kChunk);
        d->pub.next_output_byte = d->out->data() + used;
        d->pub.free_in_buffer = kChunk;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void InitDestination(j_compress_ptr cinfo) {
    if (!Grow(cinfo)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
}

boolean EmptyOutputBuffer(j_compress_ptr cinfo) {
    // libjpeg calls this with the whole chunk full, whatever free_in_buffer says: all of it
    // is data.
    if (!Grow(cinfo)) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<Destination*>(cinfo->dest);
    d->out->resize(d->out->size() - d->pub.free_in_buffer);
}

// Everything the jump may skip is plain data; out and row are owned by the caller.
bool Compress(const TBitmap24& bitmap, int quality, std::vector<std::uint8_t>* out, std::uint8_t* row) {
    jpeg_compress_struct cinfo;
    ErrorManager err;
    Destination dest;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.pub.init_destination = InitDestination;
    dest.pub.empty_output_buffer = EmptyOutputBuffer;
    dest.pub.term_destination = TermDestination;
    dest.out = out;
    cinfo.dest = &dest.pub;

    cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
    cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo); // baseline Huffman, YCbCr, sequential
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    for (int y = 0; y < bitmap.Height(); ++y) {
        // The bitmap keeps blue-green-red; libjpeg wants red first.
        const std::uint8_t* p = bitmap.Row(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            row[3 * x] = p[2];
            row[3 * x + 1] = p[1];
            row[3 * x + 2] = p[0];
        }
        JSAMPROW rows[1] = {row};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const TBitmap24& bitmap, int quality) {
    std::vector<std::uint8_t> out;
    std::vector<std::uint8_t> row(static_cast<std::size_t>(bitmap.Width()) * 3 + 1);
    if (!Compress(bitmap, quality, &out, row.data())) return {};
    return out;
}

} // namespace zerbo::gfx
