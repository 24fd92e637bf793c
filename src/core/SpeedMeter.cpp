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

std::optional<float> calculateSpeed(float distance, qint32 deltaCs, SpeedUnit unit) {
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
    const auto single = static_cast<float>(speed);
    if (!std::isfinite(single))
        return std::nullopt;
    return single;
}

QString speedText(std::optional<float> speed) {
    return speed ? formatHashes(*speed) : MeasureTexts::kUndefined;
}

QString speedDisplay(std::optional<float> speed) {
    if (!speed)
        return MeasureTexts::kUndefined;
    // Compared as the single is written (seven significant digits), so 9999999.5 counts as 1E7.
    const double shown = numericValue(QString::number(static_cast<double>(*speed), 'g', 7));
    if (shown > 9999999.0)
        return QStringLiteral(">1E7");
    return formatHashes(*speed);
}

SpeedMeter::SpeedMeter(MeasureClock clock)
    : MeasureMeter(std::move(clock), {QStringLiteral("#"), QStringLiteral("Time of Speed Reading"),
                                      QStringLiteral("Average Speed"), QStringLiteral("Comment")}) {
}

void SpeedMeter::press(const QString& distanceText, const QString& unitText) {
    if (!beginPress())
        return;
    m_view.start = m_view.start == StartFace::Start ? StartFace::Stop : StartFace::Start;
    ++m_clickCount;
    if (m_clickCount == 1) {
        m_startCs = elapsedCs();
        m_view.storeEnabled = false;
        m_view.status = MeasureStatus::Timing;
        m_unitCaption.clear();
        return;
    }
    m_stopCs = elapsedCs();
    calculate(distanceText, unitText);
    m_clickCount = 0;
    m_view.storeEnabled = true;
}

void SpeedMeter::calculate(const QString& distanceText, const QString& unitText) {
    m_distance = static_cast<float>(numericValue(distanceText));
    // A unit typed by hand that is no list item leaves the previous speed in place.
    const std::optional<SpeedUnit> unit = speedUnitOf(unitText);
    if (unit) {
        const auto delta = static_cast<qint32>(qint64{m_stopCs} - m_startCs);
        m_speed = calculateSpeed(m_distance, delta, *unit);
        m_speedText = speedText(m_speed);
        m_speedWithUnit = m_speedText + speedUnitText(*unit);
    }
    showFigure(speedDisplay(m_speed));
    stampReading();
    m_unitCaption = unit == SpeedUnit::Metres ? QStringLiteral("kph") : QStringLiteral("mph");
}

void SpeedMeter::clearDetails() {
    m_unitCaption.clear();
}

QStringList SpeedMeter::resultTexts() const {
    return {readingStamp(), m_speedWithUnit};
}

} // namespace cfx
