#include "core/SpeedMeter.h"

#include "core/NumberText.h"

#include <cmath>

namespace cfx {

QStringList speedUnitItems() {
    return {QStringLiteral("m"), QStringLiteral("yards"), QStringLiteral("feet")};
}

std::optional<SpeedUnit> speedUnitOf(const QString& text) {
    const QStringList items = speedUnitItems();
    for (int i = 0; i < items.size(); ++i) {
        if (text == items[i])
            return static_cast<SpeedUnit>(i);
    }
    return std::nullopt;
}

QString speedUnitText(SpeedUnit unit) {
    return unit == SpeedUnit::Metres ? QStringLiteral(" kph") : QStringLiteral(" mph");
}

std::optional<float> CalculateSpeed(float distance, qint32 deltaCs, SpeedUnit unit) {
    if (deltaCs == 0)
        return std::nullopt;
    // Centiseconds times 1760 or 5280 leaves 32 bits after about an hour; keep them in 64.
    const double d = distance;
    double speed = 0.0;
    switch (unit) {
    case SpeedUnit::Metres:
        speed = d * 360.0 / static_cast<double>(deltaCs);
        break;
    case SpeedUnit::Yards:
        speed = d * 360000.0 / static_cast<double>(qint64{deltaCs} * 1760);
        break;
    case SpeedUnit::Feet:
        speed = d * 360000.0 / static_cast<double>(qint64{deltaCs} * 5280);
        break;
    }
    const float single = static_cast<float>(speed);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

QString speedText(std::optional<float> speed) {
    return speed ? cfx::formatHashes(*speed) : measuretext::kUndefined;
}

QString speedDisplay(std::optional<float> speed) {
    if (!speed)
        return measuretext::kUndefined;
    // Compared as the single is written (seven significant digits), so 9999999.5 counts as 1E7.
    const double shown = cfx::numericValue(QString::number(static_cast<double>(*speed), 'g', 7));
    if (shown > 9999999.0)
        return QStringLiteral(">1E7");
    return cfx::formatHashes(*speed);
}

SpeedMeter::SpeedMeter(MeasureClock clock) : m_clock(std::move(clock)) {
    m_grid.setObjectName(QStringLiteral("SpeedGrid"));
    m_grid.setTextMatrix(0, ColNumber, QStringLiteral("#"));
    m_grid.setTextMatrix(0, ColStamp, QStringLiteral("Time of Speed Reading"));
    m_grid.setTextMatrix(0, ColSpeed, QStringLiteral("Average Speed"));
    m_grid.setTextMatrix(0, ColComment, QStringLiteral("Comment"));
}

void SpeedMeter::press(const QString& distanceText, const QString& unitText) {
    const bool running = m_clock.running();
    m_view.ResetEnabled = true;
    if (running && m_view.Label1 == measuretext::kStopped)
        m_view.Label1 = measuretext::kZero;
    if (!running) {
        m_view.Label1 = measuretext::kStopped;
        m_view.Label3.clear();
        m_view.StartCaption = measuretext::kStart;
        m_view.StartIcon = QStringLiteral("START");
        m_clickCount = 0;
        m_view.SaveEnabled = false;
        return;
    }
    if (m_view.StartCaption != measuretext::kStart) {
        m_view.StartCaption = measuretext::kStart;
        m_view.StartIcon = QStringLiteral("START");
    } else {
        m_view.StartCaption = measuretext::kStop;
        m_view.StartIcon = QStringLiteral("STOP");
    }
    ++m_clickCount;
    if (m_clickCount == 1) {
        m_startCs = m_clock.elapsedCs();
        m_view.SaveEnabled = false;
        m_view.Label1 = measuretext::kTiming;
        m_view.Label3.clear();
        return;
    }
    m_stopCs = m_clock.elapsedCs();
    calculate(distanceText, unitText);
    m_clickCount = 0;
    m_view.SaveEnabled = true;
}

void SpeedMeter::calculate(const QString& distanceText, const QString& unitText) {
    m_distance = static_cast<float>(cfx::numericValue(distanceText));
    // A unit typed by hand that is no list item leaves the previous speed in place.
    const std::optional<SpeedUnit> unit = speedUnitOf(unitText);
    if (unit) {
        const qint32 delta = static_cast<qint32>(qint64{m_stopCs} - m_startCs);
        m_speed = CalculateSpeed(m_distance, delta, *unit);
        m_speedText = speedText(m_speed);
        m_speedWithUnit = m_speedText + speedUnitText(*unit);
    }
    m_view.Label1 = speedDisplay(m_speed);
    m_readingStamp = cfx::generalDate(m_clock.now());
    m_view.Label3 = unit == SpeedUnit::Metres ? QStringLiteral("kph") : QStringLiteral("mph");
}

void SpeedMeter::AddRecord(const QString& comment) {
    const int r = m_grid.addRow();
    m_grid.setRow(r);
    m_grid.setTextMatrix(r, ColNumber, QString::number(r));
    m_grid.setTextMatrix(r, ColStamp, m_readingStamp);
    m_grid.setTextMatrix(r, ColSpeed, m_speedWithUnit);
    m_grid.setTextMatrix(r, ColComment, comment);
}

void SpeedMeter::commentAccepted(const QString& comment) {
    AddRecord(comment);
    m_view.SaveEnabled = false;
}

void SpeedMeter::commentDialogClosed() {
    m_view.ReportsEnabled = true;
}

void SpeedMeter::fresh() {
    m_view.StartCaption = measuretext::kStart;
    m_view.StartIcon = QStringLiteral("START");
    m_clickCount = 0;
    m_grid.setRows(1);
    m_view.ResetEnabled = false;
    m_view.Label1 = measuretext::kReset;
    m_view.Label3.clear();
    m_view.SaveEnabled = false;
    m_view.ReportsEnabled = false;
}

} // namespace cfx
