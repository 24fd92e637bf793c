#include "gui/GapChart.h"

#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <algorithm>

namespace cfx {

GapChart::GapChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GapChart"));
    setAccessibleName(tr("Gap chart"));
    setAutoFillBackground(false);
}

QSize GapChart::sizeHint() const {
    return {240, fontMetrics().height() * 8};
}

QSize GapChart::minimumSizeHint() const {
    return {120, fontMetrics().height() * 5};
}

void GapChart::setGaps(QVector<qint32> gapsCs, QVector<bool> excluded, double averageCs) {
    m_gaps = std::move(gapsCs);
    m_excluded = std::move(excluded);
    m_hasAverage = std::find(m_excluded.cbegin(), m_excluded.cend(), false) != m_excluded.cend();
    m_average = averageCs;
    setAccessibleDescription(tr("%n gaps", nullptr, static_cast<int>(m_gaps.size())));
    update();
}

void GapChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintChart(painter, rect());
}

void GapChart::paintChart(QPainter& painter, const QRect& area) const {
    const QPalette& pal = palette();
    painter.fillRect(area, pal.color(QPalette::Base));
    painter.setPen(pal.color(QPalette::Mid));
    painter.drawRect(area.adjusted(0, 0, -1, -1));
    const QRect plot = area.adjusted(4, 4, -4, -4);
    if (m_gaps.isEmpty() || plot.width() < 2 || plot.height() < 2) {
        painter.setPen(pal.color(QPalette::PlaceholderText));
        painter.drawText(area, Qt::AlignCenter, tr("No readings"));
        return;
    }

    const auto [lowest, highest] = std::minmax_element(m_gaps.cbegin(), m_gaps.cend());
    const double top = std::max<double>(*highest, m_hasAverage ? m_average : 0.0);
    const double bottom = std::min<double>(*lowest, 0.0);
    const double span = std::max(1.0, top - bottom);
    auto yOf = [&](double value) {
        return plot.bottom() - (value - bottom) / span * (plot.height() - 1);
    };
    const double zero = yOf(0.0);

    // One bar per reading, or per pixel column when the readings outnumber the pixels.
    const int n = static_cast<int>(m_gaps.size());
    const int columns = std::min(n, plot.width());
    const double barWidth = static_cast<double>(plot.width()) / columns;
    const QColor included = pal.color(QPalette::Highlight);
    const QBrush excluded(pal.color(QPalette::Mid), Qt::BDiagPattern);
    painter.setPen(Qt::NoPen);
    for (int c = 0; c < columns; ++c) {
        const int first = static_cast<int>(static_cast<qint64>(c) * n / columns);
        const int last = static_cast<int>(static_cast<qint64>(c + 1) * n / columns);
        qint32 value = m_gaps[first];
        bool allExcluded = true;
        for (int i = first; i < last; ++i) {
            if (std::abs(m_gaps[i]) > std::abs(value))
                value = m_gaps[i];
            allExcluded = allExcluded && m_excluded.value(i);
        }
        const double x = plot.left() + c * barWidth;
        const double gapBetween = barWidth >= 4 ? 1.0 : 0.0;
        const QRectF bar(QPointF(x, std::min(zero, yOf(value))),
                         QPointF(x + barWidth - gapBetween, std::max(zero, yOf(value))));
        if (allExcluded) {
            painter.setBrush(excluded);
            painter.setPen(pal.color(QPalette::Mid));
            painter.drawRect(bar);
            painter.setPen(Qt::NoPen);
        } else {
            painter.fillRect(bar, included);
        }
    }

    painter.setPen(pal.color(QPalette::Text));
    painter.drawLine(QPointF(plot.left(), zero), QPointF(plot.right(), zero));
    if (m_hasAverage) {
        QPen dashed(pal.color(QPalette::Text), 1, Qt::DashLine);
        painter.setPen(dashed);
        const double y = yOf(m_average);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.drawText(QRectF(plot.left() + 2, y - fontMetrics().height() - 1, plot.width() - 4,
                                fontMetrics().height()),
                         Qt::AlignRight | Qt::AlignBottom, tr("Average"));
    }
}

bool GapChart::saveChart(const QString& path, QString* error) const {
    const QSize picture = size().expandedTo(QSize(640, 320));
    const QRect area(QPoint(0, 0), picture);
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(picture);
        svg.setViewBox(area);
        svg.setTitle(tr("Gaps between readings"));
        QPainter painter;
        if (!painter.begin(&svg)) {
            if (error)
                *error = tr("The file could not be written.");
            return false;
        }
        paintChart(painter, area);
        painter.end();
        // The generator does not report a failed write; check that the file is there.
        if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0) {
            if (error)
                *error = tr("The file could not be written.");
            return false;
        }
        return true;
    }
    QImage image(picture, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintChart(painter, area);
    painter.end();
    if (!image.save(path, "PNG")) {
        if (error)
            *error = tr("The file could not be written.");
        return false;
    }
    return true;
}

} // namespace cfx
