#include "app/Application.h"
#include "app/HotkeyKeeper.h"
#include "app/SessionKeeper.h"
#include "core/Session.h"
#include "gui/MainPanel.h"
#include "gui/StopwatchActions.h"
#include "platform/RemoteControl.h"
#include "platform/TrayIcon.h"
#include "tests/support/MenuItem.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QLocalSocket>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <future>

#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace cfx;

class HotkeyDispatchTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<Application> m_program;

    MainPanel& panel() { return m_program->panel(); }
    StopwatchActions& actions() { return m_program->actions(); }
    QString caption() { return panel().findChild<QAbstractButton*>("Command4")->text(); }
    int readings() { return m_program->readings().recordCount(); }
    QAction* item(const char* name) { return menuItem(m_program->actions(), name); }

    // Sends from another thread: the server answers from this thread's event loop.
    cfx::RemoteResult send(const QString& name, const cfx::RemoteRequest& request,
                           QByteArray* reply = nullptr) {
        auto result = std::async(std::launch::async, [=] {
            return cfx::sendRemoteCommand(name, request, nullptr, 3000, reply);
        });
        while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QTest::qWait(5);
        return result.get();
    }

private Q_SLOTS:
    void init() {
        m_program = std::make_unique<Application>(m_dir.path());
        m_program->load();
        panel().show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel()));
    }
    void cleanup() { m_program.reset(); }

    void pressesActOnlyWhileTheirButtonsAreEnabled() {
        m_program->hotkeys().press(1); // Snap before the clock ever ran
        m_program->hotkeys().press(2);
        QCOMPARE(readings(), 0);
        QCOMPARE(caption(), QString("Start"));

        // The presses act once in the mouse-down mode too.
        m_program->actions().setMouseResponse(StopwatchActions::MouseResponse::OnPress);
        m_program->hotkeys().press(0);
        QCOMPARE(caption(), QString("Stop"));
        QTest::qWait(30);
        m_program->hotkeys().press(1);
        m_program->hotkeys().press(1);
        QCOMPARE(readings(), 2);
        m_program->hotkeys().press(0);
        QCOMPARE(caption(), QString("Start"));
        m_program->hotkeys().press(2);
        QCOMPARE(readings(), 0);
        QVERIFY(!panel().findChild<QWidget*>("Command3")->isEnabled());
    }

    void otherIdentifiersDoNothing() {
        m_program->hotkeys().press(0);
        for (int id = 4; id < 256; ++id)
            m_program->hotkeys().press(static_cast<quint8>(id));
        QCOMPARE(caption(), QString("Stop"));
        QCOMPARE(readings(), 0);
        QVERIFY(!actions().optionsMenu()->isVisible());
    }

    void menuHotkeyShowsTheWholeMenuAlsoFromTheTray() {
        m_program->tray().setAvailabilityProbe([] { return true; });
        m_program->hotkeys().press(3);
        QTRY_VERIFY(actions().optionsMenu()->isVisible());
        for (const char* name : {"mnuHotkeys", "mnuSetTime", "mnuReport", "mnuRate", "mnuAbout"})
            QVERIFY2(item(name)->isVisible() && item(name)->isEnabled(), name);
        QVERIFY(item("mnuSysTrayMinimize")->isEnabled());
        QVERIFY(!item("mnuSysTrayRestore")->isEnabled());
        actions().optionsMenu()->hide();

        item("mnuSysTrayMinimize")->trigger();
        QVERIFY(m_program->tray().inTray());
        m_program->hotkeys().press(3);
        QTRY_VERIFY(actions().optionsMenu()->isVisible());
        QVERIFY(!item("mnuSysTrayMinimize")->isEnabled());
        QVERIFY(item("mnuSysTrayRestore")->isEnabled());
        QVERIFY(item("mnuHotkeys")->isVisible() && item("mnuHotkeys")->isEnabled());
        actions().optionsMenu()->hide();
    }

    void remoteCommandsReachTheRunningProgram() {
        QVERIFY(m_program->startRemoteControl());
        const QString name = cfx::remoteSocketPath(m_dir.path());
        QCOMPARE(send(name, cfx::RemoteCommand::StartStop), cfx::RemoteResult::Delivered);
        QCOMPARE(caption(), QString("Stop")); // carried out before the answer
        QCOMPARE(send(name, cfx::RemoteCommand::Snap), cfx::RemoteResult::Delivered);
        QCOMPARE(readings(), 1);
        QByteArray status;
        QCOMPARE(send(name, cfx::RemoteCommand::Status, &status), cfx::RemoteResult::Delivered);
        QVERIFY2(status.startsWith("caption=Stop ") && status.contains(" readings=1"), status);
        QCOMPARE(send(name, cfx::RemoteCommand::StartStop), cfx::RemoteResult::Delivered);
        QCOMPARE(send(name, cfx::RemoteCommand::Reset), cfx::RemoteResult::Delivered);
        QCOMPARE(readings(), 0);

        // A second program for the same folder cannot take the name.
        RemoteControlServer second;
        QString why;
        QVERIFY(!second.listen(name, &why));
        QVERIFY(!why.isEmpty());

        // Nonsense is refused without effect.
        QLocalSocket raw;
        raw.connectToServer(name);
        QVERIFY(raw.waitForConnected(1000));
        raw.write("explode\n");
        QTRY_VERIFY(raw.canReadLine());
        QCOMPARE(raw.readLine(), QByteArray("unknown\n"));
        QCOMPARE(caption(), QString("Start"));
    }

    void aSessionNamedAtALaterStartOpensInTheRunningProgram() {
        QVERIFY(m_program->startRemoteControl());
        QStringList messages;
        m_program->setSessionMessage(
            [&messages](const QString& title, const QString&) { messages << title; });
        m_program->hotkeys().press(0);
        m_program->hotkeys().press(1);
        m_program->hotkeys().press(1);
        m_program->hotkeys().press(0);
        const QString path = m_dir.filePath(QStringLiteral("two laps.CFX"));
        QVERIFY(m_program->sessions().saveSession(path));
        m_program->hotkeys().press(2);
        QCOMPARE(readings(), 0);

        const QString name = cfx::remoteSocketPath(m_dir.path());
        QCOMPARE(send(name, {cfx::RemoteCommand::Open, path}), cfx::RemoteResult::Delivered);
        QTRY_COMPARE(readings(), 2);
        QVERIFY(messages.isEmpty());

        // A file that cannot be read is told about in the running program; the session stays.
        QCOMPARE(send(name, {cfx::RemoteCommand::Open, m_dir.filePath(QStringLiteral("gone.CFX"))}),
                 cfx::RemoteResult::Delivered);
        QTRY_COMPARE(messages, QStringList{QStringLiteral("Open CFX File")});
        QCOMPARE(readings(), 2);
    }

    void noProgramAndLeftoverSocketsAreToldApart() {
        QTemporaryDir other;
        const QString name = cfx::remoteSocketPath(other.path());
        QCOMPARE(send(name, cfx::RemoteCommand::Snap), cfx::RemoteResult::NoneRunning);

        // A socket file left behind by a program that crashed: nobody answers on it, and a new
        // program takes its place.
        const QString path = name;
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof addr.sun_path);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        ::close(fd);
        QVERIFY(QFile::exists(path));
        QCOMPARE(send(name, cfx::RemoteCommand::Snap), cfx::RemoteResult::NoneRunning);

        RemoteControlServer server;
        QSignalSpy received(&server, &RemoteControlServer::commandReceived);
        QVERIFY(server.listen(name));
        QCOMPARE(send(name, cfx::RemoteCommand::Menu), cfx::RemoteResult::Delivered);
        QCOMPARE(received.count(), 1);
        QCOMPARE(received[0][0].value<cfx::RemoteCommand>(), cfx::RemoteCommand::Menu);
    }

    // While the program waits for an answer (the restore question), commands that act on the
    // clock or the session are refused with the reason, never answered "ok" and lost.
    void commandsAreRefusedWithTheReasonWhileAQuestionWaits() {
        const QString name = m_dir.filePath("refusing");
        RemoteControlServer server;
        QSignalSpy received(&server, &RemoteControlServer::commandReceived);
        QSignalSpy opened(&server, &RemoteControlServer::openRequested);
        QVERIFY(server.listen(name));
        server.setRefusal("it waits for an answer");
        for (const cfx::RemoteRequest& request :
             {cfx::RemoteRequest(cfx::RemoteCommand::Snap),
              cfx::RemoteRequest(cfx::RemoteCommand::Open, m_dir.filePath("x.CFX"))}) {
            QString why;
            auto result = std::async(std::launch::async, [&] {
                return cfx::sendRemoteCommand(name, request, &why, 3000);
            });
            while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
                QTest::qWait(5);
            QCOMPARE(result.get(), cfx::RemoteResult::Failed);
            QCOMPARE(why, QStringLiteral("it waits for an answer"));
        }
        QCOMPARE(received.count(), 0);
        QCOMPARE(opened.count(), 0);
        QCOMPARE(send(name, cfx::RemoteCommand::Status), cfx::RemoteResult::Delivered);
        server.setRefusal({});
        QCOMPARE(send(name, cfx::RemoteCommand::Snap), cfx::RemoteResult::Delivered);
        QCOMPARE(received.count(), 1);
    }

    void theSocketLivesInAPrivateFolderOfTheUser() {
        QTemporaryDir runtime;
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        const QString path = cfx::remoteSocketPath(m_dir.path());
        QCOMPARE(QFileInfo(path).absolutePath(), runtime.filePath("chronofex"));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(runtime.filePath("chronofex")).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
        QCOMPARE(info.st_uid, ::getuid());

        // A folder of that name that is a link (or another user's) is never used.
        QTemporaryDir other, elsewhere;
        QVERIFY(QFile::link(elsewhere.path(), other.filePath("chronofex")));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(other.path()));
        QString why;
        QVERIFY(cfx::remoteSocketPath(m_dir.path(), &why).isEmpty());
        QVERIFY(why.contains("not a folder"));
        QString listenWhy;
        QVERIFY(!m_program->startRemoteControl(&listenWhy));
        QVERIFY(!listenWhy.isEmpty());
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void anotherUserCanNeitherReachNorTakeTheSocket() {
        if (::geteuid() != 0)
            QSKIP("acting as a second user needs root");
        // Another user without an account: an id that no user or group has. Root can act as it
        // and give files to it without adding a user to the system.
        uid_t otherUid = 0;
        for (uid_t id = 64000; id < 65000 && otherUid == 0; ++id) {
            if (!::getpwuid(id) && !::getgrgid(static_cast<gid_t>(id)))
                otherUid = id;
        }
        QVERIFY(otherUid != 0);
        const auto otherGid = static_cast<gid_t>(otherUid);
        QTemporaryDir runtime;
        ::chmod(QFile::encodeName(runtime.path()).constData(), 0777);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
        QVERIFY(m_program->startRemoteControl());
        const QByteArray path = QFile::encodeName(cfx::remoteSocketPath(m_dir.path()));

        // As the other user: no connection, and no socket of one's own in the folder.
        const pid_t child = ::fork();
        if (child == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(otherGid) != 0 || ::setuid(otherUid) != 0)
                ::_exit(2);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un addr{};
            addr.sun_family = AF_UNIX;
            qstrncpy(addr.sun_path, path.constData(), sizeof addr.sun_path);
            const bool reached =
                ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
            const QByteArray own = path + ".theirs";
            const bool planted = ::mknod(own.constData(), S_IFREG | 0600, 0) == 0;
            ::_exit(reached || planted ? 1 : 0);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);

        // A folder of that name made first by the other user is refused, not used.
        QTemporaryDir taken;
        ::chmod(QFile::encodeName(taken.path()).constData(), 0777);
        const QByteArray folder = QFile::encodeName(taken.filePath("chronofex"));
        QCOMPARE(::mkdir(folder.constData(), 0777), 0);
        QCOMPARE(::chown(folder.constData(), otherUid, otherGid), 0);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(taken.path()));
        QString why;
        QVERIFY(cfx::remoteSocketPath(m_dir.path(), &why).isEmpty());
        QVERIFY(why.contains("another user"));
        qunsetenv("XDG_RUNTIME_DIR");
    }

    void longLinesIdleAndSurplusConnectionsAreDropped() {
        RemoteControlServer server;
        server.setIdleTimeout(300);
        QSignalSpy received(&server, &RemoteControlServer::commandReceived);
        const QString name = m_dir.filePath("socket");
        QVERIFY(server.listen(name));

        // A command padded past the longest line is not cut to size and run.
        QLocalSocket longLine;
        longLine.connectToServer(name);
        QVERIFY(longLine.waitForConnected(1000));
        longLine.write("snap" + QByteArray(cfx::kMaxRemoteLine + 10, ' ') + "\n");
        QTRY_COMPARE(longLine.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(received.count(), 0);

        std::vector<std::unique_ptr<QLocalSocket>> idle;
        for (int i = 0; i < RemoteControlServer::kMaxConnections + 4; ++i) {
            idle.push_back(std::make_unique<QLocalSocket>());
            idle.back()->connectToServer(name);
            QVERIFY(idle.back()->waitForConnected(1000));
        }
        // The surplus goes at once, the rest after the idle timeout; then commands work again.
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(idle.begin(), idle.end(),
                        [](const auto& s) { return s->state() == QLocalSocket::UnconnectedState; }),
            3000);
        QCOMPARE(send(name, cfx::RemoteCommand::Snap), cfx::RemoteResult::Delivered);
        QCOMPARE(received.count(), 1);
    }

    void theServerListensAgainAfterDescriptorsRanOut() {
        RemoteControlServer server;
        const QString name = m_dir.filePath("socket");
        QVERIFY(server.listen(name));
        rlimit before{};
        QCOMPARE(::getrlimit(RLIMIT_NOFILE, &before), 0);
        rlimit low = before;
        low.rlim_cur = QDir("/proc/self/fd").count() + 40;
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &low), 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        qstrncpy(addr.sun_path, QFile::encodeName(name).constData(), sizeof addr.sun_path);
        std::vector<int> clients;
        auto connectOne = [&] {
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (fd < 0)
                return false;
            clients.push_back(fd);
            ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
            QCoreApplication::processEvents();
            return true;
        };
        while (connectOne()) {
        }
        // The last descriptor to a client, so the server's accept finds none.
        ::close(clients.back());
        clients.pop_back();
        connectOne();
        QTRY_VERIFY(!server.isListening());
        for (const int fd : clients)
            ::close(fd);
        QCOMPARE(::setrlimit(RLIMIT_NOFILE, &before), 0);
        QTRY_VERIFY(server.isListening());
        QCOMPARE(send(name, cfx::RemoteCommand::Menu), cfx::RemoteResult::Delivered);
    }

    void remoteOpensShowOneMessageAtATime() {
        QVERIFY(m_program->startRemoteControl());
        int depth = 0;
        int deepest = 0;
        int shown = 0;
        m_program->setSessionMessage([&](const QString&, const QString&) {
            // A message box runs its own event loop, in which later requests arrive.
            ++shown;
            deepest = std::max(deepest, ++depth);
            QTest::qWait(200);
            --depth;
        });
        const QString name = cfx::remoteSocketPath(m_dir.path());
        const QString folder = m_dir.path();
        // One request after the other from outside, each answered while the message is up.
        auto sent = std::async(std::launch::async, [name, folder] {
            int delivered = 0;
            for (int i = 0; i < 6; ++i) {
                const QString missing = folder + QStringLiteral("/gone%1.CFX").arg(i);
                if (cfx::sendRemoteCommand(name, {cfx::RemoteCommand::Open, missing}) ==
                    cfx::RemoteResult::Delivered)
                    ++delivered;
            }
            return delivered;
        });
        while (sent.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            QTest::qWait(5);
        QCOMPARE(sent.get(), 6);
        QTRY_VERIFY(shown >= 1 && depth == 0);
        QTest::qWait(500);
        QCOMPARE(deepest, 1);
        QVERIFY(shown <= 6);
    }
};

QTEST_MAIN(HotkeyDispatchTest)
#include "HotkeyDispatchTest.moc"
