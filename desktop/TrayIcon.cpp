#include "desktop/TrayIcon.h"

#include "timing/TimerPanel1A.h"

#include <QAction>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QTimer>

const QString TrayIcon::kTip =
    QStringLiteral("DoubleClick restores Chronofex panel. RightClick for menu");
const QString TrayIcon::kNoTrayTip = QStringLiteral(
    "The desktop has no notification area (system tray), so the panel cannot be put there");

TrayIcon::TrayIcon(ProgramState& state, TimerPanel1A& panel, QObject* parent)
    : QObject(parent), m_state(state), m_panel(panel),
      m_icon(std::make_unique<QSystemTrayIcon>(QIcon(QStringLiteral(":/WATCHICO")))),
      m_probe([] { return QSystemTrayIcon::isSystemTrayAvailable(); }) {
    m_icon->setObjectName(QStringLiteral("TrayIcon"));
    m_probeTimer = new QTimer(this);
    m_probeTimer->setInterval(kProbeMs);
    m_lastAvailable = m_probe();
    wire();
    m_probeTimer->start();
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::wire() {
    connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::activated);
    connect(m_probeTimer, &QTimer::timeout, this, &TrayIcon::probe);
    // The panel's own preparation enables every item; whether the tray can be used is decided
    // here, just before the menu shows.
    connect(m_panel.optionsMenu(), &QMenu::aboutToShow, this, &TrayIcon::applyAvailability);
    if (QAction* tray = m_panel.menuAction(QStringLiteral("mnuSysTray")); tray && tray->menu()) {
        tray->menu()->setToolTipsVisible(true);
        connect(tray->menu(), &QMenu::aboutToShow, this, &TrayIcon::applyAvailability);
    }
}

void TrayIcon::setAvailabilityProbe(std::function<bool()> probe) {
    m_probe = std::move(probe);
    m_lastAvailable = m_probe();
}

void TrayIcon::applyAvailability() {
    QAction* minimize = m_panel.menuAction(QStringLiteral("mnuSysTrayMinimize"));
    if (!minimize) {
        return;
    }
    if (available()) {
        minimize->setToolTip(QString());
    } else {
        minimize->setEnabled(false);
        minimize->setToolTip(kNoTrayTip);
    }
}

void TrayIcon::minimize() {
    if (!available()) {
        applyAvailability();
        return;
    }
    m_state.InTray = 1;
    m_panel.setDisplayAttached(false);
    m_state.TrayTip = kTip;
    m_icon->setIcon(m_panel.windowIcon().isNull() ? QIcon(QStringLiteral(":/WATCHICO"))
                                                  : m_panel.windowIcon());
    m_icon->setToolTip(kTip);
    m_icon->show();
    m_panel.hide();
}

void TrayIcon::restore() {
    m_state.InTray = 0;
    m_icon->hide();
    m_panel.showNormal();
    m_panel.raise();
    m_panel.activateWindow();
}

void TrayIcon::remove() {
    m_probeTimer->stop();
    m_icon->hide();
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
    case QSystemTrayIcon::DoubleClick:
        restore();
        break;
    case QSystemTrayIcon::Context:
        prepareReducedMenu();
        m_panel.optionsMenu()->popup(QCursor::pos());
        break;
    default:
        break;
    }
}

void TrayIcon::prepareReducedMenu() {
    auto set = [this](std::initializer_list<const char*> names, void (QAction::*change)(bool),
                      bool on) {
        for (const char* name : names) {
            if (QAction* a = m_panel.menuAction(QLatin1String(name))) {
                (a->*change)(on);
            }
        }
    };
    set({"mnuHotkeys", "mnuSetTime", "mnuMouse", "mnuFlashSound"}, &QAction::setVisible, false);
    set({"mnuSysTray", "mnuSysTrayRestore"}, &QAction::setEnabled, true);
    set({"mnuSysTrayMinimize", "mnuReport", "mnuFile", "mnuAbout"}, &QAction::setVisible, false);
    set({"mnuExit"}, &QAction::setEnabled, true);
    set({"mnuRate", "mnuSpeed", "mnuSeparator2"}, &QAction::setVisible, false);
}

void TrayIcon::probe() {
    const bool now = available();
    if (now == m_lastAvailable) {
        return;
    }
    m_lastAvailable = now;
    if (m_state.InTray == 0) {
        return;
    }
    if (now) {
        // A notification area that came (back): dock the icon in it again.
        m_icon->hide();
        m_icon->show();
    } else {
        // The icon has nowhere to live: bring the panel back rather than leave it unreachable.
        restore();
    }
}
