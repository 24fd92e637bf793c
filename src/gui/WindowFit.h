#pragma once

#include <QRect>

class QWidget;

namespace cfx {

// Moves a window, with its title bar and borders, into the part of its screen that windows may
// use and clear of `keepClear` (the panel's options button). Before a window was first shown its
// frame is not known yet; a title bar of the usual height is assumed.
void fitOnScreen(QWidget* window, const QRect& keepClear = QRect());

// Fits the window on the screen clear of `keepClear`, shows it, raises it and gives it the focus.
void showInFront(QWidget* window, const QRect& keepClear);

// How wide a window must be for the window manager to show its whole title beside the window's
// icon and buttons.
int titleBarWidth(const QWidget* window);

} // namespace cfx
