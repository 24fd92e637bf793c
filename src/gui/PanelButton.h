#pragma once

#include <QPushButton>

namespace cfx {

// A push button that also reports the moment any mouse button goes down on it, so the panel can
// act on the press instead of the release.
class PanelButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

    // Whether the last press came from the mouse (else from the keyboard): a key press acts on
    // the click whatever the mouse response is.
    bool pressedByMouse() const { return m_pressedByMouse; }

Q_SIGNALS:
    void mouseDown();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_pressedByMouse = false;
};

// A picture that reacts to a click (the panel's mode indicators).
class ClickableImage : public QWidget {
    Q_OBJECT
public:
    explicit ClickableImage(QWidget* parent = nullptr);
    void setIconName(const QString& name);
    QString iconName() const { return m_iconName; }
    QSize sizeHint() const override { return {24, 24}; }

Q_SIGNALS:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_iconName;
};

} // namespace cfx
