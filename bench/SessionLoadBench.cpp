// Opening a session of 30,000 readings: reading and checking the file, and filling the report's
// grids as the program does on load. Goal: at most 300 ms for both together. Restoring 30,000
// readings from the journal after a crash, as the program does at start: goal at most 300 ms.
#include "core/Session.h"
#include "core/io/Journal.h"
#include "core/io/SessionFile.h"
#include "core/io/SessionLoad.h"

#include <QCoreApplication>
#include <QFile>

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

// A journal of 30,000 readings, with a comment and an exclusion on every tenth, as the program
// leaves it when it is killed.
QString journalPath(const QTemporaryDir& dir) {
    cfx::SessionData data;
    if (QString error; !cfx::readSession(sessionPath(dir), data, error))
        std::abort();
    const QString path = dir.filePath(cfx::kJournalFileName);
    Session session;
    Journal journal(path);
    if (!journal.start(session))
        std::abort();
    cfx::loadReadings(session, data);
    journal.recordAll(data.resolution, 100, data.baseCs, data.ledValues);
    for (int n = 10; n <= kReadings; n += 10) {
        session.addComment(n, QStringLiteral("lap, \"%1\"").arg(n));
        session.exclude(n);
    }
    return path;
}

// Reading the journal, replaying it and putting the readings in the report, as a restore at
// start does.
void restoreJournal(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = journalPath(dir);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("no journal");
        Session replayed;
        const JournalFacts facts = cfx::replayJournal(file, replayed);
        Session readings;
        cfx::loadReadings(readings, cfx::sessionFrom(replayed, facts.resolution, facts.baseCs,
                                                     replayed.sessionStamp(), facts.ledValues));
        for (int n = 10; n <= kReadings; n += 10)
            readings.exclude(n);
        if (readings.recordCount() != kReadings)
            state.SkipWithError("not every reading restored");
    }
}

// A hostile journal: 100,000 readings, then 20,000 resolution changes (each once re-rendered
// every reading), then a 100 MB line; restored as at start, streamed from the file.
void restoreHostileJournal(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(cfx::kJournalFileName);
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(QByteArray(cfx::kJournalVersionLine) + '\n');
        QByteArray lines;
        for (int n = 1; n <= Session::kMaxRecords; ++n)
            lines += "S\t" + QByteArray::number(n) + '\t' + QByteArray::number(n) +
                     "\t00:00:01.00\t00\t100\tstamp\n";
        for (int i = 0; i < 20000; ++i)
            lines += i % 2 ? "R\t10\t10\n" : "R\t100\t100\n";
        file.write(lines);
        file.write("E\t1\t0\t" + QByteArray(100 * 1024 * 1024, 'x') + "\n");
    }
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("no journal");
        Session replayed;
        cfx::replayJournal(file, replayed);
        if (replayed.recordCount() != Session::kMaxRecords)
            state.SkipWithError("not every reading restored");
    }
}

} // namespace

BENCHMARK(restoreHostileJournal)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(readOnly)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(readAndFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(restoreJournal)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    // The journal's sync timer needs an application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
