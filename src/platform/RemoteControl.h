#pragma once

#include "core/RemoteCommand.h"

#include <QObject>
#include <QString>

#include <functional>

class QLocalServer;

namespace cfx {

// One running program per user and data folder, worked from outside over a local socket: a
// second start hands its command (or "raise") to the first and ends.

enum class RemoteResult { Delivered, NoneRunning, Failed };

// The socket name for a data folder and the current user.
QString remoteServerNameForUser(const QString& dataDir);

// Sends one command and waits until the running program has carried it out.
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

    // Listens under the name; a socket left behind by a program that crashed is replaced.
    // False (with the reason) when another program answers on it or the socket cannot be made.
    bool listen(const QString& serverName, QString* error = nullptr);

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

    QLocalServer* m_server = nullptr;
    std::function<QByteArray()> m_status;
};

} // namespace cfx
