#include "gfx/PictureFile.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#include "gfx/BmpWriter.h"
#include "gfx/JpegWriter.h"

namespace zerbo::gfx {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void CannotWrite(const std::u16string& fileName) {
    throw EWriteError(FormatText(u"%s に書き込めません", fileName));
}

// A name beside the target that nothing else uses.
fs::path TemporaryBeside(const fs::path& target) {
    static std::mt19937 random{std::random_device{}()};
    for (;;) {
        fs::path temp = target;
        temp += ".~" + std::to_string(random() % 1000000000u) + ".tmp";
        std::error_code ec;
        if (!fs::exists(temp, ec) && !ec) return temp;
        if (ec) return temp; // the folder is unreadable: creating the file will say so
    }
}

bool WriteAll(const fs::path& path, std::span<const std::uint8_t> bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return !file.fail();
}

} // namespace

void WriteFileReplacing(const std::u16string& fileName, std::span<const std::uint8_t> bytes) {
    fs::path target;
    try {
        target = fs::path(fileName);
    } catch (const std::exception&) {
        CannotWrite(fileName); // no file system name for it (an unpaired surrogate)
    }
    // The system reads a name only up to a NUL: the file written would be another one, and
    // every temporary name beside it would seem taken.
    if (fileName.empty() || fileName.find(u'\0') != std::u16string::npos) CannotWrite(fileName);

    std::error_code ec;
    const fs::file_status st = fs::status(target, ec);
    if (fs::exists(st)) {
        // A folder cannot be replaced, and a read-only file must not be.
        if (!fs::is_regular_file(st) || (st.permissions() & fs::perms::owner_write) == fs::perms::none)
            CannotWrite(fileName);
    }

    const fs::path temp = TemporaryBeside(target);
    bool ok = false;
    try {
        ok = WriteAll(temp, bytes);
    } catch (const std::exception&) {
        ok = false;
    }
    if (ok) {
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temp, ec);
        CannotWrite(fileName);
    }
}

void SaveBitmapFile(const TBitmapGraphic& bitmap, const std::u16string& fileName) {
    const std::vector<std::uint8_t> bytes = EncodeBmp(bitmap.ToBitmap24());
    WriteFileReplacing(fileName, bytes);
}

void SaveJpegFile(const TBitmapGraphic& bitmap, const std::u16string& fileName) {
    const std::vector<std::uint8_t> bytes = EncodeJpeg(bitmap.ToBitmap24(), kJpegQuality);
    if (bytes.empty()) CannotWrite(fileName);
    WriteFileReplacing(fileName, bytes);
}

void SaveMetafileFile(const TMetafileGraphic& metafile, const std::u16string& fileName) {
    const std::vector<std::uint8_t> bytes = metafile.EnhMetafileBits();
    if (bytes.empty()) CannotWrite(fileName);
    WriteFileReplacing(fileName, bytes);
}

} // namespace zerbo::gfx
