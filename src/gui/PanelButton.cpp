#include "gui/PanelButton.h"

#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace cfx {

void PanelButton::mousePressEvent(QMouseEvent* event) {
    m_pressedByMouse = true;
    if (isEnabled())
        Q_EMIT mouseDown();
    // The press may have disabled the button (Reset, or Snap after a standing snap). Its
    // release will not arrive at a disabled button, so it must not be drawn down.
    if (!isEnabled()) {
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void PanelButton::keyPressEvent(QKeyEvent* event) {
    m_pressedByMouse = false;
    QPushButton::keyPressEvent(event);
}

ClickableImage::ClickableImage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(24, 24);
}

void ClickableImage::setIconName(const QString& name) {
    m_iconName = name;
    update();
}

void ClickableImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QIcon(QStringLiteral(":/") + m_iconName).paint(&p, rect());
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ClickableImage::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

void ClickableImage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        Q_EMIT clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace cfx
