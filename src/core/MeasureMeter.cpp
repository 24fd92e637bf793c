#include "core/MeasureMeter.h"

#include "core/NumberText.h"

namespace cfx {

MeasureMeter::MeasureMeter(MeasureClock clock, const QStringList& titles)
    : m_clock(std::move(clock)), m_records(titles) {}

MeasureMeter::~MeasureMeter() = default;

bool MeasureMeter::beginPress() {
    m_view.freshEnabled = true;
    if (!m_clock.running()) {
        m_view.status = MeasureStatus::Stopped;
        clearDetails();
        toIdle();
        m_view.storeEnabled = false;
        return false;
    }
    if (m_view.status == MeasureStatus::Stopped)
        showFigure(MeasureTexts::kZero);
    return true;
}

void MeasureMeter::toIdle() {
    m_view.start = StartFace::Start;
    m_clickCount = 0;
}

void MeasureMeter::showFigure(const QString& figure) {
    m_view.status = MeasureStatus::Figure;
    m_view.figure = figure;
}

void MeasureMeter::stampReading() {
    m_readingStamp = generalDate(m_clock.now());
}

void MeasureMeter::addRecord(const QString& comment) {
    m_records.append(resultTexts(), comment);
}

void MeasureMeter::commentAccepted(const QString& comment) {
    addRecord(comment);
    m_view.storeEnabled = false;
}

void MeasureMeter::commentDialogClosed() {
    m_view.reportsEnabled = true;
}

void MeasureMeter::fresh() {
    toIdle();
    m_records.clear();
    m_view.freshEnabled = false;
    m_view.status = MeasureStatus::Reset;
    clearDetails();
    m_view.storeEnabled = false;
    m_view.reportsEnabled = false;
}

} // namespace cfx
