#include "gui/WindowFit.h"

#include "core/WindowPlacement.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace cfx {

namespace {

// The usual title bar: a line of bold text with some padding.
int assumedTitleBarHeight(const QWidget* window) {
    return QFontMetrics(window->font()).height() + 12;
}

} // namespace

void fitOnScreen(QWidget* window, const QRect& keepClear) {
    QRect frame = window->frameGeometry();
    if (frame == window->geometry() && !window->windowFlags().testFlag(Qt::FramelessWindowHint))
        frame.setSize(frame.size().grownBy(QMargins(4, assumedTitleBarHeight(window), 4, 4)));
    const QScreen* screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    if (!screen)
        return;
    // A top-level window's position is that of its frame, also while the frame is not known yet
    // (the window system then puts the frame there).
    const QPoint corner = placeWindow(frame, screen->availableGeometry(), keepClear);
    if (corner != window->pos())
        window->move(corner);
}

void showInFront(QWidget* window, const QRect& keepClear) {
    fitOnScreen(window, keepClear);
    window->show();
    window->raise();
    window->activateWindow();
}

int titleBarWidth(const QWidget* window) {
    QFont font = window->font();
    font.setBold(true);
    const int height = assumedTitleBarHeight(window);
    // The window icon on the left and up to three buttons on the right, each about square.
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + 4 * height + 16;
}

} // namespace cfx
