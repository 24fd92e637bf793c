#pragma once

#include "platform/Settings.h"

#include <QObject>
#include <QTimer>

namespace cfx {

class LargeDisplay;
class MainPanel;
class RateWindow;
class ReportWindow;
class SpeedWindow;
class Stopwatch;
class StopwatchActions;

// Puts the remembered settings in place as the program starts, and writes them back to the
// settings file as the user changes them: at once for a switch, a moment after the last move of a
// dragged window, and one last time as the program ends. Each setting keeps its one owner (the
// stopwatch, its actions, the panel, the windows); this only copies what they report.
class SettingsKeeper : public QObject {
    Q_OBJECT
public:
    // The owners of the settings.
    struct Parts {
        Stopwatch& clock;
        StopwatchActions& actions;
        MainPanel& panel;
        LargeDisplay& display;
        ReportWindow& report;
        RateWindow& rateWindow;
        SpeedWindow& speedWindow;
    };

    SettingsKeeper(const Parts& parts, SettingsStore store);

    // Gives the program's parts these settings, then follows their changes.
    void apply(const StartSettings& settings);
    // What was last seen, as it would be written.
    const StartSettings& settings() const { return m_settings; }
    // Writes the settings now.
    void save();
    // Writes what is pending now and follows nothing more (the exit, before windows close).
    void finish();
    // The transparency dialog applied this opacity to the large display.
    void opacityApplied(int value);

Q_SIGNALS:
    // The settings file could not be written (said once); the program goes on.
    void writeFailed(const QString& text);
    // The remembered opacity of the large display, for the transparency dialog to apply.
    void opacityWanted(int value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch();
    void changed();
    void write();

    Parts m_parts;
    SettingsStore m_store;
    StartSettings m_settings;
    QTimer m_writeTimer;
    bool m_finished = false;
    bool m_failureTold = false;
};

} // namespace cfx
