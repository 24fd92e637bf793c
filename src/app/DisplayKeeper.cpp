#include "app/DisplayKeeper.h"

#include "core/Stopwatch.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/TransparencyDialog.h"
#include "gui/WindowFit.h"
#include "platform/AlertSound.h"
#include "platform/Compositor.h"
#include "platform/TrayIcon.h"

#include <QTimer>

namespace cfx {

DisplayKeeper::DisplayKeeper(Stopwatch& clock, QObject* parent)
    : QObject(parent), m_clock(clock), m_display(std::make_unique<LargeDisplay>()) {
    m_clock.setDisplay(m_display.get());
    connect(m_display.get(), &LargeDisplay::joinRequested, this, &DisplayKeeper::join);
    connect(m_display.get(), &LargeDisplay::transparencyRequested, this,
            &DisplayKeeper::showTransparencyDialog);
    // The display tells screen readers the running time once a second, a standing one at once.
    connect(&m_clock, &Stopwatch::runningChanged, m_display.get(), &LargeDisplay::setClockRunning);
}

DisplayKeeper::~DisplayKeeper() {
    m_transparency.reset();
    m_clock.setDisplay(nullptr);
}

void DisplayKeeper::placeBeside(MainPanel& panel, TrayIcon& tray) {
    m_panel = &panel;
    m_tray = &tray;
    // Placed beside the panel first, then docked against it while attached.
    m_display->move(panel.frameGeometry().width() + 1000 / 15, 2000 / 15);
    m_display->setPanel(&panel);
    m_display->show();
    m_display->setTranslucencyProbe(&compositorRunning);
}

void DisplayKeeper::setAttached(bool attached) {
    m_display->setAttached(attached);
}

void DisplayKeeper::join() {
    if (m_tray->inTray())
        m_tray->restore();
    else if (m_panel->isMinimized())
        m_panel->showNormal();
    m_panel->setDisplayAttached(true);
}

TransparencyDialog& DisplayKeeper::transparency() {
    // Made on first use: the compositor that makes it useful may start after the program.
    if (!m_transparency) {
        m_transparency = std::make_unique<TransparencyDialog>(m_display.get());
        m_transparency->setValue(TransparencyDialog::kMaximum);
        connect(m_transparency.get(), &TransparencyDialog::applied, this,
                &DisplayKeeper::opacityApplied);
    }
    return *m_transparency;
}

void DisplayKeeper::showTransparencyDialog() {
    transparency().showDialog();
    fitOnScreen(m_transparency.get(), m_panel ? m_panel->optionsButtonArea() : QRect());
}

void DisplayKeeper::setOpacity(int value) {
    transparency().setValue(value);
}

void DisplayKeeper::playAlert() {
    if (!m_alert)
        m_alert = std::make_unique<AlertSound>();
    m_alert->play();
}

void DisplayKeeper::endFlash() {
    // The flash stays up about a tenth of a second without holding the window; the restore takes
    // the look of that moment, so a look changed in between is honoured.
    QTimer::singleShot(100, this,
                       [this] { m_clock.display().setBackground(m_clock.lookBackground()); });
}

void DisplayKeeper::close() {
    if (m_transparency)
        m_transparency->close();
    m_display->close();
}

} // namespace cfx
