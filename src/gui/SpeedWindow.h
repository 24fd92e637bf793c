#pragma once

#include "core/MeasureClock.h"
#include "gui/MeasureWindow.h"

#include <memory>

class QComboBox;
class QLabel;
class QPushButton;

namespace cfx {

class GridModel;
class SpeedMeter;

// The speed window: Start when a run over a known distance begins, Stop when it ends, timed by
// the main stopwatch; shows the speed in kph or mph and keeps stored results as numbered records.
// Closing it only hides it, so the records live as long as the program.
class SpeedWindow : public MeasureWindow {
    Q_OBJECT
public:
    explicit SpeedWindow(MeasureClock clock, QWidget* parent = nullptr);
    ~SpeedWindow() override;

    // The record table the speed reports read.
    const GridModel& SpeedGrid() const;
    const SpeedMeter& meter() const { return *m_meter; }

    // Appends the last result with this comment as a record (what the comment dialog's OK does).
    void AddRecord(const QString& comment);

private:
    void buildControls();
    void wire();
    void render();
    void storeResult();

    std::unique_ptr<SpeedMeter> m_meter;

    DisplayPanel* m_panel = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label3 = nullptr;
    DistanceBox* m_distance = nullptr;
    QComboBox* m_unit = nullptr;
    MeasureButton* m_start = nullptr;
    MeasureButton* m_save = nullptr;
    MeasureButton* m_reset = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
};

} // namespace cfx
