#pragma once

#include "core/SetTime.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace cfx {

class TopMaxScrollBar;

// "Chronofex - Set Time": four bars (hours, minutes, seconds, sub-second count) with a two-digit
// box each and Apply, which presets the stopwatch. Created once; it stays open after Apply and
// remembers the last applied time for the next opening.
class SetTimeDialog : public QDialog {
    Q_OBJECT
public:
    // Apply writes the digits to the large display the clock drives at that moment.
    explicit SetTimeDialog(Stopwatch& clock, QWidget* parent = nullptr);
    ~SetTimeDialog() override;

    // What happens each time the dialog opens: centred on the screen, the bars preset and the
    // sub-second bar sized to the current resolution.
    void prepare();

    // The Apply button.
    void apply();

    // While the stopwatch runs a custom time cannot be applied: the running clock would jump.
    // (The dialog is modal, but the global hotkeys still start the clock while it is open.)
    void setClockRunning(bool running);

    cfx::SetTimeValues values() const;
    const cfx::SetTimeModel& model() const { return m_model; }

private:
    void wire();
    void boxEdited(int index, const QString& text);
    void commitBox(int index);

    Stopwatch& m_clock;
    cfx::SetTimeModel m_model;

    std::array<QLineEdit*, 4> m_boxes{};
    std::array<TopMaxScrollBar*, 4> m_bars{};
    QPushButton* m_apply = nullptr;
    bool m_typing = false; // a box is being typed in: its bar follows without rewriting the box
};

} // namespace cfx
