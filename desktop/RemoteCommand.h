#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Commands that a second start of the program hands to the running one over a local socket.
namespace cfx {

// Status asks what the panel shows; the answer is one line of "name=value" fields.
enum class RemoteCommand { StartStop, Snap, Reset, Menu, Raise, Status };

// The wire form: one line of ASCII ("start-stop\n").
QByteArray remoteCommandLine(RemoteCommand command);
// Parses one received line (without or with its line end); nullopt for anything unknown.
std::optional<RemoteCommand> parseRemoteCommand(const QByteArray& line);

// The local socket's name: one per user and per data folder, so that programs started with
// their own data folder (tests, portable copies) run side by side. The folder is made absolute
// and cleaned first, so "dir" and "dir/" name the same instance.
QString remoteServerName(const QString& dataDir, const QString& userId);

} // namespace cfx
