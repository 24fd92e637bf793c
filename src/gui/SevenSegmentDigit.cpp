#include "gui/SevenSegmentDigit.h"

#include "core/SevenSegment.h"
#include "models/Colours.h"

#include <QPainter>

#include <array>

namespace cfx {

namespace {
// The digit is laid out on a 10 x 18 grid: segments 2 units thick, 1 unit of margin.
constexpr qreal kGridW = 10.0;
constexpr qreal kGridH = 18.0;
constexpr qreal kThick = 1.8;
constexpr qreal kGap = 0.25; // space between neighbouring segments

// A horizontal segment from x0 to x1 centred on y: a stretched hexagon.
QPolygonF horizontal(qreal x0, qreal x1, qreal y) {
    const qreal h = kThick / 2;
    return QPolygonF({{x0 + kGap, y},
                      {x0 + kGap + h, y - h},
                      {x1 - kGap - h, y - h},
                      {x1 - kGap, y},
                      {x1 - kGap - h, y + h},
                      {x0 + kGap + h, y + h}});
}

QPolygonF vertical(qreal x, qreal y0, qreal y1) {
    const qreal h = kThick / 2;
    return QPolygonF({{x, y0 + kGap},
                      {x + h, y0 + kGap + h},
                      {x + h, y1 - kGap - h},
                      {x, y1 - kGap},
                      {x - h, y1 - kGap - h},
                      {x - h, y0 + kGap + h}});
}

QPolygonF gridSegment(int segment) {
    const qreal left = 1.0 + kThick / 2;
    const qreal right = kGridW - 1.0 - kThick / 2;
    const qreal top = 1.0 + kThick / 2;
    const qreal bottom = kGridH - 1.0 - kThick / 2;
    const qreal middle = kGridH / 2;
    switch (segment) {
    case cfx::SegA:
        return horizontal(left, right, top);
    case cfx::SegB:
        return vertical(right, top, middle);
    case cfx::SegC:
        return vertical(right, middle, bottom);
    case cfx::SegD:
        return horizontal(left, right, bottom);
    case cfx::SegE:
        return vertical(left, middle, bottom);
    case cfx::SegF:
        return vertical(left, top, middle);
    case cfx::SegG:
        return horizontal(left, right, middle);
    default:
        return {};
    }
}
} // namespace

SevenSegmentDigit::SevenSegmentDigit(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SevenSegmentDigit::setLedValue(int value) {
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void SevenSegmentDigit::setLedIdle(bool idle) {
    if (idle == m_idle)
        return;
    m_idle = idle;
    update();
}

void SevenSegmentDigit::setLedColorOn(quint32 colour) {
    if (colour == m_on)
        return;
    m_on = colour;
    update();
}

void SevenSegmentDigit::setLedColorOff(quint32 colour) {
    if (colour == m_off)
        return;
    m_off = colour;
    update();
}

QRectF SevenSegmentDigit::digitArea() const {
    // Keep the grid's proportions and centre it; the digit fills the height where it can.
    const qreal scale = qMin(width() / kGridW, height() / kGridH);
    const QSizeF size(kGridW * scale, kGridH * scale);
    return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

QPolygonF SevenSegmentDigit::segmentPolygon(int segment) const {
    const QRectF area = digitArea();
    const qreal scale = area.width() / kGridW;
    QPolygonF poly = gridSegment(segment);
    for (QPointF& p : poly)
        p = area.topLeft() + p * scale;
    return poly;
}

bool SevenSegmentDigit::segmentShownLit(int segment) const {
    const std::uint8_t mask = m_idle ? cfx::idleSegmentMask() : cfx::segmentMask(m_value);
    return cfx::segmentLit(mask, segment);
}

void SevenSegmentDigit::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor off = colourFromValue(m_off);
    const QColor on = colourFromValue(m_on);
    p.fillRect(rect(), off);

    // Unlit segments: a tenth of the way from the background to the lit colour.
    const QColor ghost((off.red() * 9 + on.red()) / 10, (off.green() * 9 + on.green()) / 10,
                       (off.blue() * 9 + on.blue()) / 10);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    for (int s = 0; s < cfx::kSegmentCount; ++s) {
        p.setBrush(segmentShownLit(s) ? on : ghost);
        p.drawPolygon(segmentPolygon(s));
    }
}

} // namespace cfx
