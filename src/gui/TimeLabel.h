#pragma once

#include <QHash>
#include <QLabel>
#include <QPixmap>

namespace cfx {

// The panel's running time. It is repainted up to a hundred times a second, so it keeps a fixed
// size (no re-layout when the text changes) and draws each character from a cached picture
// instead of shaping the text on every paint.
class TimeLabel : public QLabel {
    Q_OBJECT
public:
    explicit TimeLabel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const QPixmap& glyph(QChar c);
    void fitToFont();

    QHash<QChar, QPixmap> m_glyphs;
    qreal m_glyphRatio = 0;
    int m_advance = 0;
};

} // namespace cfx
