#include "desktop/HotkeyDispatch.h"

#include "app/Program.h"
#include "timing/TimerPanel1A.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace {

bool buttonEnabled(TimerPanel1A& panel, const char* name) {
    const QWidget* button = panel.findChild<QWidget*>(QLatin1String(name));
    return button && button->isEnabled();
}

} // namespace

void DispatchHotkey(Program& program, quint8 id) {
    TimerPanel1A& panel = program.panel();
    switch (id) {
    case 0:
        panel.pressStartStop();
        break;
    case 1:
        if (buttonEnabled(panel, "Snap"))
            panel.pressSnap();
        break;
    case 2:
        if (buttonEnabled(panel, "Command3"))
            panel.pressReset();
        break;
    case 3: {
        panel.prepareFullMenu();
        // The whole menu, undoing the short one of the tray icon; from the tray only Restore
        // makes sense, from the desktop only Minimize.
        const bool inTray = program.state().InTray != 0;
        if (QAction* minimize = panel.menuAction(QStringLiteral("mnuSysTrayMinimize")))
            minimize->setEnabled(!inTray);
        if (QAction* restore = panel.menuAction(QStringLiteral("mnuSysTrayRestore")))
            restore->setEnabled(inTray);
        panel.optionsMenu()->popup(QCursor::pos());
        break;
    }
    default:
        break;
    }
}
