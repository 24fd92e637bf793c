#include "core/GridModel.h"

#include <algorithm>

namespace cfx {

GridModel::GridModel(int cols, QObject* parent)
    : QAbstractTableModel(parent), m_cols(std::max(1, cols)) {
    m_cells.resize(1);
    m_cells[0].resize(m_cols);
    m_colWidths.fill(-1, m_cols);
    m_sources.resize(m_cols);
}

void GridModel::setRows(int n) {
    n = std::max(1, n);
    const int old = rows();
    if (n == old)
        return;
    if (n < old) {
        beginRemoveRows(QModelIndex(), n - 1, old - 2);
        m_cells.resize(n);
        endRemoveRows();
    } else {
        beginInsertRows(QModelIndex(), old - 1, n - 2);
        m_cells.resize(n);
        for (int r = old; r < n; ++r)
            m_cells[r].resize(m_cols);
        endInsertRows();
    }
    m_row = std::min(m_row, n - 1);
    m_rowSel = std::min(m_rowSel, n - 1);
}

int GridModel::addRow() {
    setRows(rows() + 1);
    return rows() - 1;
}

void GridModel::removeItem(int r) {
    if (r < 1 || r >= rows())
        return;
    beginRemoveRows(QModelIndex(), r - 1, r - 1);
    m_cells.removeAt(r);
    endRemoveRows();
    m_row = std::min(m_row, rows() - 1);
    m_rowSel = std::min(m_rowSel, rows() - 1);
}

void GridModel::setRow(int r) {
    if (r < 0 || r >= rows())
        return;
    m_row = r;
    Q_EMIT currentChanged(m_row, m_col);
}

void GridModel::setCol(int c) {
    if (c < 0 || c >= m_cols)
        return;
    m_col = c;
    Q_EMIT currentChanged(m_row, m_col);
}

QString GridModel::textMatrix(int r, int c) const {
    if (!valid(r, c))
        return QString();
    if (r > 0 && m_sources[c])
        return m_sources[c](r, m_cells[r][c].text);
    return m_cells[r][c].text;
}

void GridModel::setColumnSource(int c, ColumnSource source) {
    if (c < 0 || c >= m_cols)
        return;
    m_sources[c] = std::move(source);
    columnSourceChanged(c);
}

void GridModel::columnSourceChanged(int c) {
    if (c < 0 || c >= m_cols || rows() < 2)
        return;
    Q_EMIT dataChanged(index(0, c), index(rows() - 2, c), {Qt::DisplayRole});
}

void GridModel::setTextMatrix(int r, int c, const QString& text) {
    if (!valid(r, c) || m_cells[r][c].text == text)
        return;
    m_cells[r][c].text = text;
    cellChanged(r, c, Qt::DisplayRole);
}

quint32 GridModel::backColorAt(int r, int c) const {
    return valid(r, c) ? m_cells[r][c].back : kWindowBackground;
}

void GridModel::setBackColorAt(int r, int c, quint32 colour) {
    if (!valid(r, c) || m_cells[r][c].back == colour)
        return;
    m_cells[r][c].back = colour;
    cellChanged(r, c, kBackColorRole);
}

int GridModel::alignmentAt(int r, int c) const {
    return valid(r, c) ? m_cells[r][c].align : 0;
}

void GridModel::setAlignmentAt(int r, int c, int code) {
    if (!valid(r, c) || m_cells[r][c].align == code)
        return;
    m_cells[r][c].align = static_cast<qint8>(code);
    cellChanged(r, c, Qt::TextAlignmentRole);
}

void GridModel::setColumnTexts(int c, int first, const QVector<QString>& texts) {
    if (c < 0 || c >= m_cols || first < 0 || texts.isEmpty())
        return;
    const int last = std::min(rows() - 1, first + static_cast<int>(texts.size()) - 1);
    if (last < first)
        return;
    for (int r = first; r <= last; ++r)
        m_cells[r][c].text = texts[r - first];
    if (first == 0)
        Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
    const int from = std::max(first, 1);
    if (from <= last)
        Q_EMIT dataChanged(index(from - 1, c), index(last - 1, c), {Qt::DisplayRole});
}

void GridModel::setSelection(int rowSel, int colSel) {
    m_rowSel = std::clamp(rowSel, 0, rows() - 1);
    m_colSel = std::clamp(colSel, 0, m_cols - 1);
    Q_EMIT selectionChanged(m_row, m_col, m_rowSel, m_colSel);
}

void GridModel::setTopRow(int r) {
    if (r < 1 || r >= rows())
        return;
    m_topRow = r;
    Q_EMIT topRowRequested(r);
}

void GridModel::setColWidth(int c, int twips) {
    if (c < 0 || c >= m_cols)
        return;
    m_colWidths[c] = twips;
    Q_EMIT colWidthChanged(c, twips);
}

int GridModel::colWidth(int c) const {
    return c >= 0 && c < m_cols ? m_colWidths[c] : -1;
}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows() - 1;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_cols;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const Cell& cell = m_cells[index.row() + 1][index.column()];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return textMatrix(index.row() + 1, index.column());
    case kBackColorRole:
        return cell.back;
    case Qt::TextAlignmentRole:
        if (cell.align == kAlignLeftCentre)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        if (cell.align == kAlignCentreTop)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignTop));
        return {};
    default:
        return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole && section >= 0 && section < rows() - 1)
            return section + 1;
        return {};
    }
    if (section < 0 || section >= m_cols)
        return {};
    const Cell& cell = m_cells[0][section];
    if (role == Qt::DisplayRole)
        return cell.text;
    if (role == Qt::TextAlignmentRole && cell.align == kAlignCentreTop)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignHCenter | Qt::AlignTop));
    return {};
}

void GridModel::cellChanged(int r, int c, int role) {
    if (r == 0) {
        Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        return;
    }
    const QModelIndex i = index(r - 1, c);
    Q_EMIT dataChanged(i, i, {role});
}

} // namespace cfx
