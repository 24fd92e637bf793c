#pragma once

#include <QObject>

#include <memory>

class QAction;
class QMenu;

namespace cfx {

enum class RemoteCommand;

class Session;
class Stopwatch;

// Every command of the stopwatch as one QAction: the panel's buttons and keys, the options menu,
// the global hotkeys, the tray and the remote commands all trigger these, so a command acts once
// whatever started it, and only while its action is enabled. The actions carry their design
// names as objectNames ("mnuRate", ...) for tests and automation.
class StopwatchActions : public QObject {
    Q_OBJECT
public:
    enum class MouseResponse { OnRelease, OnPress };

    explicit StopwatchActions(QObject* parent = nullptr);
    ~StopwatchActions() override;

    QAction* startStop() const { return m_startStop; }
    QAction* snap() const { return m_snap; }
    QAction* reset() const { return m_reset; }

    QAction* hotkeys() const { return m_hotkeys; }
    QAction* setTime() const { return m_setTime; }
    QAction* mouseDown() const { return m_mouseDown; }
    QAction* mouseUp() const { return m_mouseUp; }
    QAction* flashSound() const { return m_flashSound; }
    QAction* report() const { return m_report; }
    QAction* minimizeToTray() const { return m_minimizeToTray; }
    QAction* restoreFromTray() const { return m_restoreFromTray; }
    QAction* rate() const { return m_rate; }
    QAction* speed() const { return m_speed; }
    QAction* open() const { return m_open; }
    QAction* save() const { return m_save; }
    // Brings back the readings the last clear took, until new readings are taken.
    QAction* recoverLast() const { return m_recoverLast; }
    QAction* help() const { return m_help; }
    QAction* about() const { return m_about; }
    QAction* exit() const { return m_exit; }
    // Opens the options menu from the keyboard: F10, Shift+F10, the Menu key and Alt+O.
    QAction* showMenu() const { return m_showMenu; }
    // Pops up the whole options menu at the mouse pointer (the Menu hotkey and remote command).
    QAction* menuAtPointer() const { return m_menuAtPointer; }

    // The action a hotkey or a remote command triggers; null for those that are no action
    // (Raise, Status, Open).
    QAction* forCommand(RemoteCommand command) const;

    // The options menu over these actions, with its Mouse Response, System Tray and File
    // submenus.
    QMenu* optionsMenu() const { return m_menu.get(); }
    QAction* trayMenuAction() const;

    // The whole menu, as the options button and the Menu hotkey show it; from the tray only
    // Restore makes sense, from the desktop only Minimize.
    void prepareFullMenu(bool inTray);
    // The tray icon's short menu: System Tray > Restore, the rate and speed switches hidden, Exit.
    void prepareTrayMenu();

    MouseResponse mouseResponse() const { return m_mouseResponse; }
    void setMouseResponse(MouseResponse response);

    // Snap and Reset follow the stopwatch (enabled while it runs; Reset also while a stopped
    // time is shown; Snap until a standing reading was taken), Set Time and Save are enabled
    // exactly while it does not run.
    void followStopwatch(const Stopwatch& stopwatch);
    // Reset is enabled while opened or restored readings are shown.
    void followSession(const Session& session);
    // Recover Last Readings is enabled while there are readings to bring back.
    void setRecoverable(bool recoverable);

Q_SIGNALS:
    void mouseResponseChanged(cfx::StopwatchActions::MouseResponse response);

private:
    QAction* m_startStop = nullptr;
    QAction* m_snap = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_hotkeys = nullptr;
    QAction* m_setTime = nullptr;
    QAction* m_mouseDown = nullptr;
    QAction* m_mouseUp = nullptr;
    QAction* m_flashSound = nullptr;
    QAction* m_report = nullptr;
    QAction* m_minimizeToTray = nullptr;
    QAction* m_restoreFromTray = nullptr;
    QAction* m_rate = nullptr;
    QAction* m_speed = nullptr;
    QAction* m_open = nullptr;
    QAction* m_save = nullptr;
    QAction* m_recoverLast = nullptr;
    QAction* m_help = nullptr;
    QAction* m_about = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_showMenu = nullptr;
    QAction* m_menuAtPointer = nullptr;
    QAction* m_separator2 = nullptr;
    QMenu* m_mouseMenu = nullptr;
    QMenu* m_trayMenu = nullptr;
    QMenu* m_fileMenu = nullptr;
    std::unique_ptr<QMenu> m_menu;
    MouseResponse m_mouseResponse = MouseResponse::OnRelease;
};

} // namespace cfx
