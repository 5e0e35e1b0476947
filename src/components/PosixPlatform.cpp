#include "components/PosixPlatform.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "core/Text.h"

namespace zerbo {

namespace {

std::string native(const std::u16string& path) { return ToUtf8(path); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closing reports write-back errors of some file systems, so the writer checks it.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A conversion through iconv. Opening one costs far more than converting a short text, so
// each direction is opened once per thread (a descriptor is not safe to share).
class TConversion {
public:
    TConversion(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    TConversion(const TConversion&) = delete;
    TConversion& operator=(const TConversion&) = delete;
    ~TConversion() {
        if (opened()) iconv_close(cd_);
    }

    // nullopt on any byte sequence it cannot convert exactly.
    std::optional<std::string> operator()(std::string_view in) {
        if (!opened()) return std::nullopt;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // the initial state, whatever the last text left
        std::string out(in.size() * 2 + 16, '\0');
        char* src = const_cast<char*>(in.data());
        size_t srcLeft = in.size();
        char* dst = out.data();
        size_t dstLeft = out.size();
        while (srcLeft > 0) {
            if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) != static_cast<size_t>(-1)) continue;
            if (errno != E2BIG) return std::nullopt;
            const size_t used = static_cast<size_t>(dst - out.data());
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
        }
        out.resize(static_cast<size_t>(dst - out.data()));
        return out;
    }

private:
    bool opened() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t cd_;
};

} // namespace

TPosixPlatform::TPosixPlatform() {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) programFileName = FromUtf8(self.string());
    if (const char* home = std::getenv("HOME")) appDataFolder = FromUtf8(std::string(home) + "/.config");
}

IComponentPlatform::ReadResult TPosixPlatform::ReadFile(const std::u16string& path, std::string& bytes) {
    bytes.clear();
    FileDescriptor fd(::open(native(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) return errno == ENOENT || errno == ENOTDIR ? ReadResult::Missing : ReadResult::Failed;
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return ReadResult::Failed;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return ReadResult::Failed;
        }
        if (n == 0) return ReadResult::Ok;
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool TPosixPlatform::ReplaceFile(const std::u16string& path, std::string_view bytes) {
    const std::string target = native(path);
    // The new text goes to a file of its own in the same folder, reaches the disk, and
    // only then takes the old file's name in one step.
    std::string temp = target + ".tmpXXXXXX";
    FileDescriptor fd(::mkostemp(temp.data(), O_CLOEXEC));
    if (fd.get() < 0) return false;
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    if (!fd.close() || !written || ::rename(temp.c_str(), target.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    // The rename itself lives in the folder: flush it too.
    const size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
    return true;
}

bool TPosixPlatform::FileExists(const std::u16string& path) {
    struct stat st {};
    return ::stat(native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool TPosixPlatform::IsReadOnly(const std::u16string& path) {
    struct stat st {};
    return ::stat(native(path).c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0;
}

bool TPosixPlatform::SetArchiveOnly(const std::u16string& path) {
    struct stat st {};
    const std::string p = native(path);
    return ::stat(p.c_str(), &st) == 0 && ::chmod(p.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool TPosixPlatform::CreateFolders(const std::u16string& path) {
    std::error_code ec;
    std::filesystem::create_directories(native(path), ec);
    return !ec && std::filesystem::is_directory(native(path), ec);
}

std::optional<std::u16string> TPosixPlatform::DecodeCp932(std::string_view bytes) {
    thread_local TConversion fromCp932("UTF-8", "CP932");
    const auto utf8 = fromCp932(bytes);
    if (!utf8) return std::nullopt;
    return FromUtf8(*utf8);
}

std::optional<std::string> TPosixPlatform::EncodeCp932(std::u16string_view text) {
    thread_local TConversion toCp932("CP932", "UTF-8");
    auto out = toCp932(ToUtf8(text));
    // Only an exact round trip counts: iconv also takes look-alikes (U+00AC, U+301C, U+2212 ...)
    // whose bytes decode as another character, as the Win32 side refuses best-fit ones.
    if (!out || DecodeCp932(*out) != text) return std::nullopt;
    return out;
}

} // namespace zerbo
