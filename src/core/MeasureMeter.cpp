#include "core/MeasureMeter.h"

#include "core/NumberText.h"

namespace cfx {

MeasureMeter::MeasureMeter(MeasureClock clock, const QString& recordsName,
                           const QStringList& headers)
    : m_clock(std::move(clock)), m_records(static_cast<int>(headers.size())) {
    m_records.setObjectName(recordsName);
    for (int c = 0; c < headers.size(); ++c)
        m_records.setTextMatrix(0, c, headers[c]);
}

MeasureMeter::~MeasureMeter() = default;

bool MeasureMeter::beginPress() {
    m_view.freshEnabled = true;
    if (!m_clock.running()) {
        m_view.value = MeasureTexts::stopped;
        clearDetails();
        toIdle();
        m_view.storeEnabled = false;
        return false;
    }
    if (m_view.value == MeasureTexts::stopped)
        m_view.value = MeasureTexts::zero;
    return true;
}

void MeasureMeter::toIdle() {
    m_view.startCaption = MeasureTexts::start;
    m_view.startIcon = MeasureTexts::startIcon;
    m_clickCount = 0;
}

void MeasureMeter::stampReading() {
    m_readingStamp = generalDate(m_clock.now());
}

void MeasureMeter::addRecord(const QString& comment) {
    const int row = m_records.addRow();
    m_records.setRow(row);
    m_records.setTextMatrix(row, 0, QString::number(row));
    writeResult(m_records, row);
    m_records.setTextMatrix(row, m_records.cols() - 1, comment);
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
    m_records.setRows(1);
    m_view.freshEnabled = false;
    m_view.value = MeasureTexts::reset;
    clearDetails();
    m_view.storeEnabled = false;
    m_view.reportsEnabled = false;
}

} // namespace cfx
