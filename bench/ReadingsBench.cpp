// Times a snap with 30,000 readings in the report (the logic alone, and with the report window
// showing them) and writing the report and raw files for 30,000 readings. Prints median and
// worst of each. Run: QT_QPA_PLATFORM=offscreen bench_readings
#include "core/DisplaySink.h"
#include "core/ProgramState.h"
#include "core/ReadingsModel.h"
#include "core/Snapshot.h"
#include "core/TimeFormat.h"
#include "core/io/TextReport.h"
#include "gui/ReportWindow.h"

#include <QApplication>
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

void setFields(ProgramState& state, cfx::SnapClock& clock, qint32 cs) {
    const cfx::TimeFields f = cfx::timeFields(cs);
    state.HourText = f.hour;
    state.MinuteText = f.minute;
    state.SecondText = f.second;
    state.SubSecText = cfx::subSecText(cs % 100, state.EventsPerSec);
    clock.currentCs = cs;
    clock.centiText = f.centi;
}

void fill(ReadingsModel& model, ProgramState& state, cfx::SnapClock& clock, NullDisplay& display) {
    cfx::SnapHooks hooks;
    clock.panelState = 0;
    // Build the report by snapping, as a session would, with a comment on every tenth reading.
    for (int i = 1; i <= kReadings; ++i) {
        setFields(state, clock, i * 37);
        cfx::TakeSnap(state, clock, model, display, hooks);
        if (i % 10 == 0)
            model.AddComment(i, QStringLiteral("lap %1, steady").arg(i));
    }
}

Figures snapFigures(ReadingsModel& model, ProgramState& state, cfx::SnapClock& clock,
                    NullDisplay& display, bool prune) {
    cfx::SnapHooks hooks;
    const qint32 next = (kReadings + 1) * 37;
    return time(
        500,
        [&] {
            state.PruneOnSnap = prune ? 1 : 0;
            setFields(state, clock, next);
            cfx::TakeSnap(state, clock, model, display, hooks);
        },
        [&] {
            // Back to 30,000 readings for the next snap.
            model.results().removeItem(model.recordCount());
            model.reference().removeItem(model.recordCount() + 1);
            QCoreApplication::processEvents();
        });
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
        ProgramState state;
        cfx::SnapClock clock;
        NullDisplay display;
        ReadingsModel model;
        fill(model, state, clock, display);
        print("snap at 30,000 readings (logic)", snapFigures(model, state, clock, display, false));
        print("snap at 30,000 readings with pruning (logic)",
              snapFigures(model, state, clock, display, true));
    }
    if (!writeOnly) {
        ProgramState state;
        cfx::SnapClock clock;
        NullDisplay display;
        ReadingsModel model;
        ReportWindow window(model);
        window.show();
        fill(model, state, clock, display);
        QCoreApplication::processEvents();
        print("snap at 30,000 readings (report window shown)",
              snapFigures(model, state, clock, display, false));
    }
    {
        ProgramState state;
        cfx::SnapClock clock;
        NullDisplay display;
        ReadingsModel model;
        fill(model, state, clock, display);
        model.Exclude(5);
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
