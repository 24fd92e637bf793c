#include "core/RemoteCommand.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace cfx {

namespace {

struct Wire {
    RemoteCommand command;
    const char* text;
};

constexpr Wire kWire[] = {{RemoteCommand::StartStop, "start-stop"},
                          {RemoteCommand::Snap, "snap"},
                          {RemoteCommand::Reset, "reset"},
                          {RemoteCommand::Menu, "menu"},
                          {RemoteCommand::Raise, "raise"},
                          {RemoteCommand::Status, "status"},
                          {RemoteCommand::Open, "open"}};

} // namespace

QByteArray remoteCommandLine(const RemoteRequest& request) {
    for (const Wire& w : kWire) {
        if (w.command != request.command)
            continue;
        if (request.command == RemoteCommand::Open)
            return QByteArray(w.text) + ' ' + request.path.toUtf8().toPercentEncoding("/") + '\n';
        return QByteArray(w.text) + '\n';
    }
    return {};
}

std::optional<RemoteRequest> parseRemoteCommand(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    const qsizetype blank = text.indexOf(' ');
    const QByteArray word = blank < 0 ? text : text.left(blank);
    for (const Wire& w : kWire) {
        if (word != w.text)
            continue;
        if (w.command != RemoteCommand::Open)
            return blank < 0 ? std::optional<RemoteRequest>(w.command) : std::nullopt;
        const QString path =
            blank < 0 ? QString()
                      : QString::fromUtf8(QByteArray::fromPercentEncoding(text.mid(blank + 1)));
        if (!path.startsWith(QLatin1Char('/')))
            return std::nullopt;
        return RemoteRequest(RemoteCommand::Open, path);
    }
    return std::nullopt;
}

QString remoteServerName(const QString& dataDir, const QString& userId) {
    QString folder = QDir::cleanPath(QFileInfo(dataDir).absoluteFilePath());
    const QFileInfo info(folder);
    if (info.exists())
        folder = info.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("chronofex-%1-%2").arg(userId, QString::fromLatin1(hash));
}

} // namespace cfx
