#include "ui/SingleInstance.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>

#include <cstdio>

#include "platform/InstanceChannel.h"

namespace quarten {
namespace {

constexpr int kAnswerMs = 3000;
// The running instance takes the lock a moment before its socket listens.
constexpr int kListenGraceMs = 2000;

}  // namespace

SingleInstance::SingleInstance(const QString& key) : key_(key) {}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::Claim() {
    std::string why;
    const std::filesystem::path folder = UserRuntimeFolder(why);
    if (folder.empty()) {
        std::fprintf(stderr, "quarten: no private runtime folder (%s); running without the "
                             "single-instance check\n", why.c_str());
        return true;
    }
    const InstancePaths paths = InstancePathsFor(folder, key_.toStdString());
    InstanceServer::Claim claim = InstanceServer::Claim::Failed;
    server_ = InstanceServer::Open(paths, claim, why);
    if (claim == InstanceServer::Claim::AnotherRuns) {
        const QDeadlineTimer deadline(kListenGraceMs);
        while (!SendInstanceRequest(paths, kShowRequest, kAnswerMs, why) && !deadline.hasExpired()) {
            QThread::msleep(50);
        }
        return false;
    }
    if (!server_) {
        std::fprintf(stderr, "quarten: %s; running without the single-instance check\n",
                     why.c_str());
        return true;
    }
    notifier_ = new QSocketNotifier(server_->Descriptor(), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &SingleInstance::OnReadable);
    return true;
}

void SingleInstance::OnReadable() {
    while (std::unique_ptr<InstanceRequest> request = server_->Accept()) {
        request->Reply(handler_ ? handler_(request->Line())
                                : std::string(kRequestRefused) + "not ready");
    }
}

}  // namespace quarten
