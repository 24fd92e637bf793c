#pragma once

#include <QAccessible>

class QWidget;

namespace cfx {

// Teaches the accessibility layer what the program's own widgets are, once per program:
// - the program's top-level windows are frames (dialogs stay dialogs), with their titles;
// - a seven-segment digit is a piece of text whose value is its digit;
// - a scroll bar whose top is its largest number reports that number, not its raw position;
// - a widget given a role with setAccessibleRole() has that role.
void installAccessibleRoles();

// Gives a plain widget the role a screen reader should know it by (a picture that shows the
// time as text, say).
void setAccessibleRole(QWidget* widget, QAccessible::Role role);

} // namespace cfx
