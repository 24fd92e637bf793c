#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <QWidget>

#include <functional>
#include <memory>

class QAction;
class QTimer;

namespace cfx {

// The panel's place in the notification area. Minimising to the tray frees the large display,
// shows the icon and hides the panel; a double-click on the icon or "Restore from Tray" brings the
// panel back, a right-click asks for the short menu (System Tray > Restore, and Exit). Where no
// notification area exists the menu item is disabled with a tooltip saying why, so the panel is
// never hidden with no way back; if the notification area goes away while the panel is in it, the
// panel comes back by itself.
class TrayIcon : public QObject {
    Q_OBJECT
public:
    static const QString kTip;
    static const QString kNoTrayTip;
    static constexpr int kProbeMs = 2000;

    explicit TrayIcon(QWidget& panel, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Replaces the check for a notification area (tests).
    void setAvailabilityProbe(std::function<bool()> probe);
    bool available() const { return m_probe(); }

    // The menu item that minimises to the tray: disabled, with the reason, where no notification
    // area exists. Call applyAvailability() just before a menu holding it shows.
    void setMinimizeAction(QAction* action) { m_minimizeAction = action; }
    void applyAvailability();

    bool inTray() const { return m_inTray; }
    void minimize();
    void restore();
    // Takes the icon away for good (Exit), whether or not the panel is in the tray.
    void remove();

    QSystemTrayIcon& icon() { return *m_icon; }
    // A line under the tip (the running time and the readings); the tooltip is set only when
    // it changes.
    void setStatus(const QString& status);

    // Looks again whether a notification area exists and follows a change. Runs on a timer.
    void probe();

Q_SIGNALS:
    // The panel is about to go to the tray: an attached display is freed first.
    void minimizing();
    // A right-click on the icon: the short menu is wanted at the cursor.
    void contextMenuRequested();

private:
    void wire();
    void activated(QSystemTrayIcon::ActivationReason reason);

    QWidget& m_panel;
    QAction* m_minimizeAction = nullptr;
    bool m_inTray = false;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QTimer* m_probeTimer = nullptr;
    std::function<bool()> m_probe;
    bool m_lastAvailable = false;
    QString m_status;
};

} // namespace cfx
