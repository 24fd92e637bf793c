#pragma once

#include <QString>
#include <QStringList>

namespace cfx {

// The program's command line.
struct CommandLine {
    enum class Remote { None, StartStop, Snap, Reset, Menu };

    bool ok = true; // false: unknown option or bad use; `error` says why
    QString error;
    bool help = false;
    bool version = false;
    bool noSplash = false; // start straight into the panel
    bool defaults = false; // start with the first-run settings, forgetting the remembered ones
    QString dataDir;       // --data-dir DIR
    QString sessionPath;   // SESSION.CFX or --open SESSION.CFX
    QString reportPath;    // --report SESSION.CFX
    Remote remote = Remote::None;
    QString hotkeys; // --hotkeys=x11|portal: that hotkey backend, whatever the desktop

    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};

} // namespace cfx
