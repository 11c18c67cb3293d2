// The per-user meeting point of quarten's processes: a lock only the running instance
// holds, and a socket beside it on which later starts and quartenctl send one-line requests.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quarten {

// This user's private runtime folder for quarten: $XDG_RUNTIME_DIR/quarten when the
// session has a runtime directory of this user's, else /tmp/quarten-<uid>. The folder is
// created with mode 0700 and refused when it is a symlink, belongs to someone else or is
// open to others, so no other user can take the lock or answer in quarten's name. Empty
// with `why` set when no such folder can be had.
std::filesystem::path UserRuntimeFolder(std::string& why);

struct InstancePaths {
    std::filesystem::path lock;
    std::filesystem::path socket;
};

// The lock and socket of the instance named `key` ("quarten"; tests use their own keys).
InstancePaths InstancePathsFor(const std::filesystem::path& folder, std::string_view key);

// The requests the running instance understands, each one line: open the window; hand
// the hex bytes that follow to the simulated mouse as a report it sends on its own.
inline constexpr std::string_view kShowRequest = "show";
inline constexpr std::string_view kSimEventRequest = "sim-event";
// Its answers: done, or "error: " and why.
inline constexpr std::string_view kRequestDone = "ok";
inline constexpr std::string_view kRequestRefused = "error: ";

// One request that reached the running instance; Reply answers it and ends the exchange.
class InstanceRequest {
public:
    InstanceRequest(int descriptor, std::string line);
    ~InstanceRequest();
    InstanceRequest(const InstanceRequest&) = delete;
    InstanceRequest& operator=(const InstanceRequest&) = delete;

    const std::string& Line() const { return line_; }
    void Reply(std::string_view answer);

private:
    int descriptor_;
    std::string line_;
};

class InstanceServer {
public:
    enum class Claim { Ours, AnotherRuns, Failed };

    // Takes the lock and listens on the socket. AnotherRuns when a live instance holds the
    // lock (the kernel drops the lock of a killed one, so a stale lock never counts);
    // Failed with `why` when the lock or the socket cannot be made.
    static std::unique_ptr<InstanceServer> Open(const InstancePaths& paths, Claim& claim,
                                                std::string& why);
    ~InstanceServer();
    InstanceServer(const InstanceServer&) = delete;
    InstanceServer& operator=(const InstanceServer&) = delete;

    // The listening socket, readable when a request waits.
    int Descriptor() const { return listening_; }
    // The next waiting request of this same user, or null when none waits. Requests from
    // other users, and clients that do not finish their line promptly, are dropped.
    std::unique_ptr<InstanceRequest> Accept();

private:
    InstanceServer(int lock, int listening, std::filesystem::path socket);
    int lock_;
    int listening_;
    std::filesystem::path socket_;
};

// Sends one line to the running instance and returns its one-line answer. Empty when no
// instance listens (`why` says so) or it did not answer within `timeoutMs`.
std::optional<std::string> SendInstanceRequest(const InstancePaths& paths, std::string_view line,
                                               int timeoutMs, std::string& why);

}  // namespace quarten
