#pragma once

#include <QDialog>
#include <QPointer>

class QScrollBar;

namespace cfx {

// Sets how see-through the large display is: a slider from "Maximum" (opacity 60 of 255) to
// "None" (opaque). Every committed change applies at once; dragging applies on release. Closing
// only hides the dialog, so the slider keeps its place for the next opening.
class TransparencyDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMinimum = 60;
    static constexpr int kMaximum = 255;

    explicit TransparencyDialog(QWidget* display, QWidget* parent = nullptr);

    int value() const;
    void setValue(int value);
    // Shows the dialog, centred on the screen the first time.
    void showDialog();

Q_SIGNALS:
    // The display's opacity now, from kMinimum to kMaximum.
    void applied(int value);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wire();
    void apply(int value);

    QPointer<QWidget> m_display;
    QScrollBar* m_opacityBar = nullptr;
    bool m_placed = false;
};

} // namespace cfx
