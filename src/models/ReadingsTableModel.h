#pragma once

#include <QAbstractTableModel>

namespace cfx {

class Session;

// The session's readings as a table: "#", "Time", "%", the gap to the reading before and
// "Comment". Texts come from the session; the colours say what a reading is (yellow: taken while
// the clock stood still, a red time: excluded) and the accessible description says the same in
// words.
class ReadingsTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NumberColumn, TimeColumn, ShareColumn, GapColumn, CommentColumn, ColumnCount };

    explicit ReadingsTableModel(const Session& session, QObject* parent = nullptr);

    // The resolution the gaps are formatted at.
    void setEventsPerSec(int eventsPerSec);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    // Brings the rows in line with the session's record count.
    void syncRows();
    void columnChanged(int column);
    void recordChanged(int n);

    const Session& m_session;
    int m_rows = 0;
    int m_eventsPerSec = 100;
};

} // namespace cfx
