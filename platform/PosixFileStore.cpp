#include "platform/PosixFileStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace quarten {
namespace {

// Files we read are small text and settings files; anything larger is not one of ours.
constexpr off_t kMaxReadSize = 64 * 1024 * 1024;

WriteResult Failure(int error, const std::string& step) {
    return {false, error, step + ": " + std::strerror(error)};
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
    std::string temp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return Failure(errno, "create " + temp);

    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    auto abandon = [&](int error, const std::string& step) {
        ::close(fd);
        ::unlink(temp.c_str());
        return Failure(error, step);
    };
    if (::fchmod(fd, mode) != 0) return abandon(errno, "chmod " + temp);
    for (std::size_t written = 0; written < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return abandon(errno, "write " + temp);
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return abandon(errno, "fsync " + temp);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return Failure(error, "close " + temp);
    }
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
