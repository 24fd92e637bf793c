#pragma once

#include "core/MeasureClock.h"
#include "gui/DistanceBox.h"
#include "gui/MeasureWindow.h"

#include <memory>

class QComboBox;
class QLabel;

namespace cfx {

class SpeedMeter;

// The speed window: Start when a run over a known distance begins, Stop when it ends, timed by
// the main stopwatch; shows the speed in kph or mph and keeps stored results as numbered records.
class SpeedWindow : public MeasureWindow {
    Q_OBJECT
public:
    explicit SpeedWindow(MeasureClock clock, QWidget* parent = nullptr);
    ~SpeedWindow() override;

    const SpeedMeter& meter() const { return *m_meter; }

protected:
    void pressStart() override;
    void showDetails() override;
    std::unique_ptr<CommentDialog> createCommentDialog() override;

private:
    explicit SpeedWindow(std::unique_ptr<SpeedMeter> meter, QWidget* parent);
    void createControls();

    std::unique_ptr<SpeedMeter> m_meter;
    QLabel* m_unitLabel = nullptr;
    DistanceBox* m_distanceBox = nullptr;
    QComboBox* m_unitBox = nullptr;
};

} // namespace cfx
