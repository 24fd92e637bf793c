#pragma once

#include "core/RemoteCommand.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace cfx {

// One running program per user and data folder, worked from outside over a local socket: a
// second start hands its command (or "raise") to the first and ends.

enum class RemoteResult { Delivered, NoneRunning, Failed };

// The folder the program's sockets live in: $XDG_RUNTIME_DIR/chronofex, or without it
// /tmp/chronofex-<uid>. It is made with mode 0700 and used only while it is a real folder (not a
// link) owned by the current user that no one else may enter; empty, with the reason, otherwise.
QString privateSocketFolder(QString* error = nullptr);

// The socket's path for a data folder in the private folder; empty, with the reason, when the
// private folder cannot be used.
QString remoteSocketPath(const QString& dataDir, QString* error = nullptr);

// Sends one command and waits until the running program has carried it out. A socket held by
// another user is never talked to.
// reply receives what the program answered after "ok" (the fields of Status).
RemoteResult sendRemoteCommand(const QString& serverName, const RemoteRequest& request,
                               QString* error = nullptr, int timeoutMs = 5000,
                               QByteArray* reply = nullptr);

// A later start of the program with a command: hands it to the program running for the data
// folder and returns the exit code (0 done, 1 none runs or it failed), saying why on stderr.
int runRemoteClient(RemoteCommand command, const QString& dataDir);

// The running program's end of the socket.
class RemoteControlServer : public QObject {
    Q_OBJECT

public:
    explicit RemoteControlServer(QObject* parent = nullptr);
    ~RemoteControlServer() override;

    static constexpr int kMaxConnections = 16;
    static constexpr int kIdleTimeoutMs = 5000;
    static constexpr int kRelistenMs = 1000;

    // Listens on the socket path; a socket left behind by a program that crashed is replaced.
    // False (with the reason) when another program answers on it or the socket cannot be made.
    // Only the current user's programs are served; a connection idle for longer than the idle
    // timeout is closed, and beyond kMaxConnections at once the oldest goes; a listening socket
    // lost to an error (no descriptors left, for one) is made again.
    bool listen(const QString& serverName, QString* error = nullptr);
    bool isListening() const;
    void setIdleTimeout(int ms) { m_idleTimeoutMs = ms; }

    // While a reason is set (the program waits for an answer the user must give first), the
    // commands that would act on the clock or the session are refused with it instead of being
    // carried out; Status and Raise are still answered. Empty: every command is carried out.
    void setRefusal(const QString& reason) { m_refusal = reason; }

    // Answers Status.
    void setStatusProvider(std::function<QByteArray()> provider) { m_status = std::move(provider); }

Q_SIGNALS:
    // Carried out before the sender is told that it was.
    void commandReceived(cfx::RemoteCommand command);
    // A session file to open. The sender is told once it arrived; the file is opened by whoever
    // listens, through a queued connection when opening may show a message.
    void openRequested(const QString& path);

private:
    void acceptConnection();
    void serve(QLocalSocket* socket);
    void relistenIfLost();

    QLocalServer* m_server = nullptr;
    QTimer* m_relisten = nullptr;
    QString m_name;
    QList<QPointer<QLocalSocket>> m_clients; // oldest first
    int m_idleTimeoutMs = kIdleTimeoutMs;
    std::function<QByteArray()> m_status;
    QString m_refusal;
};

} // namespace cfx
