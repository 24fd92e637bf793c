#include "models/ReadingsTableModel.h"

#include "core/GapStatistics.h"
#include "core/Session.h"

#include <QBrush>
#include <QColor>

namespace cfx {

namespace {

const QColor kStoodStill(255, 255, 0);
const QColor kExcluded(255, 0, 0);
// Black on both: a contrast of 5.2:1 on the red and 19.6:1 on the yellow, in any palette.
const QColor kTextOnColour(0, 0, 0);

const Qt::Alignment kNumberAlignment = Qt::AlignHCenter | Qt::AlignTop;
const Qt::Alignment kValueAlignment = Qt::AlignLeft | Qt::AlignVCenter;

} // namespace

ReadingsTableModel::ReadingsTableModel(const Session& session, QObject* parent)
    : QAbstractTableModel(parent), m_session(session), m_rows(session.recordCount()) {
    connect(&session, &Session::appended, this, &ReadingsTableModel::syncRows);
    connect(&session, &Session::truncated, this, &ReadingsTableModel::syncRows);
    connect(&session, &Session::cleared, this, &ReadingsTableModel::syncRows);
    connect(&session, &Session::loaded, this, &ReadingsTableModel::syncRows);
    connect(&session, &Session::refreshed, this, [this] { columnChanged(ShareColumn); });
    connect(&session, &Session::timeTextsChanged, this, [this] {
        columnChanged(TimeColumn);
        columnChanged(GapColumn);
    });
    connect(&session, &Session::readingChanged, this, &ReadingsTableModel::recordChanged);
}

void ReadingsTableModel::setEventsPerSec(int eventsPerSec) {
    if (eventsPerSec == m_eventsPerSec)
        return;
    m_eventsPerSec = eventsPerSec;
    columnChanged(GapColumn);
}

void ReadingsTableModel::syncRows() {
    const int count = m_session.recordCount();
    if (count < m_rows) {
        beginRemoveRows(QModelIndex(), count, m_rows - 1);
        m_rows = count;
        endRemoveRows();
    } else if (count > m_rows) {
        beginInsertRows(QModelIndex(), m_rows, count - 1);
        m_rows = count;
        endInsertRows();
    }
}

void ReadingsTableModel::columnChanged(int column) {
    if (m_rows > 0)
        Q_EMIT dataChanged(index(0, column), index(m_rows - 1, column));
}

void ReadingsTableModel::recordChanged(int n) {
    if (n >= 1 && n <= m_rows)
        Q_EMIT dataChanged(index(n - 1, 0), index(n - 1, ColumnCount - 1));
}

int ReadingsTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_rows;
}

int ReadingsTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ReadingsTableModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const int n = index.row() + 1;
    if (!m_session.isValidRecord(n))
        return {};
    const int column = index.column();
    const Reading& reading = m_session.reading(n);
    auto colour = [&]() -> QColor {
        if (column == TimeColumn && reading.excluded)
            return kExcluded;
        if (column != NumberColumn && reading.stoodStill)
            return kStoodStill;
        return {};
    };
    switch (role) {
    case Qt::DisplayRole:
        switch (column) {
        case NumberColumn:
            return m_session.text(n, ReadingColumn::Number);
        case TimeColumn:
            return m_session.text(n, ReadingColumn::Time);
        case ShareColumn:
            return m_session.text(n, ReadingColumn::Share);
        case GapColumn:
            return gapText(m_session, n, m_eventsPerSec);
        default:
            return m_session.text(n, ReadingColumn::Comment);
        }
    case Qt::BackgroundRole:
        if (const QColor c = colour(); c.isValid())
            return QBrush(c);
        return {};
    case Qt::ForegroundRole:
        if (colour().isValid())
            return QBrush(kTextOnColour);
        return {};
    case Qt::TextAlignmentRole:
        if (column == NumberColumn)
            return QVariant::fromValue(kNumberAlignment);
        if (column == TimeColumn || column == ShareColumn || column == GapColumn)
            return QVariant::fromValue(kValueAlignment);
        return {};
    case Qt::AccessibleDescriptionRole: {
        QStringList states;
        if (reading.excluded)
            states << tr("excluded from the time calculations");
        if (reading.stoodStill)
            states << tr("taken while the stopwatch was stopped");
        return states.join(QStringLiteral(", "));
    }
    default:
        return {};
    }
}

QVariant ReadingsTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < m_rows)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= ColumnCount)
        return {};
    if (role == Qt::DisplayRole) {
        switch (section) {
        case NumberColumn:
            return readingColumnTitle(ReadingColumn::Number);
        case TimeColumn:
            // In the user's language here; the raw file writes the column titles in English.
            return tr("Time");
        case ShareColumn:
            return readingColumnTitle(ReadingColumn::Share);
        case GapColumn:
            return tr("Gap");
        default:
            return tr("Comment");
        }
    }
    if (role == Qt::TextAlignmentRole && section == NumberColumn)
        return QVariant::fromValue(kNumberAlignment);
    return {};
}

} // namespace cfx
