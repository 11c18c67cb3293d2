#include "platform/PosixFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <string>

namespace quarten {
namespace {

// Files we read are small text and settings files; anything larger is not one of ours.
constexpr off_t kMaxReadSize = 64 * 1024 * 1024;

WriteResult Failure(int error, const std::string& step) {
    return {false, error, step + ": " + std::strerror(error)};
}

std::string TempName(const std::filesystem::path& dir, const std::filesystem::path& path) {
    return (dir / ("." + path.filename().string() + ".XXXXXX")).string();
}

// Sets the mode and writes every byte to `fd`, then flushes it to the disk.
WriteResult FillAndSync(int fd, std::string_view bytes, mode_t mode, const std::string& name) {
    if (::fchmod(fd, mode) != 0) return Failure(errno, "chmod " + name);
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Failure(errno, "write " + name);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return Failure(errno, "fsync " + name);
    return {};
}

// The new content in a file without a name until it is complete, so a crash while it is
// written leaves nothing in the folder; it is linked in under a hidden name in `temp` only
// for the rename. Nothing when the file system or kernel cannot do that: the caller then
// writes a named temporary file instead.
std::optional<WriteResult> WriteUnnamed(const std::filesystem::path& dir,
                                        const std::filesystem::path& path,
                                        std::string_view bytes, mode_t mode, std::string& temp) {
    const int fd = ::open(dir.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL) return std::nullopt;
        return Failure(errno, "create a file in " + dir.string());
    }
    if (WriteResult filled = FillAndSync(fd, bytes, mode, path.string() + " (unnamed)");
        !filled.ok) {
        ::close(fd);
        return filled;
    }
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    std::mt19937 random(std::random_device{}());
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = TempName(dir, path);
        for (auto it = temp.end() - 6; it != temp.end(); ++it) {
            *it = kLetters[random() % (sizeof kLetters - 1)];
        }
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            ::close(fd);
            return WriteResult{};
        }
        if (errno != EEXIST) break;
    }
    const int error = errno;
    ::close(fd);
    // Without /proc the unnamed file cannot be linked in; a named one still can.
    if (error == ENOENT) return std::nullopt;
    return Failure(error, "link " + temp);
}

// The new content in a hidden temporary file beside `path`, named in `temp`.
WriteResult WriteNamed(const std::filesystem::path& dir, const std::filesystem::path& path,
                       std::string_view bytes, mode_t mode, std::string& temp) {
    temp = TempName(dir, path);
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Failure(errno, "create " + temp);
    WriteResult filled = FillAndSync(fd, bytes, mode, temp);
    if (::close(fd) != 0 && filled.ok) filled = Failure(errno, "close " + temp);
    if (!filled.ok) ::unlink(temp.c_str());
    return filled;
}

}  // namespace

bool PosixFileStore::Exists(const std::filesystem::path& path) const {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::optional<std::string> PosixFileStore::Read(const std::filesystem::path& path) const {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxReadSize) {
        ::close(fd);
        return std::nullopt;
    }
    std::string content;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        content.append(buffer, static_cast<std::size_t>(n));
        if (content.size() > static_cast<std::size_t>(kMaxReadSize)) {
            ::close(fd);
            return std::nullopt;
        }
    }
    ::close(fd);
    return content;
}

WriteResult PosixFileStore::WriteAtomic(const std::filesystem::path& path,
                                        std::string_view bytes) {
    const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

    std::string temp;
    std::optional<WriteResult> written;
    if (temporary_ == Temporary::UnnamedWhereSupported) {
        written = WriteUnnamed(dir, path, bytes, mode, temp);
    }
    if (!written) written = WriteNamed(dir, path, bytes, mode, temp);
    if (!written->ok) return *written;

    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Failure(error, "rename " + temp);
    }
    // Make the rename itself durable.
    if (const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

}  // namespace quarten
