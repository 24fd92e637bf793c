// Opening a session of 30,000 readings: reading and checking the file, and filling the report's
// grids as the program does on load. Goal: at most 300 ms for both together.
#include "core/Session.h"
#include "core/io/SessionFile.h"
#include "core/io/SessionLoad.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace cfx;

namespace {

constexpr int kReadings = 30000;

QString sessionPath(const QTemporaryDir& dir) {
    cfx::SessionData s;
    s.resolution = "100";
    s.baseCs = 3'000'000;
    s.stamp = "08/12/2026 01:02:03";
    s.ledValues = {0, 8, 2, 0, 0, 0, 0, 0};
    for (int i = 1; i <= kReadings; ++i) {
        const qint32 cs = i * 100 + i % 97;
        s.readings.push_back({{QString::number(i),
                               QStringLiteral("00:%1:%2.%3")
                                   .arg(i / 6000, 2, 10, QLatin1Char('0'))
                                   .arg((i / 100) % 60, 2, 10, QLatin1Char('0'))
                                   .arg(cs % 100, 2, 10, QLatin1Char('0')),
                               QStringLiteral("%1").arg(100.0 * i / kReadings, 0, 'f', 2),
                               i % 10 == 0 ? QStringLiteral("lap %1").arg(i) : QString()},
                              {QString::number(cs % 100), QString::number(cs)}});
    }
    const QString path = dir.filePath("big.CFX");
    if (!cfx::writeSession(path, s).ok)
        std::abort();
    return path;
}

void readOnly(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = sessionPath(dir);
    for (auto _ : state) {
        cfx::SessionData s;
        QString error;
        if (!cfx::readSession(path, s, error))
            state.SkipWithError("read failed");
        benchmark::DoNotOptimize(s.readings.size());
    }
}

void readAndFill(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = sessionPath(dir);
    for (auto _ : state) {
        Session readings;
        cfx::SessionData s;
        QString error;
        if (!cfx::readSession(path, s, error))
            state.SkipWithError("read failed");
        cfx::loadReadings(readings, s);
        if (readings.recordCount() != kReadings)
            state.SkipWithError("not every reading loaded");
    }
}

} // namespace

BENCHMARK(readOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(readAndFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK_MAIN();
