#include "platform/InstanceChannel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace quarten {
namespace {

constexpr std::size_t kMaxLine = 512;
constexpr int kRequestReadMs = 500;

std::string Errno(const std::string& what, const std::filesystem::path& path) {
    return what + " " + path.string() + ": " + std::strerror(errno);
}

// A folder of this user's that nobody else may enter, made when missing.
bool PrivateFolder(const std::filesystem::path& folder, std::string& why) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        why = Errno("cannot create", folder);
        return false;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        why = Errno("cannot inspect", folder);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        why = folder.string() + " is not a folder";
        return false;
    }
    if (info.st_uid != ::getuid()) {
        why = folder.string() + " belongs to another user";
        return false;
    }
    if ((info.st_mode & 077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        why = Errno("cannot make private", folder);
        return false;
    }
    return true;
}

bool SessionRuntimeDirectory(const char* value) {
    if (!value || value[0] != '/') return false;
    struct stat info {};
    return ::stat(value, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == ::getuid();
}

bool SocketAddress(const std::filesystem::path& path, sockaddr_un& address, std::string& why) {
    address = {};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.size() >= sizeof(address.sun_path)) {
        why = "the socket path " + text + " is too long";
        return false;
    }
    std::memcpy(address.sun_path, text.c_str(), text.size() + 1);
    return true;
}

// Reads up to the first line break, waiting at most `timeoutMs` in all.
std::optional<std::string> ReadLine(int descriptor, int timeoutMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string line;
    while (line.size() < kMaxLine) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return std::nullopt;
        pollfd wait{descriptor, POLLIN, 0};
        const int ready = ::poll(&wait, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return std::nullopt;
        char buffer[128];
        const ssize_t got = ::read(descriptor, buffer, sizeof buffer);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got <= 0) return line.empty() ? std::nullopt : std::optional(line);
        line.append(buffer, static_cast<std::size_t>(got));
        if (const auto end = line.find('\n'); end != std::string::npos) {
            line.resize(end);
            return line;
        }
    }
    return std::nullopt;
}

void SendAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
}

}  // namespace

std::filesystem::path UserRuntimeFolder(std::string& why) {
    std::filesystem::path folder;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); SessionRuntimeDirectory(runtime)) {
        folder = std::filesystem::path(runtime) / "quarten";
    } else {
        // No session runtime directory (a bare X server, su without a login): a folder of
        // our own in /tmp, named by uid so that users never meet there.
        folder = "/tmp/quarten-" + std::to_string(::getuid());
    }
    if (!PrivateFolder(folder, why)) return {};
    return folder;
}

InstancePaths InstancePathsFor(const std::filesystem::path& folder, std::string_view key) {
    const std::string name(key);
    return {folder / (name + ".lock"), folder / (name + ".socket")};
}

InstanceRequest::InstanceRequest(int descriptor, std::string line)
    : descriptor_(descriptor), line_(std::move(line)) {}

InstanceRequest::~InstanceRequest() { ::close(descriptor_); }

void InstanceRequest::Reply(std::string_view answer) {
    std::string line(answer);
    line += '\n';
    SendAll(descriptor_, line);
}

InstanceServer::InstanceServer(int lock, int listening, std::filesystem::path socket)
    : lock_(lock), listening_(listening), socket_(std::move(socket)) {}

InstanceServer::~InstanceServer() {
    ::close(listening_);
    ::unlink(socket_.c_str());  // ours to remove: we still hold the lock
    ::close(lock_);
}

std::unique_ptr<InstanceServer> InstanceServer::Open(const InstancePaths& paths, Claim& claim,
                                                     std::string& why) {
    claim = Claim::Failed;
    sockaddr_un address{};
    if (!SocketAddress(paths.socket, address, why)) return nullptr;
    const int lock = ::open(paths.lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (lock < 0) {
        why = Errno("cannot open", paths.lock);
        return nullptr;
    }
    // flock belongs to the open file: the kernel lets go of it when the holder dies, so a
    // killed instance never blocks the next start.
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        why = held ? "another quarten runs" : Errno("cannot lock", paths.lock);
        ::close(lock);
        if (held) claim = Claim::AnotherRuns;
        return nullptr;
    }
    // A socket left by a killed instance is only removed by the one who holds the lock.
    ::unlink(paths.socket.c_str());
    const int listening = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (listening < 0 ||
        ::bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listening, 8) != 0) {
        why = Errno("cannot listen on", paths.socket);
        if (listening >= 0) ::close(listening);
        ::close(lock);
        return nullptr;
    }
    claim = Claim::Ours;
    return std::unique_ptr<InstanceServer>(new InstanceServer(lock, listening, paths.socket));
}

std::unique_ptr<InstanceRequest> InstanceServer::Accept() {
    while (true) {
        const int client = ::accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return nullptr;  // EAGAIN: nothing waits
        }
        ucred peer{};
        socklen_t size = sizeof peer;
        const bool sameUser =
            ::getsockopt(client, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == ::getuid();
        std::optional<std::string> line;
        if (sameUser) line = ReadLine(client, kRequestReadMs);
        if (!line) {
            ::close(client);
            continue;
        }
        return std::make_unique<InstanceRequest>(client, std::move(*line));
    }
}

std::optional<std::string> SendInstanceRequest(const InstancePaths& paths, std::string_view line,
                                               int timeoutMs, std::string& why) {
    sockaddr_un address{};
    if (!SocketAddress(paths.socket, address, why)) return std::nullopt;
    const int client = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (client < 0) {
        why = Errno("cannot create a socket for", paths.socket);
        return std::nullopt;
    }
    if (::connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        why = (errno == ENOENT || errno == ECONNREFUSED) ? "no quarten runs for this user"
                                                         : Errno("cannot connect to", paths.socket);
        ::close(client);
        return std::nullopt;
    }
    std::string request(line);
    request += '\n';
    SendAll(client, request);
    std::optional<std::string> answer = ReadLine(client, timeoutMs);
    ::close(client);
    if (!answer) why = "quarten did not answer";
    return answer;
}

}  // namespace quarten
