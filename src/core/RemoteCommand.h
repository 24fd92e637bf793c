#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <utility>

namespace cfx {

// Commands that a second start of the program hands to the running one over a local socket.

// Status asks what the panel shows; the answer is one line of "name=value" fields. Open hands
// over a session file named at a later start (by a file manager, for example).
enum class RemoteCommand { StartStop, Snap, Reset, Menu, Raise, Status, Open };

// A command and, for Open, the session file's absolute path.
// The command of a global hotkey: 0 Start/Stop, 1 Snap, 2 Reset, 3 the options menu at the
// pointer; none for any other number.
inline std::optional<RemoteCommand> hotkeyCommand(int id) {
    if (id < 0 || id > static_cast<int>(RemoteCommand::Menu))
        return std::nullopt;
    return static_cast<RemoteCommand>(id);
}

struct RemoteRequest {
    RemoteRequest(RemoteCommand c = RemoteCommand::Raise, QString p = {})
        : command(c), path(std::move(p)) {}
    RemoteCommand command;
    QString path;
    bool operator==(const RemoteRequest&) const = default;
};

// The longest line the running program reads: "open " and a percent-encoded path.
constexpr qint64 kMaxRemoteLine = 16384;

// The wire form: one line of ASCII ("start-stop\n", "open /home/me/Lap%20times.CFX\n").
QByteArray remoteCommandLine(const RemoteRequest& request);
// Parses one received line (without or with its line end); nullopt for anything unknown, and
// for Open without an absolute path (the running program has a folder of its own).
std::optional<RemoteRequest> parseRemoteCommand(const QByteArray& line);

// The local socket's name: one per user and per data folder, so that programs started with
// their own data folder (tests, portable copies) run side by side. The folder is made absolute
// and cleaned first, so "dir" and "dir/" name the same instance.
QString remoteServerName(const QString& dataDir, const QString& userId);

} // namespace cfx
