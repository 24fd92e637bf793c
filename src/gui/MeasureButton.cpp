#include "gui/MeasureButton.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>

namespace cfx {

MeasureButton::MeasureButton(const QString& objectName, const QString& caption, const QString& icon,
                             const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(objectName);
    setToolTip(toolTip);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(24, 24));
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
    setIconName(icon);
    setCaption(caption);
    // Wide enough for the longest caption the button ever shows, so it does not jump.
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Store")) + 16);
}

void MeasureButton::setIconName(const QString& icon) {
    m_iconName = icon;
    setIcon(QIcon(QLatin1Char(':') + icon));
}

void MeasureButton::setCaption(const QString& caption) {
    setText(caption);
    // A blank caption leaves only the picture; screen readers still need a name.
    setAccessibleName(caption.isEmpty() ? toolTip() : caption);
}

void MeasureButton::mousePressEvent(QMouseEvent* event) {
    if (isEnabled())
        Q_EMIT pressedDown();
    QToolButton::mousePressEvent(event);
}

void MeasureButton::keyPressEvent(QKeyEvent* event) {
    // The key going down is the moment, as the mouse button going down is; a held key's repeats
    // are not new marks.
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat() &&
        event->modifiers() == Qt::NoModifier && isEnabled())
        Q_EMIT pressedDown();
    QToolButton::keyPressEvent(event);
}

} // namespace cfx
