#pragma once

namespace cfx {

// Whether the window system can show window opacity: on X11 a compositing manager must own the
// _NET_WM_CM_S<screen> selection; other platforms the program runs on cannot show it.
bool compositorRunning();

} // namespace cfx
