#pragma once

#include "core/MeasureClock.h"
#include "gui/MeasureWindow.h"

#include <memory>

class QComboBox;
class QLabel;

namespace cfx {

class RateMeter;

// The rate window: one press of Start at every cycle boundary of a repeating event, timed by the
// main stopwatch; shows seconds per cycle and cycles per minute and keeps stored results as
// numbered records.
class RateWindow : public MeasureWindow {
    Q_OBJECT
public:
    explicit RateWindow(MeasureClock clock, QWidget* parent = nullptr);
    ~RateWindow() override;

    const RateMeter& meter() const { return *m_meter; }

protected:
    void pressStart() override;
    void showDetails() override;
    std::unique_ptr<CommentDialog> createCommentDialog() override;

private:
    explicit RateWindow(std::unique_ptr<RateMeter> meter, QWidget* parent);
    void createControls();

    std::unique_ptr<RateMeter> m_meter;
    QLabel* m_cyclesPerMinLabel = nullptr;
    QComboBox* m_cyclesBox = nullptr;
};

} // namespace cfx
