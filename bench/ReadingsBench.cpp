// Times a snap with 30,000 readings in the report (the logic alone, and with the report window
// showing them) and writing the report and raw files for 30,000 readings. Prints median and
// worst of each. Run: QT_QPA_PLATFORM=offscreen bench_readings
#include "core/DisplaySink.h"
#include "core/Session.h"
#include "core/Snapshot.h"
#include "core/Stopwatch.h"
#include "core/io/Journal.h"
#include "core/io/TextReport.h"
#include "gui/ReportWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

using namespace cfx;

namespace {

constexpr int kReadings = 30000;

using Clock = std::chrono::steady_clock;

struct Figures {
    double median = 0;
    double worst = 0;
    double cpuMedian = 0; // the process's CPU time: on a shared machine the wall time waits too
};

double cpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Runs `measured` n times, with `between` (not timed) after each, and returns milliseconds.
Figures time(int n, const std::function<void()>& measured, const std::function<void()>& between) {
    std::vector<double> ms;
    std::vector<double> cpu;
    ms.reserve(n);
    cpu.reserve(n);
    for (int i = 0; i < n; ++i) {
        const double c0 = cpuMs();
        const auto t0 = Clock::now();
        measured();
        const auto t1 = Clock::now();
        cpu.push_back(cpuMs() - c0);
        ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        if (between)
            between();
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    return {ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2]};
}

// A time source set by hand, so that each tick lands on the wanted centisecond.
class HandTime : public MonotonicClock {
public:
    qint64 nowMs() const override { return ms; }
    qint64 ms = 0;
};

// A running stopwatch and the readings it snaps into.
struct SnapRig {
    SnapRig() { clock.start(); }
    // The clock's last tick shows cs.
    void tickAt(qint32 cs) {
        time.ms = cs * 10;
        clock.tick();
    }
    HandTime time;
    Stopwatch clock{time};
    NullDisplay display;
    Session model;
};

void fill(SnapRig& rig) {
    cfx::SnapHooks hooks;
    // Build the report by snapping, as a session would, with a comment on every tenth reading.
    for (int i = 1; i <= kReadings; ++i) {
        rig.tickAt(i * 37);
        cfx::takeSnap(rig.clock, rig.model, rig.display, hooks);
        if (i % 10 == 0)
            rig.model.addComment(i, QStringLiteral("lap %1, steady").arg(i));
    }
}

// With settle set, a snap counts until the window has caught up: the statistics and the chart
// recomputed and the window repainted.
Figures snapFigures(SnapRig& rig, bool prune, bool settle = false) {
    cfx::SnapHooks hooks;
    Session& model = rig.model;
    const qint32 next = (kReadings + 1) * 37;
    return time(
        500,
        [&] {
            if (prune) {
                // An all-zero custom time started from zero: the next snap prunes.
                rig.clock.stop();
                rig.time.ms = 0;
                rig.clock.applyCustomTime({}, {"00", "00", "00", "00"});
                rig.clock.start();
            }
            rig.tickAt(next);
            cfx::takeSnap(rig.clock, model, rig.display, hooks);
            if (settle)
                QCoreApplication::processEvents();
        },
        // Without pruning the report grows by one reading per run (30,000 to 30,500, too little
        // to change the figure); with it, every run replaces the reading of the run before.
        [&] { QCoreApplication::processEvents(); });
}

void print(const char* what, const Figures& f) {
    std::printf("%-52s median %8.3f ms  worst %8.3f ms  (CPU median %8.3f ms)\n", what, f.median,
                f.worst, f.cpuMedian);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // "write" times the files only (for profiling).
    const bool writeOnly = argc > 1 && QByteArray(argv[1]) == "write";

    if (!writeOnly) {
        SnapRig rig;
        fill(rig);
        print("snap at 30,000 readings (logic)", snapFigures(rig, false));
        print("snap at 30,000 readings with pruning (logic)", snapFigures(rig, true));
    }
    if (!writeOnly) {
        // Every snap appended to the journal in a temporary folder, as the program does.
        SnapRig rig;
        QTemporaryDir dir;
        cfx::Journal journal(dir.filePath(cfx::kJournalFileName));
        if (!journal.start(rig.model)) {
            std::fprintf(stderr, "the journal could not be started\n");
            return 1;
        }
        fill(rig);
        print("snap at 30,000 readings with the journal (logic)", snapFigures(rig, false));
    }
    if (!writeOnly) {
        SnapRig rig;
        ReportWindow window(rig.model);
        window.show();
        fill(rig);
        QCoreApplication::processEvents();
        print("snap at 30,000 readings (report window shown)", snapFigures(rig, false));
    }
    if (!writeOnly) {
        SnapRig rig;
        ReportWindow window(rig.model);
        window.findChild<QCheckBox*>(QStringLiteral("ChartCheck"))->setChecked(true);
        window.show();
        fill(rig);
        QCoreApplication::processEvents();
        print("snap at 30,000 readings (gaps, statistics and chart shown, repainted)",
              snapFigures(rig, false, true));
    }
    {
        SnapRig rig;
        fill(rig);
        Session& model = rig.model;
        model.exclude(5);
        QTemporaryDir dir;
        const cfx::ReportHeader header{QDateTime::currentDateTime(), QStringLiteral("10"),
                                       QStringLiteral("stamp")};
        bool ok = true;
        const Figures f = time(
            20, [&] { ok = ok && cfx::writeStopwatchReport(dir.path(), model, header, 10).ok; },
            nullptr);
        if (!ok) {
            std::fprintf(stderr, "writing the files failed\n");
            return 1;
        }
        print("write CFXReport.txt + CFXRawCSV.txt, 30,000 readings", f);
    }
    return 0;
}
