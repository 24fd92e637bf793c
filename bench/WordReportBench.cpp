// Time to build the stopwatch document for a long session: the gaps and statistics, the
// document's paragraphs and table, and the zipped .docx package.
#include "core/Session.h"
#include "core/TimeFormat.h"
#include "core/io/DocxWriter.h"
#include "core/io/TextReport.h"
#include "core/io/WordReports.h"

#include <QDateTime>

#include <benchmark/benchmark.h>

using namespace cfx;

namespace {

Session& session(int readings) {
    static Session model;
    if (model.recordCount() != readings) {
        model.clearReport();
        for (int i = 1; i <= readings; ++i) {
            const qint32 cs = i * 137;
            const cfx::TimeFields f = cfx::timeFields(cs);
            model.appendReading(cs, false, f.centi, false,
                                f.hour + ':' + f.minute + ':' + f.second + '.' + f.centi);
        }
        model.refreshReadings();
        for (int i = 1; i <= readings; i += 3)
            model.addComment(i, QStringLiteral("lap %1; steady pace").arg(i));
    }
    return model;
}

const cfx::ReportHeader kHeader{QDateTime::currentDateTime(), QStringLiteral("100"),
                                QStringLiteral("07/12/2026 23:50:00")};

void StopwatchDocumentPackage(benchmark::State& state) {
    Session& model = session(static_cast<int>(state.range(0)));
    qsizetype bytes = 0;
    for (auto _ : state) {
        const cfx::docx::Document doc = cfx::stopwatchWordDocument(model, kHeader, 100);
        const QByteArray package = cfx::docx::packageBytes(doc);
        bytes = package.size();
        benchmark::DoNotOptimize(package.constData());
    }
    state.counters["docx_bytes"] = static_cast<double>(bytes);
}

void StopwatchDocumentXml(benchmark::State& state) {
    Session& model = session(static_cast<int>(state.range(0)));
    const cfx::docx::Document doc = cfx::stopwatchWordDocument(model, kHeader, 100);
    for (auto _ : state)
        benchmark::DoNotOptimize(cfx::docx::documentXml(doc).size());
}

void StopwatchDocumentContent(benchmark::State& state) {
    Session& model = session(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(cfx::stopwatchWordDocument(model, kHeader, 100).blocks.size());
}

} // namespace

BENCHMARK(StopwatchDocumentPackage)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(StopwatchDocumentXml)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(StopwatchDocumentContent)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
