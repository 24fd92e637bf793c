#include "core/RemoteCommand.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace cfx;

TEST(RemoteCommand, EveryCommandSurvivesTheWire) {
    for (RemoteCommand c : {RemoteCommand::StartStop, RemoteCommand::Snap, RemoteCommand::Reset,
                            RemoteCommand::Menu, RemoteCommand::Raise, RemoteCommand::Status}) {
        const QByteArray line = remoteCommandLine(c);
        EXPECT_TRUE(line.endsWith('\n'));
        EXPECT_EQ(parseRemoteCommand(line), c);
    }
    EXPECT_EQ(parseRemoteCommand("snap\r\n"), RemoteCommand::Snap);
    EXPECT_FALSE(parseRemoteCommand("").has_value());
    EXPECT_FALSE(parseRemoteCommand("snapx").has_value());
    EXPECT_FALSE(parseRemoteCommand("SNAP").has_value());
    EXPECT_FALSE(parseRemoteCommand("snap /tmp/x.CFX").has_value());
}

TEST(RemoteCommand, OpenCarriesAnyPathOnOneLine) {
    // Blanks, a percent sign, a line break and a non-ASCII letter are all legal in a file name.
    const QString path = QString::fromUtf8("/home/me/Lap times 100%\nd\u00e9part.CFX");
    const QByteArray line = remoteCommandLine({RemoteCommand::Open, path});
    EXPECT_EQ(line.count('\n'), 1);
    EXPECT_TRUE(line.endsWith('\n'));
    EXPECT_LE(line.size(), kMaxRemoteLine);
    const auto request = parseRemoteCommand(line);
    ASSERT_TRUE(request.has_value());
    EXPECT_EQ(request->command, RemoteCommand::Open);
    EXPECT_EQ(request->path, path);

    // The running program has its own current folder: only absolute paths are taken.
    EXPECT_FALSE(parseRemoteCommand("open laps.CFX\n").has_value());
    EXPECT_FALSE(parseRemoteCommand("open\n").has_value());
    EXPECT_FALSE(parseRemoteCommand("open \n").has_value());
}

TEST(RemoteCommand, ServerNameDependsOnUserAndDataFolderOnly) {
    QTemporaryDir a, b;
    const QString name = remoteServerName(a.path(), "1000");
    EXPECT_EQ(remoteServerName(a.path() + "/", "1000"), name);
    EXPECT_EQ(remoteServerName(a.path() + "/./", "1000"), name);
    EXPECT_NE(remoteServerName(b.path(), "1000"), name);
    EXPECT_NE(remoteServerName(a.path(), "1001"), name);
    // A name, not a path: the socket goes to the temporary folder and must fit its limits.
    EXPECT_FALSE(name.contains('/'));
    EXPECT_LT(name.size(), 64);

    // A relative folder names the same instance as its absolute form.
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(a.path()));
    EXPECT_EQ(remoteServerName(".", "1000"), name);
    QDir::setCurrent(before);
}
