#include "gui/DisplayPanel.h"

#include "gui/Accessibility.h"

#include <QAccessible>

namespace cfx {

DisplayPanel::DisplayPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Picture1"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Sunken);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    pal.setColor(QPalette::WindowText, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);
    setAccessibleName(tr("Display"));
    // A group inside the window, not a window of its own (which screen readers would leave out
    // of a review of the window).
    setAccessibleRole(this, QAccessible::Grouping);
}

} // namespace cfx
