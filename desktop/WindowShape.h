#pragma once

class QWidget;

// Window shaping shared by the panel and the large display.

// Clips a window to a rounded rectangle over its whole current size, with corner ellipses of
// 15 x 15 pixels. Call it again after every size change.
void CreateRoundRectFromWindow(QWidget* window);

// Gives a window a constant opacity, 0 = invisible ... 255 = opaque. Returns whether the window
// took the value; whether it shows depends on translucencyOffered().
bool TranslucentForm(QWidget* window, int translucenceLevel);

// Whether the window system can show window opacity: on X11 a compositing manager must own the
// _NET_WM_CM_S<screen> selection; other platforms the program runs on cannot show it.
bool translucencyOffered();
