// One running instance per user: a lock plus a socket in the user's runtime folder, on which
// a second start asks the running one to show its window.
#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QSocketNotifier;

namespace quarten {

class InstanceServer;

class SingleInstance : public QObject {
    Q_OBJECT
public:
    // Answers one request line of another process; the answer goes back to it.
    using Handler = std::function<std::string(std::string_view line)>;

    // key names the lock and the socket; tests pass their own.
    explicit SingleInstance(const QString& key = QStringLiteral("quarten"));
    ~SingleInstance() override;

    // True when this process is now the one instance (or, when no private runtime folder
    // can be had, runs on alone after saying why). False when another instance runs: it has
    // been asked to show its window, and this process should end quietly.
    bool Claim();
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

private:
    void OnReadable();

    QString key_;
    std::unique_ptr<InstanceServer> server_;
    QSocketNotifier* notifier_ = nullptr;
    Handler handler_;
};

}  // namespace quarten
