#include "platform/RemoteControl.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cfx {

namespace {

// The user id of the process at the other end of a connected local socket; -1 when unknown.
qint64 peerUserId(qintptr descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 ||
        getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0)
        return -1;
    return credentials.uid;
}

} // namespace

QString privateSocketFolder(QString* error) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QFileInfo(runtime).isAbsolute()
                               ? runtime + QStringLiteral("/chronofex")
                               : QStringLiteral("/tmp/chronofex-%1").arg(getuid());
    const QByteArray path = QFile::encodeName(folder);
    auto fail = [&](const QString& why) {
        if (error)
            *error = QStringLiteral("the folder %1 cannot hold the program's socket: %2")
                         .arg(folder, why);
        return QString();
    };
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    struct stat info {};
    if (::lstat(path.constData(), &info) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISDIR(info.st_mode))
        return fail(QStringLiteral("it is not a folder"));
    if (info.st_uid != getuid())
        return fail(QStringLiteral("it belongs to another user"));
    // Ours, but others may enter: close it.
    if ((info.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    return folder;
}

QString remoteSocketPath(const QString& dataDir, QString* error) {
    const QString folder = privateSocketFolder(error);
    if (folder.isEmpty())
        return {};
    return folder + QLatin1Char('/') + remoteServerName(dataDir, QString::number(getuid()));
}

RemoteResult sendRemoteCommand(const QString& serverName, const RemoteRequest& request,
                               QString* error, int timeoutMs, QByteArray* reply) {
    if (serverName.isEmpty())
        return RemoteResult::NoneRunning; // no private folder, so no program listens there
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
    if (peerUserId(socket.socketDescriptor()) != getuid()) {
        if (error)
            *error = QStringLiteral("the socket is held by another user");
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
            *error = answer.startsWith("refused ")
                         ? QString::fromUtf8(answer.mid(8))
                         : QStringLiteral("the running program refused the command");
        return RemoteResult::Failed;
    }
    if (reply)
        *reply = answer.mid(3);
    return RemoteResult::Delivered;
}

int runRemoteClient(RemoteCommand command, const QString& dataDir) {
    QString why;
    const RemoteResult result = sendRemoteCommand(remoteSocketPath(dataDir), command, &why);
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
    : QObject(parent), m_server(new QLocalServer(this)), m_relisten(new QTimer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &RemoteControlServer::acceptConnection);
    // The server closes itself when an accept fails (no descriptors left, for one).
    m_relisten->setInterval(kRelistenMs);
    connect(m_relisten, &QTimer::timeout, this, &RemoteControlServer::relistenIfLost);
}

RemoteControlServer::~RemoteControlServer() {
    m_server->close();
}

bool RemoteControlServer::isListening() const {
    return m_server->isListening();
}

bool RemoteControlServer::listen(const QString& serverName, QString* error) {
    if (serverName.isEmpty()) {
        if (error && error->isEmpty())
            *error = QStringLiteral("there is no private folder for the program's socket");
        return false;
    }
    // Asked first: listening would quietly take the name over from a running program.
    QLocalSocket probe;
    probe.connectToServer(serverName);
    if (probe.waitForConnected(1000)) {
        if (error)
            *error = QStringLiteral("another Chronofex already runs for this data folder");
        return false;
    }
    bool listening = m_server->listen(serverName);
    if (!listening && m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Nobody answered: a socket left behind by a program that crashed.
        QLocalServer::removeServer(serverName);
        listening = m_server->listen(serverName);
    }
    if (!listening) {
        if (error)
            *error = m_server->errorString();
        return false;
    }
    m_name = serverName;
    m_relisten->start();
    return true;
}

void RemoteControlServer::relistenIfLost() {
    if (m_server->isListening() || m_name.isEmpty())
        return;
    QLocalServer::removeServer(m_name);
    m_server->listen(m_name);
}

void RemoteControlServer::acceptConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        if (peerUserId(socket->socketDescriptor()) != getuid()) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
        // Full: the connection waiting longest goes, so a flood of idle connections cannot
        // keep a real command out.
        m_clients.removeAll(nullptr);
        while (m_clients.size() >= kMaxConnections) {
            QLocalSocket* oldest = m_clients.takeFirst();
            oldest->abort();
            oldest->deleteLater();
        }
        serve(socket);
    }
}

void RemoteControlServer::serve(QLocalSocket* socket) {
    m_clients << socket;
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A line longer than any command is never read whole.
    socket->setReadBufferSize(cfx::kMaxRemoteLine + 2);
    auto* idle = new QTimer(socket);
    idle->setSingleShot(true);
    connect(idle, &QTimer::timeout, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    idle->start(m_idleTimeoutMs);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > cfx::kMaxRemoteLine) {
                socket->abort(); // no command is that long
                socket->deleteLater();
            }
            return;
        }
        const QByteArray line = socket->readLine();
        const std::optional<cfx::RemoteRequest> request =
            line.size() > cfx::kMaxRemoteLine ? std::nullopt : cfx::parseRemoteCommand(line);
        QPointer<QLocalSocket> guard(socket);
        QByteArray answer = request ? QByteArray("ok") : QByteArray("unknown");
        const bool refused = request && !m_refusal.isEmpty() &&
                             request->command != cfx::RemoteCommand::Status &&
                             request->command != cfx::RemoteCommand::Raise;
        if (refused) {
            // Not carried out later either: a snap or a start taken once the user has answered
            // would hold the wrong time.
            answer = "refused " + m_refusal.toUtf8();
        } else if (request && request->command == cfx::RemoteCommand::Status) {
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

} // namespace cfx
