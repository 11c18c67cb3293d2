#include "tests/journey/Notices.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

namespace quarten::journey {
namespace {

// dbus-monitor prints a call's arguments one a line, indented, strings in quotes and not
// escaped; a string with line breaks runs on over the following lines.
class Arguments {
public:
    explicit Arguments(QStringList lines) : lines_(std::move(lines)) {}

    bool AtEnd() const { return next_ >= lines_.size(); }
    QString Peek() const { return AtEnd() ? QString() : lines_[next_].trimmed(); }
    QString Take() { return AtEnd() ? QString() : lines_[next_++].trimmed(); }

    // The value of a `string "..."` line (also after "variant ... string").
    QString String() {
        QString line = Take();
        const qsizetype open = line.indexOf('"');
        if (open < 0) return {};
        QString text = line.mid(open + 1);
        while (!text.endsWith('"') && !AtEnd()) text += "\n" + lines_[next_++];
        if (text.endsWith('"')) text.chop(1);
        return text;
    }
    // The number of an `int32 N` or `uint32 N` line.
    qint64 Number() { return Take().section(' ', -1).toLongLong(); }
    // Skips an `array [ ... ]`, nested ones included.
    void SkipArray() {
        int depth = 0;
        while (!AtEnd()) {
            const QString line = Take();
            if (line.endsWith('[')) ++depth;
            if (line == "]" && --depth == 0) return;
        }
    }

private:
    QStringList lines_;
    qsizetype next_ = 0;
};

NotifyCall ParseCall(const QStringList& lines) {
    Arguments a(lines);
    NotifyCall call;
    call.appName = a.String();
    call.replacesId = static_cast<quint32>(a.Number());
    call.appIcon = a.String();
    call.summary = a.String();
    call.body = a.String();
    a.SkipArray();  // actions
    if (a.Take().startsWith("array [")) {
        while (!a.AtEnd() && a.Peek() != "]") {
            if (a.Take() != "dict entry(") continue;
            const QString key = a.String();
            const QString variant = a.Peek();
            QString value = variant.section(' ', 1).simplified();
            if (value.startsWith("string ")) {
                value = a.String();
            } else {
                a.Take();
            }
            call.hints.insert(key, value);
            if (a.Peek() == ")") a.Take();
        }
        a.Take();  // "]"
    }
    call.expireTimeout = static_cast<int>(a.Number());
    return call;
}

}  // namespace

std::vector<NotifyCall> ParseNotifyCalls(const QString& monitorLog) {
    std::vector<NotifyCall> calls;
    const QStringList lines = monitorLog.split('\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines[i].startsWith("method call") || !lines[i].contains("member=Notify")) continue;
        QStringList arguments;
        qsizetype j = i + 1;
        auto isHeader = [](const QString& line) {
            return line.startsWith("method ") || line.startsWith("signal ") ||
                   line.startsWith("error ");
        };
        while (j < lines.size() && !isHeader(lines[j])) arguments << lines[j++];
        while (!arguments.isEmpty() && arguments.last().trimmed().isEmpty()) arguments.removeLast();
        // A call still being written has no time-out line yet; it is read next time.
        if (arguments.isEmpty() || !arguments.last().trimmed().startsWith("int32 ")) continue;
        calls.push_back(ParseCall(arguments));
        i = j - 1;
    }
    return calls;
}

std::vector<ShownNotice> DunstHistory(const Desktop& desktop) {
    desktop.Run("dunstctl", {"close-all"});
    const ToolRun history = desktop.Run("dunstctl", {"history"});
    std::vector<ShownNotice> notices;
    const QJsonDocument json = QJsonDocument::fromJson(history.out.toUtf8());
    const QJsonArray groups = json.object().value("data").toArray();
    for (const QJsonValue& group : groups) {
        for (const QJsonValue& entry : group.toArray()) {
            const QJsonObject o = entry.toObject();
            auto field = [&](const char* name) { return o.value(name).toObject().value("data"); };
            ShownNotice n;
            n.id = field("id").toInteger();
            n.appName = field("appname").toString();
            n.summary = field("summary").toString();
            n.body = field("body").toString();
            n.iconPath = field("icon_path").toString();
            n.timeoutMicroseconds = field("timeout").toInteger();
            notices.push_back(n);
        }
    }
    return notices;
}

}  // namespace quarten::journey
