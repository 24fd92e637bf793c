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

} // namespace cfx
