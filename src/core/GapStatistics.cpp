#include "core/GapStatistics.h"

#include "core/NumberText.h"
#include "core/Session.h"
#include "core/TimeFormat.h"

#include <algorithm>

namespace cfx {

qint32 findLongestGap(const Session& session, const QVector<qint32>& gapsCs) {
    const int n = session.recordCount();
    auto gap = [&](int r) { return gapsCs[r - 1]; };
    qint32 max = 0;
    const bool in1 = !session.isExcluded(1);
    const bool in2 = !session.isExcluded(2);
    if (in1 && in2)
        max = std::max(gap(1), gap(2));
    else if (in1)
        max = gap(1);
    else if (in2)
        max = gap(2);
    for (int r = 3; r <= n; ++r) {
        if (!session.isExcluded(r) && gap(r) >= max)
            max = gap(r);
    }
    return max;
}

qint32 findShortestGap(const Session& session, const QVector<qint32>& gapsCs) {
    const int n = session.recordCount();
    auto gap = [&](int r) { return gapsCs[r - 1]; };
    qint32 min = 0;
    const bool in1 = !session.isExcluded(1);
    const bool in2 = !session.isExcluded(2);
    if (n >= 3 && !in1 && !in2) {
        // Start from the first included gap, or a minimum of 0 would never be beaten.
        for (int k = 3; k <= n; ++k) {
            if (!session.isExcluded(k)) {
                min = gap(k);
                break;
            }
        }
    }
    if (in1 && in2)
        min = std::min(gap(1), gap(2));
    else if (in1)
        min = gap(1);
    else if (in2)
        min = gap(2);
    for (int r = 3; r <= n; ++r) {
        if (!session.isExcluded(r) && gap(r) <= min)
            min = gap(r);
    }
    return min;
}

cfx::GapStatistics computeGapStatistics(const Session& session, int eventsPerSec) {
    const int n = session.recordCount();
    cfx::GapStatistics stats;
    stats.gapsCs.resize(n);
    // 64-bit sum: a 32-bit one would overflow on long sessions with many readings.
    qint64 sum = 0;
    int count = 0;
    if (n >= 1) {
        // The gap is the difference of the stored times, rounded once.
        double previous = session.timeValue(1);
        stats.gapsCs[0] = cfx::roundHalfEvenToInt32(previous);
        for (int r = 2; r <= n; ++r) {
            const double t = session.timeValue(r);
            stats.gapsCs[r - 1] = cfx::roundHalfEvenToInt32(t - previous);
            previous = t;
        }
        for (int r = 1; r <= n; ++r) {
            if (!session.isExcluded(r)) {
                sum += stats.gapsCs[r - 1];
                ++count;
            }
        }
    }

    if (count == 0) {
        stats.average = stats.longest = stats.shortest = cfx::kNotApplicable;
        return stats;
    }
    // The average goes through single precision before it is rounded (half to even).
    const auto average = static_cast<float>(static_cast<double>(sum) / count);
    stats.average = cfx::formatCs(cfx::roundHalfEvenToInt32(average), eventsPerSec);
    if (n == 1) {
        stats.longest = stats.shortest = gapText(session, stats, 1, eventsPerSec);
    } else {
        stats.longest = cfx::formatCs(findLongestGap(session, stats.gapsCs), eventsPerSec);
        stats.shortest = cfx::formatCs(findShortestGap(session, stats.gapsCs), eventsPerSec);
    }
    return stats;
}

QString gapText(const Session& session, const GapStatistics& stats, int n, int eventsPerSec) {
    if (n == 1)
        return withoutStandingMark(session.text(1, ReadingColumn::Time));
    if (n < 1 || n > stats.gapsCs.size())
        return {};
    return cfx::formatCs(stats.gapsCs[n - 1], eventsPerSec);
}

} // namespace cfx
