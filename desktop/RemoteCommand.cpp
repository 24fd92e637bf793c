#include "desktop/RemoteCommand.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace cfx {

namespace {

struct Wire {
    RemoteCommand command;
    const char* text;
};

constexpr Wire kWire[] = {
    {RemoteCommand::StartStop, "start-stop"}, {RemoteCommand::Snap, "snap"},
    {RemoteCommand::Reset, "reset"},          {RemoteCommand::Menu, "menu"},
    {RemoteCommand::Raise, "raise"},          {RemoteCommand::Status, "status"}};

} // namespace

QByteArray remoteCommandLine(RemoteCommand command) {
    for (const Wire& w : kWire) {
        if (w.command == command)
            return QByteArray(w.text) + '\n';
    }
    return {};
}

std::optional<RemoteCommand> parseRemoteCommand(const QByteArray& line) {
    const QByteArray word = line.trimmed();
    for (const Wire& w : kWire) {
        if (word == w.text)
            return w.command;
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
