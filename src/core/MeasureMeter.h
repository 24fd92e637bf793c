#pragma once

#include "core/MeasureClock.h"
#include "core/RecordTable.h"

#include <QString>
#include <QStringList>

namespace cfx {

// Texts and icon names the meters put on their windows.
struct MeasureTexts {
    static inline const QString kZero = QStringLiteral("0.0");
    // Shown instead of a rate or speed that would need a division by zero (all marks in one tick).
    static inline const QString kUndefined = QStringLiteral("-");
};

// What the display panel's main value tells: a figure, or what is going on instead.
enum class MeasureStatus { Figure, Timing, Stopped, Reset };
// How Start looks: ready to start, ready to stop a running measurement, or waiting for the next
// mark (no caption).
enum class StartFace { Start, Stop, Waiting };

// What the rate and speed meters share, without widgets: presses on Start against the main
// stopwatch, the Store and Fresh buttons, and the stored results as numbered records. A window
// shows view() and whatever its meter adds to it.
class MeasureMeter {
public:
    // The state of the controls every measure window has.
    struct View {
        MeasureStatus status = MeasureStatus::Figure;
        QString figure = MeasureTexts::kZero; // the main value while the status is Figure
        StartFace start = StartFace::Start;
        bool storeEnabled = false;
        bool freshEnabled = false;
        bool reportsEnabled = false;
    };

    virtual ~MeasureMeter();
    MeasureMeter(const MeasureMeter&) = delete;
    MeasureMeter& operator=(const MeasureMeter&) = delete;

    // Appends the last result with this comment as the next numbered record.
    void addRecord(const QString& comment);
    // "OK" in the comment dialog: the result is stored once, so Store goes off.
    void commentAccepted(const QString& comment);
    // The comment dialog closed, whichever way: the reports are offered from now on.
    void commentDialogClosed();
    // "Fresh": abandons the measurement and removes every record.
    void fresh();

    const View& view() const { return m_view; }
    const RecordTable& records() const { return m_records; }
    int clickCount() const { return m_clickCount; }
    // The general date of the moment the last result was taken.
    const QString& readingStamp() const { return m_readingStamp; }

protected:
    MeasureMeter(MeasureClock clock, const QStringList& titles);

    // The shared start of a press on Start. When the main stopwatch is stopped the meter shows
    // "Stopped", drops what it was measuring and returns false.
    bool beginPress();
    // Start shows its idle caption and picture, and the next press begins a new measurement.
    void toIdle();
    // Takes the wall-clock time now as the stamp of the result.
    void stampReading();
    // The main value shows this figure.
    void showFigure(const QString& figure);
    qint32 elapsedCs() const { return m_clock.elapsedCs(); }

    // The values the window shows besides view().figure go blank ("Stopped", "Fresh").
    virtual void clearDetails() = 0;
    // The result's texts for a new record, between the number and the comment.
    virtual QStringList resultTexts() const = 0;

    View m_view;
    qint16 m_clickCount = 0;

private:
    MeasureClock m_clock;
    RecordTable m_records;
    QString m_readingStamp;
};

} // namespace cfx
