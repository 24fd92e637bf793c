#include "gui/StopwatchActions.h"

#include "core/RemoteCommand.h"
#include "core/Session.h"
#include "core/Stopwatch.h"

#include <QAccessible>
#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace cfx {

namespace {

QAction* makeAction(QObject* parent, const char* name, const QString& caption,
                    bool checkable = false) {
    auto* action = new QAction(caption, parent);
    action->setObjectName(QLatin1String(name));
    action->setCheckable(checkable);
    return action;
}

QMenu* makeSubmenu(QMenu* menu, const char* name, const QString& caption) {
    QMenu* sub = menu->addMenu(caption);
    sub->setObjectName(QLatin1String(name) + QStringLiteral("Menu"));
    sub->menuAction()->setObjectName(QLatin1String(name));
    // Back from the submenu (Escape, Left) the menu's item has the focus again, but the menu
    // does not say so: screen readers are told, once the submenu has gone.
    QObject::connect(sub, &QMenu::aboutToHide, menu, [menu, sub] {
        QMetaObject::invokeMethod(
            menu,
            [menu, sub] {
                const int index = menu->actions().indexOf(sub->menuAction());
                if (!menu->isVisible() || menu->activeAction() != sub->menuAction() || index < 0)
                    return;
                QAccessibleEvent focus(menu, QAccessible::Focus);
                focus.setChild(index);
                QAccessible::updateAccessibility(&focus);
            },
            Qt::QueuedConnection);
    });
    return sub;
}

} // namespace

StopwatchActions::StopwatchActions(QObject* parent) : QObject(parent) {
    m_startStop = makeAction(this, "actStartStop", tr("Start"));
    m_startStop->setShortcut(QKeySequence(Qt::Key_Space));
    m_snap = makeAction(this, "actSnap", tr("Snap"));
    m_snap->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    m_snap->setEnabled(false);
    m_reset = makeAction(this, "actReset", tr("Reset"));
    m_reset->setShortcut(QKeySequence(Qt::Key_F5));
    m_reset->setEnabled(false);

    m_hotkeys = makeAction(this, "mnuHotkeys", tr("Set &Hotkeys..."));
    m_setTime = makeAction(this, "mnuSetTime", tr("Set Custom &Time..."));
    m_mouseDown =
        makeAction(this, "mnuResponseMouseDown", tr("Controls trigger on Mouse&Down"), true);
    m_mouseUp = makeAction(this, "mnuResponseMouseUp", tr("Controls trigger on Mouse&Up"), true);
    m_flashSound = makeAction(this, "mnuFlashSound", tr("SNAP F&lash/Sound"), true);
    m_flashSound->setChecked(true);
    m_report = makeAction(this, "mnuReport", tr("Re&port"), true);
    m_minimizeToTray = makeAction(this, "mnuSysTrayMinimize", tr("&Minimize to Tray"));
    m_restoreFromTray = makeAction(this, "mnuSysTrayRestore", tr("R&estore from Tray"));
    m_rate = makeAction(this, "mnuRate", tr("&Cycle Rate Module"), true);
    m_speed = makeAction(this, "mnuSpeed", tr("Sp&eed Module"), true);
    m_open = makeAction(this, "mnuFileOpen", tr("&Open..."));
    m_save = makeAction(this, "mnuFileSave", tr("&Save..."));
    m_recoverLast = makeAction(this, "mnuFileRecover", tr("&Recover Last Readings"));
    m_recoverLast->setEnabled(false);
    m_help = makeAction(this, "mnuHelp", tr("Hand&book"));
    // Shown in the menu; F1 works in every window through the handbook's own key watch.
    m_help->setShortcut(QKeySequence(Qt::Key_F1));
    m_help->setShortcutContext(Qt::WidgetShortcut);
    m_about = makeAction(this, "mnuAbout", tr("&About..."));
    m_exit = makeAction(this, "mnuExit", tr("E&xit"));
    // The usual keys of desktop programs; the menu shows them beside the items.
    m_open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    m_save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    m_exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_menuAtPointer = makeAction(this, "actMenuAtPointer", tr("CFX&Options"));
    m_showMenu = makeAction(this, "actOptionsMenu", tr("CFX&Options"));
    m_showMenu->setShortcuts({QKeySequence(Qt::Key_F10), QKeySequence(Qt::SHIFT | Qt::Key_F10),
                              QKeySequence(Qt::Key_Menu), QKeySequence(Qt::ALT | Qt::Key_O)});

    m_menu = std::make_unique<QMenu>(tr("CFX&Options"));
    m_menu->setObjectName(QStringLiteral("mnuCFXOptions"));
    m_menu->addAction(m_hotkeys);
    m_menu->addAction(m_setTime);
    m_mouseMenu = makeSubmenu(m_menu.get(), "mnuMouse", tr("Mouse &Response"));
    m_mouseMenu->addAction(m_mouseDown);
    m_mouseMenu->addAction(m_mouseUp);
    m_menu->addAction(m_flashSound);
    m_menu->addAction(m_report);
    m_trayMenu = makeSubmenu(m_menu.get(), "mnuSysTray", tr("S&ystem Tray"));
    m_trayMenu->setToolTipsVisible(true); // says why Minimize is disabled
    m_trayMenu->addAction(m_minimizeToTray);
    m_trayMenu->addAction(m_restoreFromTray);
    m_menu->addSeparator()->setObjectName(QStringLiteral("mnuSeparator1"));
    m_menu->addAction(m_rate);
    m_menu->addAction(m_speed);
    m_separator2 = m_menu->addSeparator();
    m_separator2->setObjectName(QStringLiteral("mnuSeparator2"));
    m_fileMenu = makeSubmenu(m_menu.get(), "mnuFile", tr("&File"));
    m_fileMenu->addAction(m_open);
    m_fileMenu->addAction(m_save);
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(m_recoverLast);
    m_menu->addAction(m_help);
    m_menu->addAction(m_about);
    m_menu->addAction(m_exit);

    connect(m_mouseDown, &QAction::triggered, this,
            [this] { setMouseResponse(MouseResponse::OnPress); });
    connect(m_mouseUp, &QAction::triggered, this,
            [this] { setMouseResponse(MouseResponse::OnRelease); });
    setMouseResponse(MouseResponse::OnRelease);
}

