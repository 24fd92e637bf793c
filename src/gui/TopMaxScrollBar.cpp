#include "gui/TopMaxScrollBar.h"

#include <algorithm>

namespace cfx {

TopMaxScrollBar::TopMaxScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent) {
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(10);
    connect(this, &QScrollBar::valueChanged, this,
            [this](int value) { Q_EMIT numberChanged(maximum() - value); });
}

void TopMaxScrollBar::setTop(int top) {
    const int keep = std::clamp(number(), 0, std::max(0, top));
    const QSignalBlocker block(this);
    setRange(0, std::max(0, top));
    setValue(maximum() - keep);
}

void TopMaxScrollBar::setNumber(int number) {
    setValue(maximum() - std::clamp(number, 0, maximum()));
}

} // namespace cfx
