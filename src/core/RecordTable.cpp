#include "core/RecordTable.h"

namespace cfx {

QString RecordTable::text(int n, int column) const {
    if (n < 1 || n > count() || column < 0 || column >= columns())
        return {};
    if (column == 0)
        return QString::number(n);
    return m_records[n - 1].value(column - 1);
}

void RecordTable::append(const QStringList& results, const QString& comment) {
    QStringList fields = results.mid(0, columns() - 2);
    while (fields.size() < columns() - 2)
        fields << QString();
    fields << comment;
    m_records.append(fields);
}

} // namespace cfx
