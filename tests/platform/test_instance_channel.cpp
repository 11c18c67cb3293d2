// The per-user runtime folder and the instance lock and socket in it: one instance per user,
// never shared with another user, never blocked by one that was killed.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <future>

#include "platform/InstanceChannel.h"
#include "tests/support/TempDir.h"

namespace quarten {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the scope, or removes it with a null value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

mode_t Mode(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode & 07777;
}

TEST(UserRuntimeFolder, IsAPrivateFolderInTheSessionsRuntimeDirectory) {
    test::TempDir dir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    std::string why;
    EXPECT_EQ(UserRuntimeFolder(why), dir / "quarten") << why;
    EXPECT_EQ(Mode(dir / "quarten"), 0700u);

    // A folder left open to others is closed again; one that is a symlink is refused,
    // since whoever made it could read or answer in our place.
    ::chmod((dir / "quarten").c_str(), 0777);
    EXPECT_EQ(UserRuntimeFolder(why), dir / "quarten") << why;
    EXPECT_EQ(Mode(dir / "quarten"), 0700u);
    fs::remove(dir / "quarten");
    fs::create_directory(dir / "elsewhere");
    fs::create_directory_symlink(dir / "elsewhere", dir / "quarten");
    EXPECT_EQ(UserRuntimeFolder(why), fs::path());
    EXPECT_NE(why.find("is not a folder"), std::string::npos) << why;
}

TEST(UserRuntimeFolder, WithoutARuntimeDirectoryOfOursUsesOneNamedByUid) {
    const fs::path own = "/tmp/quarten-" + std::to_string(::getuid());
    for (const char* value : {static_cast<const char*>(nullptr), "", "relative/dir", "/nonexistent"}) {
        ScopedEnv runtime("XDG_RUNTIME_DIR", value);
        std::string why;
        EXPECT_EQ(UserRuntimeFolder(why), own) << (value ? value : "(unset)") << ": " << why;
        EXPECT_EQ(Mode(own), 0700u);
    }
}

TEST(UserRuntimeFolder, RefusesAFolderOfAnotherUser) {
    if (::getuid() != 0) GTEST_SKIP() << "needs root to give a folder to another user";
    test::TempDir dir;
    ScopedEnv runtime("XDG_RUNTIME_DIR", dir.Path().c_str());
    fs::create_directory(dir / "quarten");
    ASSERT_EQ(::chown((dir / "quarten").c_str(), 65534, 65534), 0);
    std::string why;
    EXPECT_EQ(UserRuntimeFolder(why), fs::path());
    EXPECT_NE(why.find("belongs to another user"), std::string::npos) << why;
}

class InstanceChannelTest : public ::testing::Test {
protected:
    test::TempDir dir;  // first: the paths are made from it
    InstancePaths paths = InstancePathsFor(dir.Path(), "quarten");
};

TEST_F(InstanceChannelTest, OneInstanceHoldsTheLockAndAnswersRequests) {
    InstanceServer::Claim claim{};
    std::string why;
    auto first = InstanceServer::Open(paths, claim, why);
    ASSERT_TRUE(first) << why;
    EXPECT_EQ(claim, InstanceServer::Claim::Ours);
    EXPECT_EQ(Mode(paths.lock), 0600u);

    EXPECT_FALSE(InstanceServer::Open(paths, claim, why));
    EXPECT_EQ(claim, InstanceServer::Claim::AnotherRuns);

    // Nothing waits before anyone asks.
    EXPECT_EQ(first->Accept(), nullptr);
    auto answer = std::async(std::launch::async, [&] {
        std::string clientWhy;
        return SendInstanceRequest(paths, "sim-event 06 07 00 02", 5000, clientWhy);
    });
    std::unique_ptr<InstanceRequest> request;
    while (!request) request = first->Accept();
    EXPECT_EQ(request->Line(), "sim-event 06 07 00 02");
    request->Reply("ok");
    request.reset();
    EXPECT_EQ(answer.get(), std::optional<std::string>("ok"));

    // Once the instance is gone, the socket is too, and asking says nobody runs.
    first.reset();
    EXPECT_FALSE(fs::exists(paths.socket));
    EXPECT_FALSE(SendInstanceRequest(paths, "show", 500, why));
    EXPECT_EQ(why, "no quarten runs for this user");
}

TEST_F(InstanceChannelTest, AKilledInstanceLeavesNothingThatBlocksTheNextStart) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceServer::Claim claim{};
        std::string why;
        auto server = InstanceServer::Open(paths, claim, why);
        ::kill(::getpid(), SIGKILL);  // dies holding the lock, its socket left behind
        std::_Exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_TRUE(fs::exists(paths.socket));

    std::string why;
    EXPECT_FALSE(SendInstanceRequest(paths, "show", 500, why));  // a dead socket answers nobody
    InstanceServer::Claim claim{};
    auto next = InstanceServer::Open(paths, claim, why);
    EXPECT_TRUE(next) << why;
    EXPECT_EQ(claim, InstanceServer::Claim::Ours);
}

TEST_F(InstanceChannelTest, AClientThatSaysNothingIsDroppedWithoutHoldingTheInstance) {
    InstanceServer::Claim claim{};
    std::string why;
    auto server = InstanceServer::Open(paths, claim, why);
    ASSERT_TRUE(server) << why;
    // Connects and never writes its line: the instance gives up on it and goes on.
    const int silent = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", paths.socket.c_str());
    ASSERT_EQ(::connect(silent, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(server->Accept(), nullptr);
    ::close(silent);
}

}  // namespace
}  // namespace quarten
