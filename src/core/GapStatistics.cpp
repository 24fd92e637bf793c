#include "core/GapStatistics.h"

#include "core/NumberText.h"
#include "core/Session.h"
#include "core/TimeFormat.h"

#include <algorithm>
#include <cmath>

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

qint32 gapCs(const Session& session, int n) {
    if (!session.isValidRecord(n))
        return 0;
    if (n == 1)
        return cfx::roundHalfEvenToInt32(session.timeValue(1));
    return cfx::roundHalfEvenToInt32(session.timeValue(n) - session.timeValue(n - 1));
}

QString gapText(const Session& session, int n, int eventsPerSec) {
    if (!session.isValidRecord(n))
        return {};
    if (n == 1)
        return withoutStandingMark(session.text(1, ReadingColumn::Time));
    return cfx::formatCs(gapCs(session, n), eventsPerSec);
}

cfx::GapStatistics computeGapStatistics(const Session& session, int eventsPerSec) {
    const int n = session.recordCount();
    cfx::GapStatistics stats;
    stats.gapsCs.resize(n);
    QVector<qint32> included;
    included.reserve(n);
    // 64-bit sum: a 32-bit one would overflow on long sessions with many readings.
    qint64 sum = 0;
    for (int r = 1; r <= n; ++r) {
        const qint32 g = gapCs(session, r);
        stats.gapsCs[r - 1] = g;
        if (!session.isExcluded(r)) {
            sum += g;
            included << g;
        }
    }
    stats.included = static_cast<int>(included.size());
    if (included.isEmpty())
        return stats;
    stats.meanCs = static_cast<double>(sum) / stats.included;
    // The average goes through single precision before it is rounded (half to even).
    const auto average = static_cast<float>(stats.meanCs);
    stats.averageCs = cfx::roundHalfEvenToInt32(average);
    if (n == 1) {
        stats.longestCs = stats.shortestCs = stats.gapsCs[0];
        stats.singleRecordText = gapText(session, 1, eventsPerSec);
    } else {
        stats.longestCs = findLongestGap(session, stats.gapsCs);
        stats.shortestCs = findShortestGap(session, stats.gapsCs);
    }

    const qsizetype middle = included.size() / 2;
    std::nth_element(included.begin(), included.begin() + middle, included.end());
    double median = included[middle];
    if (included.size() % 2 == 0) {
        const qint32 below = *std::max_element(included.begin(), included.begin() + middle);
        median = (static_cast<double>(below) + median) / 2.0;
    }
    stats.medianCs = cfx::roundHalfEvenToInt32(median);
    if (stats.included >= 2) {
        double squares = 0.0;
        for (const qint32 g : included)
            squares += (g - stats.meanCs) * (g - stats.meanCs);
        stats.deviationCs = cfx::roundHalfEvenToInt32(std::sqrt(squares / (stats.included - 1)));
    }
    return stats;
}

GapStatisticTexts gapStatisticTexts(const GapStatistics& stats, int eventsPerSec,
                                    const QString& notApplicable) {
    auto text = [&](const std::optional<qint32>& cs) {
        return cs ? cfx::formatCs(*cs, eventsPerSec) : notApplicable;
    };
    GapStatisticTexts t{text(stats.averageCs), text(stats.longestCs), text(stats.shortestCs),
                        text(stats.medianCs), text(stats.deviationCs)};
    if (stats.gapsCs.size() == 1 && stats.longestCs)
        t.longest = t.shortest = stats.singleRecordText;
    return t;
}

} // namespace cfx
