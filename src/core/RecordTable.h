#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace cfx {

// The stored results of a rate or speed window: numbered records of texts, as the windows
// formatted them and the reports print them. Column 0 is the record's number (its place, from
// 1), the last column its comment.
class RecordTable {
public:
    explicit RecordTable(QStringList titles) : m_titles(std::move(titles)) {}

    int columns() const { return static_cast<int>(m_titles.size()); }
    const QStringList& titles() const { return m_titles; }
    int count() const { return static_cast<int>(m_records.size()); }

    // Record n's text in a column; "" outside the table.
    QString text(int n, int column) const;

    // Adds a record of the texts between the number and the comment.
    void append(const QStringList& results, const QString& comment);
    void clear() { m_records.clear(); }

private:
    QStringList m_titles;
    QList<QStringList> m_records; // each without its number
};

} // namespace cfx
