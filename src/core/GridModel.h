#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

#include <functional>

namespace cfx {

// A grid of text cells addressed by (row, column) from 0, row 0 being the fixed header row.
// Each cell has a background colour and an alignment code. A current cell (Row, Col) and a
// selected block mirror the grid control the readings and records are kept in.
//
// As a Qt model it shows the rows after the fixed ones; row 0's texts are the horizontal header.
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Colours are red + 256 * green + 65536 * blue; this one names the window background.
    static constexpr quint32 kWindowBackground = 0x80000005u;
    static constexpr quint32 kRed = 255u;
    static constexpr quint32 kYellow = 65535u;
    static constexpr int kAlignLeftCentre = 1; // left, vertically centred
    static constexpr int kAlignCentreTop = 3;  // horizontally centred, top

    explicit GridModel(int cols, QObject* parent = nullptr);

    int rows() const { return static_cast<int>(m_cells.size()); }
    // Keeps rows 0 .. n-1 with their texts and colours and adds empty, uncoloured rows. At least
    // the header row always stays.
    void setRows(int n);
    int cols() const { return m_cols; }

    int row() const { return m_row; }
    int col() const { return m_col; }
    void setRow(int r);
    void setCol(int c);

    // The current cell.
    QString text() const { return textMatrix(m_row, m_col); }
    void setText(const QString& text) { setTextMatrix(m_row, m_col, text); }
    quint32 cellBackColor() const { return backColorAt(m_row, m_col); }
    void setCellBackColor(quint32 colour) { setBackColorAt(m_row, m_col, colour); }
    void setCellAlignment(int code) { setAlignmentAt(m_row, m_col, code); }

    // Any cell, without moving the current cell. Out-of-range reads give "" and the default
    // colour; out-of-range writes are ignored.
    QString textMatrix(int r, int c) const;
    void setTextMatrix(int r, int c, const QString& text);
    quint32 backColorAt(int r, int c) const;
    void setBackColorAt(int r, int c, quint32 colour);
    int alignmentAt(int r, int c) const;
    void setAlignmentAt(int r, int c, int code);

    // Replaces the texts of one column for rows first .. first + texts.size() - 1 with a single
    // change notification (for columns that are recomputed as a whole).
    void setColumnTexts(int c, int first, const QVector<QString>& texts);

    // A column whose record texts (rows 1 and later) come from a function instead of the stored
    // cells; the function gets the row and the stored text. Used for a column that is recomputed
    // as a whole on every change, so that only the rows a view or a writer reads are formatted.
    using ColumnSource = std::function<QString(int row, const QString& stored)>;
    void setColumnSource(int c, ColumnSource source);
    // Tells views that every record text of a sourced column may have changed.
    void columnSourceChanged(int c);

    // Selected block: (Row, Col) to (RowSel, ColSel).
    void setSelection(int rowSel, int colSel);
    int rowSel() const { return m_rowSel; }
    int colSel() const { return m_colSel; }

    void setTopRow(int r);
    int topRow() const { return m_topRow; }

    void setColWidth(int c, int twips);
    int colWidth(int c) const;

    void setSelectionMode(int code) { m_selectionMode = code; }
    int selectionMode() const { return m_selectionMode; }

    // Removes one non-fixed row; later rows move up by one.
    void removeItem(int r);
    // Appends one empty row and returns its index.
    int addRow();

    // QAbstractTableModel
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The cell's colour value (quint32) under this role; GridBrushProxy turns it into a brush.
    static constexpr int kBackColorRole = Qt::UserRole + 1;

Q_SIGNALS:
    void currentChanged(int row, int col);
    void selectionChanged(int row, int col, int rowSel, int colSel);
    void topRowRequested(int row);
    void colWidthChanged(int col, int twips);

private:
    struct Cell {
        QString text;
        quint32 back = kWindowBackground;
        qint8 align = 0;
    };
    bool valid(int r, int c) const { return r >= 0 && r < rows() && c >= 0 && c < m_cols; }
    void cellChanged(int r, int c, int role);

    int m_cols = 1;
    QVector<QVector<Cell>> m_cells;
    QVector<int> m_colWidths;
    QVector<ColumnSource> m_sources;
    int m_row = 0;
    int m_col = 0;
    int m_rowSel = 0;
    int m_colSel = 0;
    int m_topRow = 1;
    int m_selectionMode = 0;
};

} // namespace cfx
