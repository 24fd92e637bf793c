#include "app/SettingsKeeper.h"

#include "core/Stopwatch.h"
#include "gui/LargeDisplay.h"
#include "gui/MainPanel.h"
#include "gui/RateWindow.h"
#include "gui/ReportWindow.h"
#include "gui/SpeedWindow.h"
#include "gui/StopwatchActions.h"
#include "gui/WindowFit.h"

#include <QAction>
#include <QDir>
#include <QEvent>

namespace cfx {

namespace {

// A dragged window moves many times a second; its place is written once it has rested this long.
constexpr int kMoveRestMs = 500;

void moveOnScreen(QWidget& window, const std::optional<QPoint>& position) {
    if (!position)
        return;
    window.move(*position);
    // The screen may have changed since: the window comes back into the part it may use.
    fitOnScreen(&window);
}

} // namespace

SettingsKeeper::SettingsKeeper(const Parts& parts, SettingsStore store)
    : m_parts(parts), m_store(std::move(store)) {
    m_writeTimer.setSingleShot(true);
    m_writeTimer.setInterval(kMoveRestMs);
    connect(&m_writeTimer, &QTimer::timeout, this, &SettingsKeeper::write);
}

void SettingsKeeper::apply(const StartSettings& s) {
    m_settings = s;
    MainPanel& panel = m_parts.panel;
    StopwatchActions& actions = m_parts.actions;
    LargeDisplay& display = m_parts.display;

    moveOnScreen(panel, s.panelPosition);
    Stopwatch& clock = m_parts.clock;
    clock.setLook(s.ledLook ? DisplayLook::Led : DisplayLook::Lcd);
    if (s.resolution != clock.resolutionText())
        clock.setResolution(s.resolution);
    actions.flashSound()->setChecked(s.flashSound);
    actions.setMouseResponse(s.actOnPress ? StopwatchActions::MouseResponse::OnPress
                                          : StopwatchActions::MouseResponse::OnRelease);
    panel.setDisplayAttached(s.displayAttached);
    if (!s.displayAttached)
        moveOnScreen(display, s.displayPosition);
    display.setOnTop(s.displayOnTop);
    if (s.displayOpacity != StartSettings::kOpaque)
        Q_EMIT opacityWanted(s.displayOpacity);
    m_parts.rateWindow.stayOnTopAction()->setChecked(s.rateOnTop);
    m_parts.speedWindow.stayOnTopAction()->setChecked(s.speedOnTop);
    moveOnScreen(m_parts.rateWindow, s.ratePosition);
    moveOnScreen(m_parts.speedWindow, s.speedPosition);
    if (s.reportPosition)
        m_parts.report.move(*s.reportPosition); // fitted on screen as it shows
    actions.report()->setChecked(s.reportShown);
    watch();
}

void SettingsKeeper::opacityApplied(int value) {
    m_settings.displayOpacity = value;
    changed();
}

void SettingsKeeper::watch() {
    MainPanel& panel = m_parts.panel;
    StopwatchActions& actions = m_parts.actions;
    LargeDisplay& display = m_parts.display;

    connect(&m_parts.clock, &Stopwatch::lookChanged, this, [this] {
        m_settings.ledLook = m_parts.clock.look() == DisplayLook::Led;
        changed();
    });
    connect(&m_parts.clock, &Stopwatch::resolutionChanged, this, [this] {
        m_settings.resolution = m_parts.clock.resolutionText();
        changed();
    });
    connect(actions.flashSound(), &QAction::toggled, this, [this](bool on) {
        m_settings.flashSound = on;
        changed();
    });
    connect(&actions, &StopwatchActions::mouseResponseChanged, this,
            [this](StopwatchActions::MouseResponse response) {
                m_settings.actOnPress = response == StopwatchActions::MouseResponse::OnPress;
                changed();
            });
    connect(actions.report(), &QAction::toggled, this, [this](bool shown) {
        m_settings.reportShown = shown;
        changed();
    });
    connect(&panel, &MainPanel::displayAttachToggled, this, [this](bool attached) {
        m_settings.displayAttached = attached;
        // Freed, the display stays where it is until it is dragged.
        if (!attached)
            m_settings.displayPosition = m_parts.display.pos();
        changed();
    });
    connect(&display, &LargeDisplay::onTopChanged, this, [this](bool onTop) {
        m_settings.displayOnTop = onTop;
        changed();
    });
    connect(m_parts.rateWindow.stayOnTopAction(), &QAction::toggled, this, [this](bool onTop) {
        m_settings.rateOnTop = onTop;
        changed();
    });
    connect(m_parts.speedWindow.stayOnTopAction(), &QAction::toggled, this, [this](bool onTop) {
        m_settings.speedOnTop = onTop;
        changed();
    });
    for (QWidget* window :
         {static_cast<QWidget*>(&panel), static_cast<QWidget*>(&display),
          static_cast<QWidget*>(&m_parts.report), static_cast<QWidget*>(&m_parts.rateWindow),
          static_cast<QWidget*>(&m_parts.speedWindow)})
        window->installEventFilter(this);
}

bool SettingsKeeper::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Move || m_finished)
        return false;
    auto* window = qobject_cast<QWidget*>(watched);
    if (!window || !window->isVisible() || window->isMinimized())
        return false;
    const QPoint position = window->pos();
    if (window == &m_parts.panel)
        m_settings.panelPosition = position;
    else if (window == &m_parts.display && !m_parts.display.attached())
        m_settings.displayPosition = position;
    else if (window == &m_parts.report)
        m_settings.reportPosition = position;
    else if (window == &m_parts.rateWindow)
        m_settings.ratePosition = position;
    else if (window == &m_parts.speedWindow)
        m_settings.speedPosition = position;
    else
        return false;
    m_writeTimer.start();
    return false;
}

void SettingsKeeper::changed() {
    if (!m_finished)
        write();
}

void SettingsKeeper::save() {
    write();
}

void SettingsKeeper::finish() {
    if (m_finished)
        return;
    write();
    m_finished = true;
}

void SettingsKeeper::write() {
    m_writeTimer.stop();
    if (m_store.write(m_settings) || m_failureTold)
        return;
    m_failureTold = true;
    Q_EMIT writeFailed(
        tr("Settings cannot be saved to \"%1\". Chronofex keeps working, and starts with "
           "the settings it last saved next time.")
            .arg(QDir::toNativeSeparators(m_store.filePath())));
}

} // namespace cfx
