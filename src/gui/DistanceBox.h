#pragma once

#include <QLineEdit>

namespace cfx {

// The distance box: at most seven characters, only digits and "." can be typed (Backspace and the
// movement keys keep working). The clipboard keys are refused, and pasted or dropped text that
// holds anything else is rejected, so the box never shows text that is not a distance.
class DistanceBox : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 7;
    explicit DistanceBox(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace cfx
