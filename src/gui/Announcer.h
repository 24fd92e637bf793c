#pragma once

#include <QString>

class QWidget;

namespace cfx {

// Tells screen readers what just happened ("Started", "Snap 3, 00:00:05.12", "Written: ...").
// The text is put on a small notification object of the window the user works in (else of the
// given widget's window), which is then shown again: screen readers speak a notification as it
// appears, whether or not it has the focus. Nothing is seen on the screen.
void announce(QWidget* near, const QString& text);

} // namespace cfx
