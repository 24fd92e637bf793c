#include "gui/WindowShape.h"

#include "core/RoundRect.h"

#include <QRegion>
#include <QWidget>

namespace cfx {

namespace {
constexpr int kCornerEllipse = 15;
} // namespace

void clipToRoundRect(QWidget* window) {
    if (!window)
        return;
    QRegion region;
    for (const QRect& band :
         cfx::roundRectBands(window->width(), window->height(), kCornerEllipse, kCornerEllipse))
        region += band;
    window->setMask(region);
}

bool setWindowTranslucency(QWidget* window, int level) {
    if (!window || level < 0 || level > 255)
        return false;
    const qreal opacity = level / 255.0;
    window->setWindowOpacity(opacity);
    return qAbs(window->windowOpacity() - opacity) < 0.01;
}

} // namespace cfx
