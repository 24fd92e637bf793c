#include "gui/DistanceBox.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

namespace cfx {

DistanceBox::DistanceBox(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(kMaxLength);
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this));
    setContextMenuPolicy(Qt::NoContextMenu);
}

void DistanceBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy) ||
        event->matches(QKeySequence::Cut)) {
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint();
    if (typed && text != QStringLiteral(".") &&
        !(text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace cfx
