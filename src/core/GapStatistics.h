#pragma once

#include <QString>
#include <QVector>
#include <QtGlobal>

namespace cfx {

class Session;

inline const QString kNotApplicable = QStringLiteral("Not Applicable");

// Each record's gap to the record before it (record 1's gap is its own time), and the average,
// longest and shortest gap over the included records at one resolution.
struct GapStatistics {
    QVector<qint32> gapsCs; // gapsCs[n - 1] is record n's gap
    QString average;
    QString longest;
    QString shortest;
};

cfx::GapStatistics computeGapStatistics(const Session& session, int eventsPerSec);

// The gap of record n as the reports print it: record 1's is its time text without the "S",
// later ones are formatted at the resolution.
QString gapText(const Session& session, const GapStatistics& stats, int n, int eventsPerSec);

// The longest / shortest of the gaps over the included records. Need at least two records.
qint32 findLongestGap(const Session& session, const QVector<qint32>& gapsCs);
qint32 findShortestGap(const Session& session, const QVector<qint32>& gapsCs);

} // namespace cfx
