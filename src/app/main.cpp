#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/SessionKeeper.h"
#include "core/io/SessionLoad.h"
#include "gui/Appearance.h"
#include "gui/MainPanel.h"
#include "gui/SplashWindow.h"
#include "gui/Translation.h"
#include "platform/DataDir.h"
#include "platform/DocumentOpener.h"
#include "platform/RemoteControl.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

#include <cstdio>
#include <memory>

using namespace cfx;

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

void print(FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// A problem at start: on the terminal and in a message box, as the program may have neither.
void tell(QMessageBox::Icon icon, const QString& text) {
    print(stderr, QStringLiteral("chronofex: %1\n").arg(text));
    QMessageBox(icon, QStringLiteral("Chronofex"), text, QMessageBox::Ok).exec();
}

QString executableDir() {
    // Known before any application object exists.
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    return exe.exists() ? QFileInfo(exe.symLinkTarget()).absolutePath() : QString();
}

QString userDataDir() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/chronofex");
}

cfx::RemoteCommand remoteCommandFor(CommandLine::Remote remote) {
    switch (remote) {
    case CommandLine::Remote::Snap:
        return cfx::RemoteCommand::Snap;
    case CommandLine::Remote::Reset:
        return cfx::RemoteCommand::Reset;
    case CommandLine::Remote::Menu:
        return cfx::RemoteCommand::Menu;
    default:
        return cfx::RemoteCommand::StartStop;
    }
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine cl = CommandLine::parse(argumentList(argc, argv));
    if (!cl.ok) {
        print(stderr, QStringLiteral("chronofex: %1\n\n").arg(cl.error) + CommandLine::usage());
        return 2;
    }
    if (cl.help) {
        print(stdout, CommandLine::usage());
        return 0;
    }
    if (cl.version) {
        print(stdout, QStringLiteral("chronofex %1\n").arg(QLatin1String(CFX_VERSION)));
        return 0;
    }

    const DataDirChoice dataDir = chooseDataDir(
        cl.dataDir, qEnvironmentVariable("CHRONOFEX_DATA_DIR"), executableDir(), userDataDir());

    if (cl.remote != CommandLine::Remote::None) {
        // Handing a command to the running program needs no window system.
        QCoreApplication remoteApp(argc, argv);
        return cfx::runRemoteClient(remoteCommandFor(cl.remote), dataDir.path);
    }

    // The report of a saved session needs no window, so no display either.
    if (!cl.reportPath.isEmpty()) {
        QString error = dataDir.error;
        if (error.isEmpty() && cfx::writeSessionReport(cl.reportPath, dataDir.path,
                                                       QDateTime::currentDateTime(), error))
            return 0;
        print(stderr, QStringLiteral("chronofex: %1\n").arg(error));
        return 1;
    }

    // Window placement, docking, window shapes and global hotkeys need X11; under Wayland the
    // program runs through XWayland unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") &&
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    // The clock redraws a few small regions 100 times a second. Drawn through shared memory,
    // every redraw also brings a completion event from the X server that wakes two threads;
    // sending those few pixels over the connection costs less (measured: 150 wake-ups and about
    // half a percent of a core less each second). Read whenever a window gets its backing image,
    // so it stays set; a user's own setting stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chronofex"));
    QApplication::setApplicationVersion(QLatin1String(CFX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("chronofex"));
    cfx::applyAppearanceFromEnvironment();
    // The interface in the user's language; files are written the same in every language.
    cfx::installTranslations(app);

    if (!dataDir.error.isEmpty()) {
        print(stderr, QStringLiteral("chronofex: %1\n").arg(dataDir.error));
        QMessageBox::critical(
            nullptr, QStringLiteral("Chronofex"),
            dataDir.error + QLatin1Char('\n') +
                QCoreApplication::translate("main", "Choose another folder with --data-dir DIR."));
        return 1;
    }

    // One program per data folder: a second start brings the first one's panel forward, and
    // hands over the session file it was given.
    const QString serverName = cfx::remoteSocketPath(dataDir.path);
    const cfx::RemoteRequest greeting =
        cl.sessionPath.isEmpty() ? cfx::RemoteRequest(cfx::RemoteCommand::Raise)
                                 : cfx::RemoteRequest(cfx::RemoteCommand::Open,
                                                      QFileInfo(cl.sessionPath).absoluteFilePath());
    QString greetingError;
    const cfx::RemoteResult greeted = cfx::sendRemoteCommand(serverName, greeting, &greetingError);
    if (greeted == cfx::RemoteResult::Delivered)
        return 0;
    if (greeted == cfx::RemoteResult::Failed) {
        // A program holds the socket but did not take the greeting: a second copy would share
        // its data folder and its files.
        const QString text =
            QCoreApplication::translate("main", "Chronofex already runs for the data "
                                                "folder %1 but did not answer (%2).")
                .arg(QDir::toNativeSeparators(dataDir.path), greetingError);
        tell(QMessageBox::Critical, text);
        return 1;
    }

    Application program(dataDir.path);
    program.rememberSettings(cfx::SettingsStore(cfx::SettingsStore::userFilePath()), cl.defaults);
    program.setHotkeyBackend(cl.hotkeys.isEmpty() ? qEnvironmentVariable("CHRONOFEX_HOTKEYS")
                                                  : cl.hotkeys);
    QString remoteError;
    if (!program.startRemoteControl(&remoteError)) {
        const QString text =
            QCoreApplication::translate("main", "Later starts of Chronofex cannot reach this one "
                                                "(%1): commands such as --snap do not work, and "
                                                "another start runs a second copy.")
                .arg(remoteError);
        tell(QMessageBox::Warning, text);
    }
    auto showPanel = [&program, &cl] {
        program.load();
        program.sessions().offerRestore();
        program.panel().show();
        if (!cl.sessionPath.isEmpty())
            program.sessions().loadSession(cl.sessionPath);
        // One handed over by a later start while the splash was up.
        program.sessions().loadSession(program.takePendingSession());
    };
    std::unique_ptr<SplashWindow> splash;
    if (cl.noSplash) {
        showPanel();
    } else {
        // The splash comes first; the panel is loaded when its four seconds are over. Closing the
        // splash before that ends the program.
        splash = std::make_unique<SplashWindow>();
        QObject::connect(splash.get(), &SplashWindow::splashFinished, &program, showPanel);
        QObject::connect(splash.get(), &SplashWindow::splashClosedEarly, &app, &QApplication::quit,
                         Qt::QueuedConnection);
        splash->showSplash();
    }
    return QApplication::exec();
}
