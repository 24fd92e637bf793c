#include "core/GridModel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace cfx;

namespace {

// Collects every warning the model tester raises, so a broken model fails the test with the
// tester's own words.
QStringList g_warnings;
void collect(QtMsgType type, const QMessageLogContext&, const QString& msg) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        g_warnings << msg;
}

class GridModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_warnings.clear();
        m_previous = qInstallMessageHandler(collect);
        m_tester = std::make_unique<QAbstractItemModelTester>(
            &grid, QAbstractItemModelTester::FailureReportingMode::Warning);
    }
    void TearDown() override {
        m_tester.reset();
        qInstallMessageHandler(m_previous);
        EXPECT_TRUE(g_warnings.isEmpty()) << g_warnings.join('\n').toStdString();
    }
    void fill(int rows) {
        grid.setRows(rows + 1);
        for (int r = 1; r <= rows; ++r)
            for (int c = 0; c < grid.cols(); ++c)
                grid.setTextMatrix(r, c, QStringLiteral("%1,%2").arg(r).arg(c));
    }

    GridModel grid{4};
    std::unique_ptr<QAbstractItemModelTester> m_tester;
    QtMessageHandler m_previous = nullptr;
};

TEST_F(GridModelTest, HeaderRowIsTheHorizontalHeaderAndNotAQtRow) {
    grid.setTextMatrix(0, 0, "#");
    grid.setAlignmentAt(0, 0, GridModel::kAlignCentreTop);
    EXPECT_EQ(grid.rowCount(), 0);
    EXPECT_EQ(grid.headerData(0, Qt::Horizontal).toString(), "#");
    fill(2);
    EXPECT_EQ(grid.rowCount(), 2);
    EXPECT_EQ(grid.data(grid.index(0, 1)).toString(), "1,1");
    EXPECT_EQ(grid.headerData(1, Qt::Vertical).toInt(), 2);
    EXPECT_EQ(grid.textMatrix(0, 0), "#");
}

TEST_F(GridModelTest, ShrinkingKeepsEarlierRowsAndGrowingGivesEmptyUncolouredCells) {
    fill(5);
    grid.setBackColorAt(2, 1, GridModel::kRed);
    grid.setBackColorAt(4, 1, GridModel::kYellow);
    grid.setAlignmentAt(4, 0, GridModel::kAlignCentreTop);
    // Rows from the last down to 3 removed one by one.
    for (int r = grid.rows() - 1; r >= 3; --r)
        grid.removeItem(r);
    ASSERT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.textMatrix(2, 3), "2,3");
    EXPECT_EQ(grid.backColorAt(2, 1), GridModel::kRed);
    grid.setRows(6);
    EXPECT_EQ(grid.textMatrix(4, 0), "");
    EXPECT_EQ(grid.backColorAt(4, 1), GridModel::kWindowBackground);
    EXPECT_EQ(grid.alignmentAt(4, 0), 0);
    grid.setRows(1);
    EXPECT_EQ(grid.rows(), 1);
    grid.setRows(0); // the header row always stays
    EXPECT_EQ(grid.rows(), 1);
}

TEST_F(GridModelTest, RemoveItemMovesLaterRowsUpAndKeepsTheHeader) {
    fill(3);
    grid.setBackColorAt(3, 2, GridModel::kYellow);
    grid.setRow(3);
    grid.removeItem(2);
    EXPECT_EQ(grid.rows(), 3);
    EXPECT_EQ(grid.textMatrix(2, 0), "3,0");
    EXPECT_EQ(grid.backColorAt(2, 2), GridModel::kYellow);
    EXPECT_EQ(grid.row(), 2); // the current row still exists
    grid.removeItem(0);       // the fixed row cannot be removed
    grid.removeItem(7);
    EXPECT_EQ(grid.rows(), 3);
}

TEST_F(GridModelTest, CurrentCellAddressesTextColourAndAlignment) {
    fill(2);
    grid.setRow(2);
    grid.setCol(1);
    EXPECT_EQ(grid.text(), "2,1");
    grid.setCellBackColor(GridModel::kRed);
    grid.setCellAlignment(GridModel::kAlignLeftCentre);
    grid.setText("x");
    EXPECT_EQ(grid.textMatrix(2, 1), "x");
    EXPECT_EQ(grid.cellBackColor(), GridModel::kRed);
    const QModelIndex i = grid.index(1, 1);
    EXPECT_EQ(grid.data(i, GridModel::kBackColorRole).value<quint32>(), GridModel::kRed);
    EXPECT_EQ(grid.data(i, Qt::TextAlignmentRole).value<Qt::Alignment>(),
              Qt::AlignLeft | Qt::AlignVCenter);
    // Moving the current cell outside the grid is ignored.
    grid.setRow(9);
    grid.setCol(4);
    EXPECT_EQ(grid.row(), 2);
    EXPECT_EQ(grid.col(), 1);
    // Out-of-range cells read as empty/default and ignore writes.
    grid.setTextMatrix(9, 0, "lost");
    EXPECT_EQ(grid.textMatrix(9, 0), "");
    EXPECT_EQ(grid.backColorAt(-1, 0), GridModel::kWindowBackground);
}

TEST_F(GridModelTest, CellChangesNotifyOnlyTheirCell) {
    fill(3);
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    grid.setTextMatrix(2, 3, "c");
    grid.setTextMatrix(2, 3, "c"); // unchanged text: no signal
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), grid.index(1, 3));
    EXPECT_EQ(changed[0][1].toModelIndex(), grid.index(1, 3));
}

TEST_F(GridModelTest, ColumnTextsAndSourcedColumns) {
    fill(4);
    grid.setColumnTexts(1, 2, {"a", "b", "c", "beyond"});
    EXPECT_EQ(grid.textMatrix(1, 1), "1,1");
    EXPECT_EQ(grid.textMatrix(4, 1), "c");
    EXPECT_EQ(grid.rows(), 5);

    grid.setTextMatrix(0, 2, "%");
    int base = 10;
    grid.setColumnSource(2, [&base](int row, const QString& stored) {
        return row <= 2 ? QString::number(row * base) : stored;
    });
    EXPECT_EQ(grid.textMatrix(2, 2), "20");
    EXPECT_EQ(grid.textMatrix(3, 2), "3,2");
    EXPECT_EQ(grid.data(grid.index(0, 2)).toString(), "10");
    QSignalSpy changed(&grid, &QAbstractItemModel::dataChanged);
    base = 7;
    grid.columnSourceChanged(2);
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed[0][1].toModelIndex(), grid.index(3, 2));
    EXPECT_EQ(grid.textMatrix(1, 2), "7");
    EXPECT_EQ(grid.textMatrix(0, 2), "%"); // the header stays stored
}

TEST_F(GridModelTest, SelectionIsClampedToTheGrid) {
    fill(3);
    grid.setRow(1);
    grid.setSelection(3, 3);
    EXPECT_EQ(grid.rowSel(), 3);
    EXPECT_EQ(grid.colSel(), 3);
    grid.setSelection(10, 10);
    EXPECT_EQ(grid.rowSel(), 3);
    EXPECT_EQ(grid.colSel(), 3);
    grid.setRows(2);
    EXPECT_EQ(grid.rowSel(), 1);
}

} // namespace
