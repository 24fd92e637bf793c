#include "gui/TimeLabel.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>

namespace cfx {

namespace {
const QString kWidest = QStringLiteral("00:00:00:00");
constexpr int kMargin = 6;
} // namespace

TimeLabel::TimeLabel(QWidget* parent) : QLabel(parent) {
    // Everything is painted here, the background included.
    setAttribute(Qt::WA_OpaquePaintEvent);
    fitToFont();
}

void TimeLabel::fitToFont() {
    m_glyphs.clear();
    const QFontMetrics fm(font());
    m_advance = fm.horizontalAdvance(QLatin1Char('0'));
    // A fixed size keeps every text change from asking the panel for a new layout.
    setFixedSize(fm.horizontalAdvance(kWidest) + 2 * kMargin + 8, fm.height() + 2 * kMargin);
}

void TimeLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::PaletteChange ||
        event->type() == QEvent::StyleChange)
        fitToFont();
    QLabel::changeEvent(event);
}

const QPixmap& TimeLabel::glyph(QChar c) {
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_glyphRatio) {
        m_glyphs.clear();
        m_glyphRatio = ratio;
    }
    auto it = m_glyphs.find(c);
    if (it != m_glyphs.end())
        return *it;
    const QFontMetrics fm(font());
    const int w = std::max(m_advance, fm.horizontalAdvance(c));
    QPixmap pixmap(QSize(w, fm.height()) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(palette().color(QPalette::Base));
    QPainter p(&pixmap);
    p.setFont(font());
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRect(0, 0, w, fm.height()), Qt::AlignCenter, QString(c));
    p.end();
    return *m_glyphs.insert(c, pixmap);
}

void TimeLabel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    // Solid fills only: an outlined rectangle goes through the stroker on every tick.
    const QColor border = palette().color(QPalette::Mid);
    p.fillRect(r, border);
    p.fillRect(r.adjusted(1, 1, -1, -1), palette().color(QPalette::Base));
    const QString t = text();
    int width = 0;
    for (const QChar c : t)
        width += glyph(c).width() / glyph(c).devicePixelRatio();
    int x = (r.width() - width) / 2;
    const int y = (r.height() - QFontMetrics(font()).height()) / 2;
    for (const QChar c : t) {
        const QPixmap& g = glyph(c);
        p.drawPixmap(x, y, g);
        x += static_cast<int>(g.width() / g.devicePixelRatio());
    }
}

} // namespace cfx
