#include "app/CommandLine.h"
#include "platform/DataDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace cfx;

namespace {
CommandLine parse(QStringList args) {
    args.prepend("chronofex");
    return CommandLine::parse(args);
}
} // namespace

TEST(CommandLine, ReadsEveryOption) {
    CommandLine cl = parse({"--data-dir", "/tmp/x", "run.CFX"});
    ASSERT_TRUE(cl.ok);
    EXPECT_EQ(cl.dataDir, "/tmp/x");
    EXPECT_EQ(cl.sessionPath, "run.CFX");

    cl = parse({"--data-dir=/d", "--open=a.cfx", "--no-splash"});
    ASSERT_TRUE(cl.ok);
    EXPECT_EQ(cl.dataDir, "/d");
    EXPECT_EQ(cl.sessionPath, "a.cfx");
    EXPECT_TRUE(cl.noSplash);

    EXPECT_EQ(parse({"--report", "s.CFX"}).reportPath, "s.CFX");
    EXPECT_TRUE(parse({"-h"}).help);
    EXPECT_TRUE(parse({"--version"}).version);
    EXPECT_EQ(parse({"--snap"}).remote, CommandLine::Remote::Snap);
    EXPECT_EQ(parse({"--start-stop"}).remote, CommandLine::Remote::StartStop);
    EXPECT_EQ(parse({"--reset"}).remote, CommandLine::Remote::Reset);
    EXPECT_EQ(parse({"--menu"}).remote, CommandLine::Remote::Menu);
    EXPECT_EQ(parse({"--hotkeys=portal"}).hotkeys, "portal");
    EXPECT_EQ(parse({"--hotkeys", "x11"}).hotkeys, "x11");
    EXPECT_EQ(parse({}).hotkeys, QString());
}

TEST(CommandLine, RefusesWhatItDoesNotKnow) {
    for (const QStringList& bad :
         {QStringList{"--frobnicate"}, QStringList{"--data-dir"}, QStringList{"a.CFX", "b.CFX"},
          QStringList{"--snap", "--reset"}, QStringList{"--report", "a.CFX", "b.CFX"},
          QStringList{"-x"}, QStringList{"--hotkeys=wayland"}, QStringList{"--hotkeys"}}) {
        const CommandLine cl = parse(bad);
        EXPECT_FALSE(cl.ok) << bad.join(' ').toStdString();
        EXPECT_FALSE(cl.error.isEmpty());
    }
    EXPECT_TRUE(CommandLine::usage().contains("--data-dir"));
}

TEST(DataDir, TakesTheFirstSourceThatIsGiven) {
    QTemporaryDir root;
    const QString cli = root.filePath("cli/sub");
    const QString env = root.filePath("env");
    const QString exe = root.filePath("exe");
    const QString user = root.filePath("user/chronofex");
    QDir().mkpath(exe);

    DataDirChoice c = chooseDataDir(cli, env, exe, user);
    EXPECT_EQ(c.path, cli);
    EXPECT_TRUE(c.error.isEmpty());
    EXPECT_TRUE(QFileInfo(cli).isDir()); // created on demand
    EXPECT_EQ(chooseDataDir({}, env, exe, user).path, env);
    EXPECT_EQ(chooseDataDir({}, {}, exe, user).path, exe);
    EXPECT_EQ(chooseDataDir({}, {}, root.filePath("missing-exe"), user).path, user);
    EXPECT_TRUE(QFileInfo(user).isDir());
    EXPECT_EQ(chooseDataDir(root.filePath("a/../b/"), {}, exe, user).path, root.filePath("b"));

    // An installed program's folder is never the data folder, even for a user who may write there.
    for (const char* system : {"/usr/bin", "/usr/local/bin", "/opt/chronofex", "/", "/bin/../usr"})
        EXPECT_EQ(chooseDataDir({}, {}, QString::fromLatin1(system), user).path, user) << system;
    EXPECT_FALSE(isSystemFolder(root.path()));
    EXPECT_FALSE(isSystemFolder("/usrfiles/me"));
}

TEST(DataDir, SaysWhenTheFolderCannotBeUsed) {
    QTemporaryDir root;
    // A plain file where the folder should be.
    QFile blocker(root.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    DataDirChoice c = chooseDataDir(root.filePath("file/sub"), {}, {}, {});
    EXPECT_FALSE(c.error.isEmpty());
    EXPECT_TRUE(c.error.contains("cannot be created"));

    if (geteuid() != 0) {
        const QString ro = root.filePath("ro");
        QDir().mkpath(ro);
        chmod(QFile::encodeName(ro).constData(), 0555);
        c = chooseDataDir(ro, {}, {}, {});
        EXPECT_TRUE(c.error.contains("cannot be written"));
        // A read-only executable folder is passed over for the user's folder.
        EXPECT_EQ(chooseDataDir({}, {}, ro, root.filePath("u")).path, root.filePath("u"));
        chmod(QFile::encodeName(ro).constData(), 0755);
    }
}
