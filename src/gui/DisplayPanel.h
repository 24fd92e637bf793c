#pragma once

#include <QFrame>

namespace cfx {

// The light yellow display panel; its labels are placed by hand because the value positions
// move with the state of the measurement.
class DisplayPanel : public QFrame {
    Q_OBJECT
public:
    explicit DisplayPanel(QWidget* parent = nullptr);
};

} // namespace cfx