StopwatchActions::~StopwatchActions() = default;

QAction* StopwatchActions::trayMenuAction() const {
    return m_trayMenu->menuAction();
}

void StopwatchActions::prepareFullMenu(bool inTray) {
    for (QAction* action :
         {m_hotkeys, m_setTime, m_mouseMenu->menuAction(), m_flashSound, m_report, m_minimizeToTray,
          m_rate, m_speed, m_separator2, m_fileMenu->menuAction(), m_help, m_about})
        action->setVisible(true);
    for (QAction* action :
         {m_hotkeys, m_mouseMenu->menuAction(), m_flashSound, m_trayMenu->menuAction(), m_report,
          m_fileMenu->menuAction(), m_help, m_about, m_exit})
        action->setEnabled(true);
    m_minimizeToTray->setEnabled(!inTray);
    m_restoreFromTray->setEnabled(inTray);
}

void StopwatchActions::prepareTrayMenu() {
    for (QAction* action :
         {m_hotkeys, m_setTime, m_mouseMenu->menuAction(), m_flashSound, m_minimizeToTray, m_report,
          m_fileMenu->menuAction(), m_help, m_about, m_rate, m_speed, m_separator2})
        action->setVisible(false);
    for (QAction* action : {m_trayMenu->menuAction(), m_restoreFromTray, m_exit})
        action->setEnabled(true);
}

void StopwatchActions::setMouseResponse(MouseResponse response) {
    m_mouseResponse = response;
    m_mouseDown->setChecked(response == MouseResponse::OnPress);
    m_mouseUp->setChecked(response == MouseResponse::OnRelease);
    Q_EMIT mouseResponseChanged(response);
}

void StopwatchActions::followStopwatch(const Stopwatch& stopwatch) {
    connect(&stopwatch, &Stopwatch::started, this, [this] {
        m_reset->setEnabled(true);
        m_snap->setEnabled(true);
        m_setTime->setEnabled(false);
        m_save->setEnabled(false);
    });
    connect(&stopwatch, &Stopwatch::stopped, this, [this] {
        m_setTime->setEnabled(true);
        m_save->setEnabled(true);
    });
    connect(&stopwatch, &Stopwatch::resetDone, this, [this] {
        m_setTime->setEnabled(true);
        m_save->setEnabled(true);
        m_reset->setEnabled(false);
        m_snap->setEnabled(false);
    });
    // A custom time other than zero can be snapped as a standing reading and reset; an all-zero
    // one reset the clock.
    connect(&stopwatch, &Stopwatch::customTimeApplied, this, [this, &stopwatch] {
        const bool pending = stopwatch.customTimePending();
        m_snap->setEnabled(pending);
        if (pending)
            m_reset->setEnabled(true);
    });
    connect(&stopwatch, &Stopwatch::standingReadingTaken, this,
            [this] { m_snap->setEnabled(false); });
}

QAction* StopwatchActions::forCommand(RemoteCommand command) const {
    switch (command) {
    case RemoteCommand::StartStop:
        return m_startStop;
    case RemoteCommand::Snap:
        return m_snap;
    case RemoteCommand::Reset:
        return m_reset;
    case RemoteCommand::Menu:
        return m_menuAtPointer;
    case RemoteCommand::Raise:
    case RemoteCommand::Status:
    case RemoteCommand::Open:
        break;
    }
    return nullptr;
}

void StopwatchActions::setRecoverable(bool recoverable) {
    m_recoverLast->setEnabled(recoverable);
}

void StopwatchActions::followSession(const Session& session) {
    connect(&session, &Session::loaded, this, [this, &session] {
        if (session.recordCount() > 0)
            m_reset->setEnabled(true);
    });
}

} // namespace cfx
