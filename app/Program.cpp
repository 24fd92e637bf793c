#include "app/Program.h"

#include "timing/TimerPanel1A.h"

Program::Program(const QString& dataDir, QObject* parent)
    : QObject(parent), m_timeSource(std::make_unique<SteadyClock>()) {
    m_state.DataDir = dataDir;
    m_clock = std::make_unique<ClockEngine>(m_state, *m_timeSource);
}

Program::~Program() {
    // The panel refers to the clock and the state; it goes first.
    m_panel.reset();
}

void Program::setTimeSource(std::unique_ptr<MonotonicClock> source) {
    m_timeSource = std::move(source);
    m_clock = std::make_unique<ClockEngine>(m_state, *m_timeSource);
}

void Program::load() {
    m_panel = std::make_unique<TimerPanel1A>(*this);
}

// --- readings ----------------------------------------------------------------------------------

void Program::takeSnap() {}

void Program::clearReadingsForReset() {}

void Program::rerenderReadings() {}

void Program::setReportVisible(bool) {}

// --- rate and speed ----------------------------------------------------------------------------

void Program::setRateVisible(bool) {}

void Program::setSpeedVisible(bool) {}

// --- hotkeys -----------------------------------------------------------------------------------

void Program::openHotkeyDialog() {}

void Program::registerHotkeys() {}

void Program::releaseHotkeys() {}

// --- set time ----------------------------------------------------------------------------------

void Program::openSetTimeDialog() {}

// --- session files -----------------------------------------------------------------------------

void Program::openSessionDialog() {}

void Program::saveSessionDialog() {}

void Program::loadSession(const QString&) {}

// --- splash and about --------------------------------------------------------------------------

void Program::showAbout() {}

// --- tray --------------------------------------------------------------------------------------

void Program::minimizeToTray() {}

void Program::restoreFromTray() {}

// --- large display -----------------------------------------------------------------------------

void Program::showTransparencyDialog() {}

void Program::playAlert() {}

void Program::snapfoto() {}

void Program::setDisplayAttached(bool) {}

// --- end ---------------------------------------------------------------------------------------

void Program::unloadWindows() {}
