#pragma once

#include <QToolButton>

namespace cfx {

// A picture button with its caption under the icon. It reports the moment any mouse button goes
// down on it, or Space is pressed on it while it has the focus: a measurement mark must be taken
// at the earliest event of a click or a key stroke.
class MeasureButton : public QToolButton {
    Q_OBJECT
public:
    explicit MeasureButton(const QString& objectName, const QString& caption, const QString& icon,
                           const QString& toolTip, QWidget* parent = nullptr);
    void setIconName(const QString& icon);
    QString iconName() const { return m_iconName; }
    void setCaption(const QString& caption);

Q_SIGNALS:
    void pressedDown();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_iconName;
};

} // namespace cfx
