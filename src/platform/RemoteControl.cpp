#include "platform/RemoteControl.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

#include <cstdio>

#include <unistd.h>

namespace cfx {

QString remoteServerNameForUser(const QString& dataDir) {
    return remoteServerName(dataDir, QString::number(getuid()));
}

RemoteResult sendRemoteCommand(const QString& serverName, const RemoteRequest& request,
                               QString* error, int timeoutMs, QByteArray* reply) {
    QLocalSocket socket;
    socket.connectToServer(serverName);
    if (!socket.waitForConnected(timeoutMs)) {
        const auto e = socket.error();
        if (error)
            *error = socket.errorString();
        // No socket, or a socket nobody listens on (left behind by a crash).
        if (e == QLocalSocket::ServerNotFoundError || e == QLocalSocket::ConnectionRefusedError)
            return RemoteResult::NoneRunning;
        return RemoteResult::Failed;
    }
    socket.write(remoteCommandLine(request));
    if (!socket.waitForBytesWritten(timeoutMs)) {
        if (error)
            *error = socket.errorString();
        return RemoteResult::Failed;
    }
    // The answer comes after the command was carried out.
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs)) {
            if (error)
                *error = QStringLiteral("the running program did not answer");
            return RemoteResult::Failed;
        }
    }
    const QByteArray answer = socket.readLine().trimmed();
    if (answer != "ok" && !answer.startsWith("ok ")) {
        if (error)
            *error = QStringLiteral("the running program refused the command");
        return RemoteResult::Failed;
    }
    if (reply)
        *reply = answer.mid(3);
    return RemoteResult::Delivered;
}

int runRemoteClient(RemoteCommand command, const QString& dataDir) {
    QString why;
    const RemoteResult result = sendRemoteCommand(remoteServerNameForUser(dataDir), command, &why);
    QString message;
    if (result == RemoteResult::NoneRunning)
        message = QStringLiteral("chronofex: no Chronofex is running for the data folder %1\n")
                      .arg(QDir::toNativeSeparators(dataDir));
    else if (result == RemoteResult::Failed)
        message = QStringLiteral("chronofex: the running Chronofex did not take the command: %1\n")
                      .arg(why);
    if (!message.isEmpty()) {
        std::fputs(message.toLocal8Bit().constData(), stderr);
        return 1;
    }
    return 0;
}

RemoteControlServer::RemoteControlServer(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &RemoteControlServer::acceptConnection);
}

RemoteControlServer::~RemoteControlServer() {
    m_server->close();
}

bool RemoteControlServer::listen(const QString& serverName, QString* error) {
    // Asked first: listening would quietly take the name over from a running program.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(1000)) {
        if (error)
            *error = QStringLiteral("another Chronofex already runs for this data folder");
        return false;
    }
    if (m_server->listen(serverName))
        return true;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody answered: a socket left behind by a program that crashed.
        QLocalServer::removeServer(serverName);
        if (m_server->listen(serverName))
            return true;
    }
    if (error)
        *error = m_server->errorString();
    return false;
}

void RemoteControlServer::acceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > cfx::kMaxRemoteLine)
                    socket->disconnectFromServer(); // no command is that long
                return;
            }
            const std::optional<cfx::RemoteRequest> request =
                cfx::parseRemoteCommand(socket->readLine(cfx::kMaxRemoteLine + 1));
            QPointer<QLocalSocket> guard(socket);
            QByteArray answer = request ? QByteArray("ok") : QByteArray("unknown");
            if (request && request->command == cfx::RemoteCommand::Status) {
                if (m_status)
                    answer += ' ' + m_status();
            } else if (request && request->command == cfx::RemoteCommand::Open) {
                Q_EMIT openRequested(request->path);
            } else if (request) {
                Q_EMIT commandReceived(request->command);
            }
            if (!guard)
                return;
            guard->write(answer + '\n');
            guard->flush();
            guard->disconnectFromServer();
        });
    }
}

} // namespace cfx
