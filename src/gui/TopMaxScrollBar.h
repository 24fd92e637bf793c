#pragma once

#include <QScrollBar>

namespace cfx {

// A vertical scroll bar whose largest value sits at the top and 0 at the bottom, so that the up
// arrow, the Up key and the wheel turned up all increase the number. Qt's own value runs the usual
// way underneath (0 at the top); number() is what the user sees.
class TopMaxScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit TopMaxScrollBar(QWidget* parent = nullptr);

    // The largest number; the number is kept within 0..top.
    void setTop(int top);
    int top() const { return maximum(); }

    int number() const { return maximum() - value(); }
    void setNumber(int number);

Q_SIGNALS:
    void numberChanged(int number);
};

} // namespace cfx
