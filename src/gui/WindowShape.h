#pragma once

class QWidget;

namespace cfx {

// Window shaping shared by the panel and the large display.

// Clips a window to a rounded rectangle over its whole current size, with corner ellipses of
// 15 x 15 pixels. Call it again after every size change.
void clipToRoundRect(QWidget* window);

// Gives a window a constant opacity, 0 = invisible ... 255 = opaque. Returns whether the window
// took the value; whether it shows depends on compositorRunning() (platform/Compositor.h).
bool setWindowTranslucency(QWidget* window, int level);

} // namespace cfx
