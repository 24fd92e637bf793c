#include "platform/TrayIcon.h"

#include <QAction>
#include <QIcon>
#include <QTimer>

namespace cfx {

const QString TrayIcon::kTip =
    QStringLiteral("DoubleClick restores Chronofex panel. RightClick for menu");
const QString TrayIcon::kNoTrayTip = QStringLiteral(
    "The desktop has no notification area (system tray), so the panel cannot be put there");

TrayIcon::TrayIcon(QWidget& panel, QObject* parent)
    : QObject(parent), m_panel(panel),
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
}

void TrayIcon::setAvailabilityProbe(std::function<bool()> probe) {
    m_probe = std::move(probe);
    m_lastAvailable = m_probe();
}

void TrayIcon::applyAvailability() {
    QAction* minimize = m_minimizeAction;
    if (!minimize)
        return;
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
    m_inTray = true;
    // Seen just now: the next probe must not take the area for a new one and dock the icon
    // again under the user's click.
    m_lastAvailable = true;
    Q_EMIT minimizing();
    m_icon->setIcon(m_panel.windowIcon().isNull() ? QIcon(QStringLiteral(":/WATCHICO"))
                                                  : m_panel.windowIcon());
    m_icon->setToolTip(m_status.isEmpty() ? kTip : kTip + QLatin1Char('\n') + m_status);
    m_icon->show();
    m_panel.hide();
}

void TrayIcon::setStatus(const QString& status) {
    if (status == m_status)
        return;
    m_status = status;
    m_icon->setToolTip(status.isEmpty() ? kTip : kTip + QLatin1Char('\n') + status);
}

void TrayIcon::restore() {
    m_inTray = false;
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
        Q_EMIT contextMenuRequested();
        break;
    default:
        break;
    }
}

void TrayIcon::probe() {
    const bool now = available();
    if (now == m_lastAvailable) {
        return;
    }
    m_lastAvailable = now;
    if (!m_inTray)
        return;
    if (now) {
        // A notification area that came (back): dock the icon in it again.
        m_icon->hide();
        m_icon->show();
    } else {
        // The icon has nowhere to live: bring the panel back rather than leave it unreachable.
        restore();
    }
}

} // namespace cfx
