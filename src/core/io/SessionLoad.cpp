#include "core/io/SessionLoad.h"

#include "core/Session.h"
#include "core/TimeFormat.h"
#include "core/io/SessionExclusions.h"
#include "core/io/TextReport.h"

#include <QDir>

namespace cfx {

SessionData sessionFrom(const Session& readings, const QString& resolutionText, qint32 baseCs,
                        const QString& stamp, const std::array<int, 8>& ledValues) {
    SessionData s;
    s.resolution = resolutionText;
    s.baseCs = baseCs;
    s.stamp = stamp;
    s.ledValues = ledValues;
    const int n = readings.recordCount();
    s.readings.resize(n);
    for (int r = 1; r <= n; ++r) {
        SessionReading& out = s.readings[r - 1];
        for (int c = 0; c < kReadingColumns; ++c)
            out.results[c] = readings.text(r, static_cast<ReadingColumn>(c));
        out.reference[0] = readings.reading(r).tag;
        out.reference[1] = readings.reading(r).timeCsText;
    }
    return s;
}

void loadReadings(Session& readings, const SessionData& session) {
    for (const SessionReading& r : session.readings) {
        // The reader never yields more readings than the report holds.
        readings.addLoadedReading(r.results[0], r.results[1], r.results[2], r.results[3],
                                  r.reference[0], r.reference[1]);
    }
    readings.finishLoading();
}

bool writeSessionReport(const QString& sessionPath, const QString& folder, const QDateTime& created,
                        QString& error) {
    SessionData session;
    if (!readSession(sessionPath, session, error))
        return false;
    Session readings;
    loadReadings(readings, session);
    // The exclusions saved with the file, as opening it in the program applies them.
    const ExclusionsRead marks =
        readExclusions(sessionPath, static_cast<int>(readings.recordCount()));
    for (const int n : marks.excluded)
        readings.exclude(n);
    const ReportHeader header{created, session.resolution, session.stamp};
    const ReportWriteResult written =
        writeStopwatchReport(folder, readings, header, eventsPerSecOf(session.resolution));
    if (!written.ok) {
        error = QStringLiteral("The file \"%1\" could not be written: %2")
                    .arg(QDir::toNativeSeparators(written.path), written.error);
        return false;
    }
    error.clear();
    return true;
}

} // namespace cfx
