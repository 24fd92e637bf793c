#pragma once

#include <QVector>
#include <QWidget>

namespace cfx {

// A bar chart of the readings' gaps: one bar per reading, excluded ones hatched and pale, the
// average of the included gaps as a dashed line. With more readings than pixels, each pixel
// column shows the longest gap of the readings that fall on it. Drawn from the palette, so it
// reads in light and dark themes.
class GapChart : public QWidget {
    Q_OBJECT
public:
    explicit GapChart(QWidget* parent = nullptr);

    // gapsCs[i] is reading i + 1's gap; excluded[i] whether it is left out; averageCs the
    // average of the included gaps (ignored when none is included).
    void setGaps(QVector<qint32> gapsCs, QVector<bool> excluded, double averageCs);
    int barCount() const { return static_cast<int>(m_gaps.size()); }

    // Draws the chart into any painter (the widget, a picture to save).
    void paintChart(QPainter& painter, const QRect& area) const;
    // Saves the chart as PNG or SVG (by the file name's suffix) in the widget's size, at least
    // 640 x 320; false with the reason when it cannot be written.
    bool saveChart(const QString& path, QString* error) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVector<qint32> m_gaps;
    QVector<bool> m_excluded;
    double m_average = 0.0;
    bool m_hasAverage = false;
};

} // namespace cfx
