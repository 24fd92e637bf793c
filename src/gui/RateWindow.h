#pragma once

#include "core/MeasureClock.h"
#include "gui/MeasureWindow.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace cfx {

class GridModel;
class RateMeter;

// The rate window: one press of Start at every cycle boundary of a repeating event, timed by the
// main stopwatch; shows seconds per cycle and cycles per minute and keeps stored results as
// numbered records. Closing it only hides it, so the records live as long as the program.
class RateWindow : public MeasureWindow {
    Q_OBJECT
public:
    explicit RateWindow(MeasureClock clock, QWidget* parent = nullptr);
    ~RateWindow() override;

    // The record table the rate reports read.
    const GridModel& RateGrid() const;
    const RateMeter& meter() const { return *m_meter; }

    // Appends the last result with this comment as a record (what the comment dialog's OK does).
    void AddRecord(const QString& comment);

private:
    void buildControls();
    void wire();
    void render();
    void storeResult();

    std::unique_ptr<RateMeter> m_meter;

    DisplayPanel* m_panel = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QComboBox* m_combo = nullptr;
    MeasureButton* m_start = nullptr;
    MeasureButton* m_save = nullptr;
    MeasureButton* m_reset = nullptr;
    QPushButton* m_fileCmnd = nullptr;
    QPushButton* m_wordCmnd = nullptr;
};

} // namespace cfx
