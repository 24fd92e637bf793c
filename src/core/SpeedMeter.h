#pragma once

#include "core/MeasureMeter.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace cfx {

// Units of the distance box, in list order.
enum class SpeedUnit { Metres, Yards, Feet };

// The list of the unit box: "m", "yards", "feet".
QStringList speedUnitItems();
// The unit whose list item equals the text exactly; none for free text.
std::optional<SpeedUnit> speedUnitOf(const QString& text);
// " kph" for metres, " mph" otherwise.
QString speedUnitText(SpeedUnit unit);

// Speed over `distance` units run in `deltaCs` centiseconds, in kph (metres) or mph (yards, feet),
// as single precision. No speed when deltaCs is 0 (the division has no value).
std::optional<float> calculateSpeed(float distance, qint32 deltaCs, SpeedUnit unit);
// "###0.0###" of a speed, or "-" when there is none.
QString speedText(std::optional<float> speed);
// What the display shows: ">1E7" above 9999999, else the speed as "###0.0###", "-" for none.
QString speedDisplay(std::optional<float> speed);

// The speed window's behaviour without widgets: a Start press and a Stop press, timed by the main
// stopwatch, over the distance and unit in the window's boxes; the result shows as the speed (the
// view's value) and its unit (unitCaption()).
class SpeedMeter : public MeasureMeter {
public:
    // Columns of the records, read by the speed reports.
    enum Column { ColNumber, ColStamp, ColSpeed, ColComment };
    static constexpr int kColumns = 4;

    explicit SpeedMeter(MeasureClock clock);

    // A mouse press on the Start/Stop button with the distance and unit boxes' texts.
    void press(const QString& distanceText, const QString& unitText);

    // "kph" or "mph" beside a speed, empty otherwise.
    const QString& unitCaption() const { return m_unitCaption; }
    std::optional<float> speed() const { return m_speed; }
    // The speed as stored in a record, with its unit.
    const QString& speedWithUnit() const { return m_speedWithUnit; }

protected:
    void clearDetails() override;
    QStringList resultTexts() const override;

private:
    void calculate(const QString& distanceText, const QString& unitText);

    QString m_unitCaption;
    qint32 m_startCs = 0;
    qint32 m_stopCs = 0;
    float m_distance = 0.0f;
    std::optional<float> m_speed = 0.0f;
    QString m_speedText;
    QString m_speedWithUnit;
};

} // namespace cfx
