#pragma once

#include <QPolygonF>
#include <QWidget>

namespace cfx {

// One seven-segment digit painted by the program: lit segments in ledcoloron, the background
// in ledcoloroff and unlit segments as a faint ghost between the two, the way a real panel shows
// them. The segments scale with the widget and are drawn as vectors, so they stay sharp on any
// pixel density. While LedIdle is set the digit shows a dash instead of its value.
class SevenSegmentDigit : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int LedValue READ ledValue WRITE setLedValue)
    Q_PROPERTY(bool LedIdle READ ledIdle WRITE setLedIdle)
    Q_PROPERTY(quint32 ledcoloron READ ledColorOn WRITE setLedColorOn)
    Q_PROPERTY(quint32 ledcoloroff READ ledColorOff WRITE setLedColorOff)
public:
    explicit SevenSegmentDigit(QWidget* parent = nullptr);

    int ledValue() const { return m_value; }
    void setLedValue(int value);
    bool ledIdle() const { return m_idle; }
    void setLedIdle(bool idle);
    // Colours as red + 256 * green + 65536 * blue.
    quint32 ledColorOn() const { return m_on; }
    void setLedColorOn(quint32 colour);
    quint32 ledColorOff() const { return m_off; }
    void setLedColorOff(quint32 colour);

    // The outline of segment 0..6 (a..g) in widget coordinates at the current size.
    QPolygonF segmentPolygon(int segment) const;
    // Whether the segment is drawn lit now.
    bool segmentShownLit(int segment) const;

    QSize sizeHint() const override { return {22, 41}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF digitArea() const;

    int m_value = 0;
    bool m_idle = true;
    quint32 m_on = 0;
    quint32 m_off = 14737632;
};

} // namespace cfx
