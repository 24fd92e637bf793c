#pragma once

#include "app/ProgramState.h"

#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

class QTimer;
class TimerPanel1A;

// The panel's place in the notification area. Minimising to the tray frees the large display,
// shows the icon and hides the panel; a double-click on the icon or "Restore from Tray" brings the
// panel back, a right-click pops up the short menu (System Tray > Restore, and Exit). Where no
// notification area exists the menu item is disabled with a tooltip saying why, so the panel is
// never hidden with no way back; if the notification area goes away while the panel is in it, the
// panel comes back by itself.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static const QString kTip;
    static const QString kNoTrayTip;
    static constexpr int kProbeMs = 2000;

    TrayIcon(ProgramState& state, TimerPanel1A& panel, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Replaces the check for a notification area (tests).
    void setAvailabilityProbe(std::function<bool()> probe);
    bool available() const { return m_probe(); }

    void minimize();
    void restore();
    // Takes the icon away for good (Exit), whether or not the panel is in the tray.
    void remove();

    // Prepares the short menu of the icon's right-click.
    void prepareReducedMenu();

    QSystemTrayIcon& icon() { return *m_icon; }

    // Looks again whether a notification area exists and follows a change. Runs on a timer.
    void probe();

private:
    void wire();
    void activated(QSystemTrayIcon::ActivationReason reason);
    void applyAvailability();

    ProgramState& m_state;
    TimerPanel1A& m_panel;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QTimer* m_probeTimer = nullptr;
    std::function<bool()> m_probe;
    bool m_lastAvailable = false;
};
