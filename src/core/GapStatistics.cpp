#include "core/GapStatistics.h"

#include "core/NumberText.h"
#include "core/ReadingsModel.h"
#include "core/TimeFormat.h"

#include <algorithm>

namespace cfx {

namespace {

// A record's time as stored; the gap is the difference of the stored numbers, rounded once.
double timeValue(const ReadingsModel& model, int r) {
    return cfx::numericValue(model.reference().textMatrix(r, 1));
}

QString markOf(const ReadingsModel& model, int r) {
    return model.reference().textMatrix(r, 2);
}

// The sum and count use the trimmed text "1" as the exclusion test ...
bool excludedByText(const ReadingsModel& model, int r) {
    return markOf(model, r).trimmed() == QLatin1String("1");
}

// ... the longest / shortest searches its numeric value.
bool excludedByValue(const ReadingsModel& model, int r) {
    return cfx::numericValue(markOf(model, r)) == 1.0;
}

// g(1) is record 1's own time; later gaps are read back from TimerGap.
qint32 gapOf(const ReadingsModel& model, int r) {
    const QString text =
        r == 1 ? model.reference().textMatrix(1, 1) : model.gaps().textMatrix(r, 1);
    return cfx::roundHalfEvenToInt32(cfx::numericValue(text));
}

} // namespace

qint32 findLongestGap(const ReadingsModel& model) {
    const int n = model.recordCount();
    qint32 max = 0;
    const bool in1 = !excludedByValue(model, 1);
    const bool in2 = !excludedByValue(model, 2);
    if (in1 && in2)
        max = std::max(gapOf(model, 1), gapOf(model, 2));
    else if (in1)
        max = gapOf(model, 1);
    else if (in2)
        max = gapOf(model, 2);
    for (int r = 3; r <= n; ++r) {
        if (!excludedByValue(model, r)) {
            const qint32 g = gapOf(model, r);
            if (g >= max)
                max = g;
        }
    }
    return max;
}

qint32 findShortestGap(const ReadingsModel& model) {
    const int n = model.recordCount();
    qint32 min = 0;
    const bool in1 = !excludedByValue(model, 1);
    const bool in2 = !excludedByValue(model, 2);
    if (n >= 3 && !in1 && !in2) {
        // Start from the first included gap, or a minimum of 0 would never be beaten.
        for (int k = 3; k <= n; ++k) {
            if (!excludedByValue(model, k)) {
                min = gapOf(model, k);
                break;
            }
        }
    }
    if (in1 && in2)
        min = std::min(gapOf(model, 1), gapOf(model, 2));
    else if (in1)
        min = gapOf(model, 1);
    else if (in2)
        min = gapOf(model, 2);
    for (int r = 3; r <= n; ++r) {
        if (!excludedByValue(model, r)) {
            const qint32 g = gapOf(model, r);
            if (g <= min)
                min = g;
        }
    }
    return min;
}

cfx::GapStatistics computeGapStatistics(ReadingsModel& model, int eventsPerSec) {
    const int n = model.recordCount();
    GridModel& gaps = model.gaps();
    gaps.setRows(n + 1);
    // 64-bit sum: a 32-bit one would overflow on long sessions with many readings.
    qint64 sum = 0;
    int count = 0;
    if (n >= 2) {
        QVector<QString> gapCs(n - 1);
        QVector<QString> gapText(n - 1);
        double previous = timeValue(model, 1);
        for (int r = 2; r <= n; ++r) {
            const double t = timeValue(model, r);
            const qint32 g = cfx::roundHalfEvenToInt32(t - previous);
            previous = t;
            gapCs[r - 2] = QString::number(g);
            gapText[r - 2] = cfx::formatCs(g, eventsPerSec);
            if (!excludedByText(model, r)) {
                sum += g;
                ++count;
            }
        }
        gaps.setColumnTexts(1, 2, gapCs);
        gaps.setColumnTexts(0, 2, gapText);
    }
    if (n >= 1 && !excludedByText(model, 1)) {
        sum += cfx::roundHalfEvenToInt32(timeValue(model, 1));
        ++count;
    }

    cfx::GapStatistics stats;
    if (count == 0) {
        stats = {cfx::kNotApplicable, cfx::kNotApplicable, cfx::kNotApplicable};
    } else {
        // The average goes through single precision before it is rounded (half to even).
        const auto average = static_cast<float>(static_cast<double>(sum) / count);
        stats.average = cfx::formatCs(cfx::roundHalfEvenToInt32(average), eventsPerSec);
        if (n == 1) {
            QString time = model.results().textMatrix(1, 1);
            if (!time.isEmpty() && time.front().toUpper() == QLatin1Char('S'))
                time.remove(0, 1);
            stats.longest = time;
            stats.shortest = time;
        } else {
            stats.longest = cfx::formatCs(findLongestGap(model), eventsPerSec);
            stats.shortest = cfx::formatCs(findShortestGap(model), eventsPerSec);
        }
    }
    model.setGapStatistics(stats.average, stats.longest, stats.shortest);
    return stats;
}

} // namespace cfx
