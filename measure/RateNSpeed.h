#pragma once

#include "measure/MeasureClock.h"
#include "measure/MeasureWidgets.h"

#include <QWidget>

#include <memory>

class GridModel;
class QComboBox;
class QLabel;
class QPushButton;
class SpeedMeter;

// The speed window: Start when a run over a known distance begins, Stop when it ends, timed by
// the main stopwatch; shows the speed in kph or mph and keeps stored results as numbered records.
// Closing it only hides it, so the records live as long as the program.
class RateNSpeed : public QWidget {
    Q_OBJECT
public:
    explicit RateNSpeed(MeasureClock clock, QWidget* parent = nullptr);
    ~RateNSpeed() override;

    // The record table the speed reports read.
    const GridModel& SpeedGrid() const;
    const SpeedMeter& meter() const { return *m_meter; }

    // Appends the last result with this comment as a record (what the comment dialog's OK does).
    void AddRecord(const QString& comment);

    // What "TextFile" and "Word Report" run. Without a hook the buttons do nothing.
    void setTextFileHook(measureui::ReportHook hook) { m_textFileHook = std::move(hook); }
    void setWordReportHook(measureui::ReportHook hook) { m_wordReportHook = std::move(hook); }

Q_SIGNALS:
    // The user closed the window; it is hidden and its menu item should be unchecked.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wire();
    void render();
    void storeResult();

    std::unique_ptr<SpeedMeter> m_meter;
    measureui::ReportHook m_textFileHook;
    measureui::ReportHook m_wordReportHook;

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
