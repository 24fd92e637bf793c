#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

#include <optional>

namespace cfx {

class Session;

inline const QString kNotApplicable = QStringLiteral("Not Applicable");

// Record n's gap to the record before it, in centiseconds: the difference of the stored times,
// rounded once. Record 1's gap is its own time.
qint32 gapCs(const Session& session, int n);

// The gap of record n as the reports print it: record 1's is its time text without the "S",
// later ones are formatted at the resolution (a negative gap with a minus sign).
QString gapText(const Session& session, int n, int eventsPerSec);

// The gaps of the included records summed up, as the reports print them (average, longest and
// shortest) and as the report window adds them (median and standard deviation). Values only:
// a figure without an included reading to stand on is empty, and the words for it are made
// where the texts are (gapStatisticTexts).
struct GapStatistics {
    QVector<qint32> gapsCs; // gapsCs[n - 1] is record n's gap
    int included = 0;       // records not excluded
    double meanCs = 0.0;    // the average before it is rounded and formatted
    std::optional<qint32> averageCs;
    std::optional<qint32> longestCs;
    std::optional<qint32> shortestCs;
    // Of the included gaps; the mean of the middle two for an even count.
    std::optional<qint32> medianCs;
    // Sample standard deviation of the included gaps; needs two of them.
    std::optional<qint32> deviationCs;
    // A single included record has its own time text (without the "S") as its longest and
    // shortest gap, as the reports print it.
    QString singleRecordText;
};

cfx::GapStatistics computeGapStatistics(const Session& session, int eventsPerSec);

// The figures as texts at the resolution, `notApplicable` for an empty one: the report files
// pass kNotApplicable, the report window its translation.
struct GapStatisticTexts {
    QString average;
    QString longest;
    QString shortest;
    QString median;
    QString deviation;
};
GapStatisticTexts gapStatisticTexts(const GapStatistics& stats, int eventsPerSec,
                                    const QString& notApplicable);

// The longest / shortest of the gaps over the included records. Need at least two records.
qint32 findLongestGap(const Session& session, const QVector<qint32>& gapsCs);
qint32 findShortestGap(const Session& session, const QVector<qint32>& gapsCs);

} // namespace cfx
