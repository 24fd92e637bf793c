#pragma once

#include <QDateTime>
#include <QtGlobal>

#include <functional>

namespace cfx {

// What the rate and speed meters read from the main stopwatch: its elapsed centiseconds, whether
// it runs, and the wall-clock time used to stamp a result. Injectable so tests drive a fake clock.
struct MeasureClock {
    std::function<qint32()> elapsedCs = [] { return qint32{0}; };
    std::function<bool()> running = [] { return false; };
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
};

// Texts and icon names the meters put on their windows.
namespace measuretext {
inline const QString kZero = QStringLiteral("0.0");
inline const QString kTiming = QStringLiteral("Timing...");
inline const QString kStopped = QStringLiteral("Stopped");
inline const QString kReset = QStringLiteral("Reset");
inline const QString kStart = QStringLiteral("Start");
inline const QString kStop = QStringLiteral("Stop");
// Shown instead of a rate or speed that would need a division by zero (all marks in one tick).
inline const QString kUndefined = QStringLiteral("-");
} // namespace measuretext

} // namespace cfx
