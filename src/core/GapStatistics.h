#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

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
// shortest) and as the report window adds them (median and standard deviation).
struct GapStatistics {
    QVector<qint32> gapsCs; // gapsCs[n - 1] is record n's gap
    int included = 0;       // records not excluded
    double meanCs = 0.0;    // the average before it is rounded and formatted
    QString average;
    QString longest;
    QString shortest;
    QString median;    // of the included gaps; the mean of the middle two for an even count
    QString deviation; // sample standard deviation of the included gaps; needs two of them
};

cfx::GapStatistics computeGapStatistics(const Session& session, int eventsPerSec);

// The longest / shortest of the gaps over the included records. Need at least two records.
qint32 findLongestGap(const Session& session, const QVector<qint32>& gapsCs);
qint32 findShortestGap(const Session& session, const QVector<qint32>& gapsCs);

} // namespace cfx
