// One running instance per user: a lock file plus a local socket the second start knocks on.
#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>

#include <memory>

namespace quarten {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // key names the lock and the socket; tests pass their own.
    explicit SingleInstance(const QString& key = QStringLiteral("quarten"));
    // True when this process is now the one instance. Otherwise the running instance has
    // been told that someone tried to start (it may show its window), and this one should
    // exit quietly.
    bool Claim();

signals:
    void anotherStartAttempted();

private:
    QString key_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer server_;
};

}  // namespace quarten
