#pragma once

#include "core/GridModel.h"
#include "core/MeasureClock.h"

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
std::optional<float> CalculateSpeed(float distance, qint32 deltaCs, SpeedUnit unit);
// "###0.0###" of a speed, or "-" when there is none.
QString speedText(std::optional<float> speed);
// What the display shows: ">1E7" above 9999999, else the speed as "###0.0###", "-" for none.
QString speedDisplay(std::optional<float> speed);

// The speed window's behaviour without widgets: a Start press and a Stop press against the main
// stopwatch, the last result, and the stored records in SpeedGrid. The window shows view().
class SpeedMeter {
public:
    // Columns of SpeedGrid, read by the speed reports.
    enum Column { ColNumber, ColStamp, ColSpeed, ColComment };
    static constexpr int kColumns = 4;

    struct View {
        QString Label1 = measuretext::kZero;
        QString Label3;
        QString StartCaption = measuretext::kStart;
        QString StartIcon = QStringLiteral("START");
        bool SaveEnabled = false;
        bool ResetEnabled = false;
        bool ReportsEnabled = false;
    };

    explicit SpeedMeter(MeasureClock clock);
    SpeedMeter(const SpeedMeter&) = delete;
    SpeedMeter& operator=(const SpeedMeter&) = delete;

    // A mouse press on the Start/Stop button with the distance and unit boxes' texts.
    void press(const QString& distanceText, const QString& unitText);
    void AddRecord(const QString& comment);
    void commentAccepted(const QString& comment);
    void commentDialogClosed();
    void fresh();

    const View& view() const { return m_view; }
    GridModel& grid() { return m_grid; }
    const GridModel& grid() const { return m_grid; }

    int clickCount() const { return m_clickCount; }
    std::optional<float> Speed() const { return m_speed; }
    const QString& SpeedWithUnit() const { return m_speedWithUnit; }
    const QString& ReadingStamp() const { return m_readingStamp; }

private:
    void calculate(const QString& distanceText, const QString& unitText);

    MeasureClock m_clock;
    View m_view;
    GridModel m_grid{kColumns};
    qint16 m_clickCount = 0;
    qint32 m_startCs = 0;
    qint32 m_stopCs = 0;
    float m_distance = 0.0f;
    std::optional<float> m_speed = 0.0f;
    QString m_speedText;
    QString m_speedWithUnit;
    QString m_readingStamp;
};

} // namespace cfx
