#pragma once

#include <QString>
#include <QtGlobal>

namespace cfx {

class ReadingsModel;

inline const QString kNotApplicable = QStringLiteral("Not Applicable");

struct GapStatistics {
    QString average;
    QString longest;
    QString shortest;
};

// Rebuilds TimerGap (each record's gap to the record before it; record 1's gap is its own time)
// and computes the average, longest and shortest gap over the included records at the given
// resolution. The strings are stored in the model and returned.
cfx::GapStatistics computeGapStatistics(ReadingsModel& model, int eventsPerSec);

// The longest / shortest gap over the included records; TimerGap must have been rebuilt by
// computeGapStatistics first. Need at least two records.
qint32 findLongestGap(const ReadingsModel& model);
qint32 findShortestGap(const ReadingsModel& model);

} // namespace cfx
