#include "app/CommandLine.h"

namespace cfx {

namespace {

struct RemoteOption {
    const char* name;
    CommandLine::Remote remote;
};

constexpr RemoteOption kRemoteOptions[] = {
    {"--start-stop", CommandLine::Remote::StartStop},
    {"--snap", CommandLine::Remote::Snap},
    {"--reset", CommandLine::Remote::Reset},
    {"--menu", CommandLine::Remote::Menu},
};

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    CommandLine cl;
    auto fail = [&cl](const QString& why) {
        cl.ok = false;
        cl.error = why;
        return cl;
    };
    // arguments[0] is the program itself.
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        auto value = [&](QString& into) {
            const qsizetype eq = a.indexOf(QLatin1Char('='));
            if (eq > 0) {
                into = a.mid(eq + 1);
                return !into.isEmpty();
            }
            if (i + 1 >= arguments.size())
                return false;
            into = arguments[++i];
            return true;
        };
        const QString name = a.section(QLatin1Char('='), 0, 0);
        if (a == QLatin1String("-h") || a == QLatin1String("--help")) {
            cl.help = true;
        } else if (a == QLatin1String("-v") || a == QLatin1String("--version")) {
            cl.version = true;
        } else if (a == QLatin1String("--no-splash")) {
            cl.noSplash = true;
        } else if (a == QLatin1String("--defaults")) {
            cl.defaults = true;
        } else if (name == QLatin1String("--data-dir")) {
            if (!value(cl.dataDir))
                return fail(QStringLiteral("--data-dir needs a folder"));
        } else if (name == QLatin1String("--open")) {
            if (!value(cl.sessionPath))
                return fail(QStringLiteral("--open needs a session file"));
        } else if (name == QLatin1String("--report")) {
            if (!value(cl.reportPath))
                return fail(QStringLiteral("--report needs a session file"));
        } else if (name == QLatin1String("--hotkeys")) {
            if (!value(cl.hotkeys) ||
                (cl.hotkeys != QLatin1String("x11") && cl.hotkeys != QLatin1String("portal")))
                return fail(QStringLiteral("--hotkeys needs x11 or portal"));
        } else if (a.startsWith(QLatin1Char('-')) && a != QLatin1String("-")) {
            bool found = false;
            for (const RemoteOption& r : kRemoteOptions) {
                if (a == QLatin1String(r.name)) {
                    if (cl.remote != Remote::None && cl.remote != r.remote)
                        return fail(QStringLiteral("give only one of --start-stop, --snap, "
                                                   "--reset and --menu"));
                    cl.remote = r.remote;
                    found = true;
                }
            }
            if (!found)
                return fail(QStringLiteral("unknown option: %1").arg(a));
        } else {
            if (!cl.sessionPath.isEmpty())
                return fail(QStringLiteral("only one session file can be opened"));
            cl.sessionPath = a;
        }
    }
    if (!cl.reportPath.isEmpty() && !cl.sessionPath.isEmpty())
        return fail(QStringLiteral("--report cannot be combined with opening a session"));
    return cl;
}

QString CommandLine::usage() {
    return QStringLiteral(
        "Usage: chronofex [OPTIONS] [SESSION.CFX]\n"
        "\n"
        "A stopwatch with readings, reports and global hotkeys.\n"
        "\n"
        "Options:\n"
        "  --open SESSION.CFX    open a saved session, in the Chronofex already running for\n"
        "                        the data folder if there is one\n"
        "  --report SESSION.CFX  write CFXReport.txt and CFXRawCSV.txt for a saved session\n"
        "                        into the data folder and exit, showing no window\n"
        "  --start-stop          start or stop the running Chronofex\n"
        "  --snap                take a reading on the running Chronofex\n"
        "  --reset               reset the running Chronofex\n"
        "  --menu                show the running Chronofex's options menu\n"
        "  --data-dir DIR        folder for the hotkey file and the reports\n"
        "                        (default: $CHRONOFEX_DATA_DIR, else the program's folder when\n"
        "                        writable, else the user's data folder)\n"
        "  --hotkeys x11|portal  global hotkeys through X11 key grabs or the desktop's\n"
        "                        global-shortcuts portal (default: $CHRONOFEX_HOTKEYS, else\n"
        "                        the portal in a Wayland session whose desktop offers it)\n"
        "  --defaults            start with the settings of a first run (LCD look,\n"
        "                        resolution 10, windows in their first places) and forget\n"
        "                        the remembered ones\n"
        "  --no-splash           start without the splash window\n"
        "  -h, --help            show this help and exit\n"
        "  -v, --version         show the version and exit\n");
}

} // namespace cfx
