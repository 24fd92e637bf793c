#pragma once

#include <QAccessible>

class QWidget;

namespace cfx {

// Teaches the accessibility layer what the program's own widgets are, once per program:
// - the program's top-level windows are frames (dialogs stay dialogs), with their titles;
// - a seven-segment digit is a piece of text whose value is its digit;
// - a scroll bar whose top is its largest number reports that number, not its raw position;
// - a widget given a role with setAccessibleRole() has that role;
// - a picture made a switch with setAccessibleToggle() is a check box with its state.
// On X11 with a scale factor other than 1 (QT_SCALE_FACTOR), every control's place and size on
// the accessibility bus is in the screen's own pixels, as the window system and a magnifier have
// them, not in Qt's device-independent ones.
void installAccessibleRoles();

// Gives a plain widget the role a screen reader should know it by (a picture that shows the
// time as text, say).
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

// Makes a picture that switches a setting on and off a check box to screen readers, checked as
// told (set it before the widget is first shown, and again on every change).
void setAccessibleToggle(QWidget* widget, bool checked);

} // namespace cfx
