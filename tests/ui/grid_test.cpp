// The grid behind every table: row/column numbering with the heading row,
// resizing, selection and widths.
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "ui/msflexgrid.h"

namespace {

// Centre of a body cell (row counted in the grid's numbering, heading included).
QPoint CellCentre(CMSFlexGrid& grid, int row, int col) {
    const int bodyRow = row - static_cast<int>(grid.GetFixedRows());
    return grid.visualRect(grid.model()->index(bodyRow, col)).center();
}

class GridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        grid.resize(400, 300);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }
    CMSFlexGrid grid;
};

TEST_F(GridTest, HeadingRowIsPartOfTheNumberingAndKeepsItsText) {
    grid.SetDesign(2, 2, 1);
    EXPECT_EQ(grid.GetRows(), 2);
    EXPECT_EQ(grid.GetCols(), 2);
    grid.SetTextMatrix(0, 0, QStringLiteral("Параметр"));
    grid.SetTextMatrix(0, 1, QStringLiteral("Варианты"));
    grid.SetTextMatrix(1, 1, QStringLiteral("x"));
    EXPECT_EQ(grid.GetTextMatrix(0, 0), QStringLiteral("Параметр"));
    EXPECT_EQ(grid.GetTextMatrix(1, 1), QStringLiteral("x"));
    EXPECT_EQ(grid.GetTextMatrix(1, 0), QString()) << "never written";
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Варианты"));
    EXPECT_EQ(grid.rowCount(), 1) << "one body row below the heading";

    // Shrinking to the heading keeps it; growing again gives empty rows.
    grid.SetRows(1);
    EXPECT_EQ(grid.GetRows(), 1);
    EXPECT_EQ(grid.GetTextMatrix(0, 0), QStringLiteral("Параметр"));
    grid.SetRows(3);
    EXPECT_EQ(grid.GetRows(), 3);
    EXPECT_EQ(grid.GetTextMatrix(1, 1), QString());
    EXPECT_EQ(grid.GetTextMatrix(2, 1), QString());
    // The heading row cannot be dropped.
    grid.SetRows(0);
    EXPECT_EQ(grid.GetRows(), 1);
}

TEST_F(GridTest, CellsOutsideTheGridReadEmptyAndIgnoreWrites) {
    grid.SetDesign(2, 2, 1);
    grid.SetTextMatrix(5, 0, QStringLiteral("lost"));
    grid.SetTextMatrix(1, 7, QStringLiteral("lost"));
    EXPECT_EQ(grid.GetRows(), 2);
    EXPECT_EQ(grid.GetCols(), 2);
    EXPECT_EQ(grid.GetTextMatrix(5, 0), QString());
    EXPECT_EQ(grid.GetTextMatrix(-1, 0), QString());
}

TEST_F(GridTest, ShrinkingKeepsRemainingCellsAndDropsTheEnd) {
    grid.SetDesign(1, 3, 1);
    grid.SetRows(4);
    for (int r = 1; r < 4; ++r)
        for (int c = 0; c < 3; ++c) grid.SetTextMatrix(r, c, QStringLiteral("%1.%2").arg(r).arg(c));
    grid.SetCols(2);
    grid.SetRows(3);
    EXPECT_EQ(grid.GetTextMatrix(2, 1), QStringLiteral("2.1"));
    grid.SetCols(3);
    grid.SetRows(4);
    EXPECT_EQ(grid.GetTextMatrix(2, 2), QString()) << "a dropped column comes back empty";
    EXPECT_EQ(grid.GetTextMatrix(3, 0), QString()) << "a dropped row comes back empty";
    EXPECT_EQ(grid.GetTextMatrix(0, 2), QString()) << "new heading cells are empty, not numbers";
}

TEST_F(GridTest, SelectionStartsOnTheFirstBodyRowAndFollowsClicks) {
    grid.SetDesign(4, 2, 1);
    EXPECT_EQ(grid.GetRowSel(), 1) << "before any click";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 3, 0));
    EXPECT_EQ(grid.GetRowSel(), 3);
    // A click on the heading selects nothing new.
    QHeaderView* heading = grid.horizontalHeader();
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {},
                      QPoint(heading->sectionPosition(0) + 5, heading->height() / 2));
    EXPECT_EQ(grid.GetRowSel(), 3);
    // Shrinking below the selected row moves the selection to the last row.
    grid.SetRows(3);
    EXPECT_EQ(grid.GetRowSel(), 2);
    // With only the heading left there is no body row to report.
    grid.SetRows(1);
    EXPECT_EQ(grid.GetRowSel(), 0);
    grid.SetRows(3);
    EXPECT_EQ(grid.GetRowSel(), 1);
}

TEST_F(GridTest, GridWithoutHeadingLetsRowZeroBeSelected) {
    grid.SetDesign(1, 1, 0);
    EXPECT_FALSE(grid.horizontalHeader()->isVisible());
    grid.SetRows(3);
    EXPECT_EQ(grid.GetRowSel(), 0);
    grid.SetTextMatrix(0, 0, QStringLiteral("first"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 2, 0));
    EXPECT_EQ(grid.GetRowSel(), 2);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, CellCentre(grid, 0, 0));
    EXPECT_EQ(grid.GetRowSel(), 0);
    EXPECT_EQ(grid.GetTextMatrix(0, 0), QStringLiteral("first"));
}

TEST_F(GridTest, CellsCannotBeEdited) {
    grid.SetDesign(2, 1, 1);
    grid.SetTextMatrix(1, 0, QStringLiteral("keep"));
    const QPoint cell = CellCentre(grid, 1, 0);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell);
    QTest::keyClick(&grid, Qt::Key_F2);
    QTest::keyClicks(&grid, "typed");
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(grid.GetTextMatrix(1, 0), QStringLiteral("keep"));
    EXPECT_TRUE(grid.findChildren<QLineEdit*>().isEmpty()) << "no cell editor was opened";
}

TEST_F(GridTest, WidthsAreTwipsOfTheLogicalResolution) {
    grid.SetDesign(2, 2, 1);
    grid.SetColWidth(1, 1440);
    EXPECT_EQ(grid.columnWidth(1), grid.logicalDpiX());
    grid.SetColWidth(0, 4750);
    EXPECT_EQ(grid.columnWidth(0), 4750 * grid.logicalDpiX() / 1440);
    grid.SetColWidth(5, 1440);  // no such column: nothing happens
    EXPECT_EQ(grid.GetCols(), 2);
}

}  // namespace
