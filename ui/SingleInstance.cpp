#include "ui/SingleInstance.h"

#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace quarten {

SingleInstance::SingleInstance(const QString& key) : key_(key) {}

bool SingleInstance::Claim() {
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) dir = QDir::tempPath();
    lock_ = std::make_unique<QLockFile>(dir + "/" + key_ + ".lock");
    // A lock left by a killed instance is recognised (pid, host, boot) and taken over.
    lock_->setStaleLockTime(0);
    if (!lock_->tryLock(100)) {
        QLocalSocket knock;
        knock.connectToServer(key_);
        if (knock.waitForConnected(500)) {
            knock.write("show\n");
            knock.waitForBytesWritten(500);
            knock.disconnectFromServer();
        }
        return false;
    }
    // Only the lock holder may clear a socket that a killed instance left behind.
    QLocalServer::removeServer(key_);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (server_.listen(key_)) {
        connect(&server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
                emit anotherStartAttempted();
            }
        });
    }
    return true;
}

}  // namespace quarten
