// The colour-by-size grid shown in a real string grid: its columns, the
// Enter key and typing as a person types into it, the choice of a cell, and
// how its cells are painted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include "ColourSizeViewClass.h"
#include "KuiColour.h"
#include "KvTestSupport.h"

namespace {

using G = TColourSizeGridClass;

class ColourSizeViewTest : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;

  // Two colours of three sizes; the view's handlers on the grid's events.
  void Show(TColourSizeViewClass& view) {
    view.Layout({{"00000042", "255", "RED"}, {"00000043", "0", "BLACK"}}, {"S", "M", "L"});
    view.Model.FillSizeCells("0");
    view.SumTotals();
    grid.OnKeyPress = [&view](kui::KvStringGrid&, QChar& key) { view.KeyPress(key); };
    grid.OnSelectCell = [&view](kui::KvStringGrid&, int c, int r, bool& can) { view.SelectCell(c, r, can); };
    grid.OnDrawCell = [&view](kui::KvStringGrid&, QPainter& p, int c, int r, const QRect& rect,
                              kui::KvGridDrawState s) { view.DrawCell(p, c, r, rect, s); };
    grid.resize(600, 200);
    grid.show();
    grid.setFocus();
    QApplication::processEvents();
  }

  // The colour of a cell as painted.
  QColor Painted(int col, int row) {
    const QImage img = grid.viewport()->grab().toImage();
    const QRect r = grid.CellRect(col, row);
    return img.pixelColor(r.left() + 2, r.top() + 2);  // clear of the text
  }
};

TEST_F(ColourSizeViewTest, TheLayoutHidesRootPLUAndColourAndSizesTheColumns) {
  TColourSizeViewClass view(&grid, TColourSizeViewClass::Values::Quantities);
  Show(view);
  EXPECT_EQ(grid.ColCount(), 7);
  EXPECT_EQ(grid.RowCount(), 4);
  EXPECT_EQ(grid.FixedCols(), 3);
  EXPECT_EQ(grid.FixedRows(), 1);
  EXPECT_LE(grid.ColWidth(0), 0);
  EXPECT_LE(grid.ColWidth(1), 0);
  EXPECT_EQ(grid.ColWidth(2), 128);
  EXPECT_EQ(grid.ColWidth(4), 64);
  EXPECT_EQ(grid.ColWidth(6), 88);
  EXPECT_EQ(grid.Cell(6, 3), "0");  // the grid's own cells hold the model
  // A second layout starts from empty cells.
  view.Layout({{"00000050", "255", "RED"}}, {"ONE"});
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.Cell(3, 1), "");
  EXPECT_EQ(grid.ColWidth(4), 88);
}

TEST_F(ColourSizeViewTest, TypingIntoAQuantityCellTakesDigitsAndEnterMovesOn) {
  TColourSizeViewClass view(&grid, TColourSizeViewClass::Values::Quantities);
  Show(view);
  ASSERT_TRUE(grid.SetCurrent(5, 1));  // the last size of the first colour
  grid.SetCell(5, 1, "");
  QTest::keyClicks(&grid, "1-2.a5");
  EXPECT_EQ(grid.Cell(5, 1), "125");
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(3, 2));
  EXPECT_EQ(grid.Cell(6, 1), "125");  // the totals follow the typing
  // Enter leaves an emptied cell as 0.
  grid.SetCell(3, 2, "");
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_EQ(grid.Cell(3, 2), "0");
  EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(4, 2));
  // The TOTALS row and column cannot be chosen.
  EXPECT_FALSE(grid.SetCurrent(6, 2));
  EXPECT_FALSE(grid.SetCurrent(4, 3));
  EXPECT_EQ(std::make_pair(grid.Col(), grid.Row()), std::make_pair(4, 2));
}

TEST_F(ColourSizeViewTest, APriceCellTakesOnePointAndShowsTwoDecimalsWhenEntered) {
  TColourSizeViewClass view(&grid, TColourSizeViewClass::Values::Prices);
  Show(view);
  ASSERT_TRUE(grid.SetCurrent(4, 1));
  EXPECT_EQ(grid.Cell(4, 1), "0.00");  // entered
  ASSERT_TRUE(grid.SetCurrent(3, 1));
  grid.SetCell(3, 1, "");
  QTest::keyClicks(&grid, "12.5.1");
  EXPECT_EQ(grid.Cell(3, 1), "12.51");
  ASSERT_TRUE(grid.SetCurrent(4, 1));  // left by a click: stored as typed
  EXPECT_EQ(grid.Cell(3, 1), "12.51");
  grid.SetCell(4, 1, "7.5");
  QTest::keyClick(&grid, Qt::Key_Return);  // left with Enter
  EXPECT_EQ(grid.Cell(4, 1), "7.50");
  EXPECT_EQ(grid.Cell(6, 1), "20.01");
  EXPECT_EQ(view.ShownText(6, 1), "20.01");
  EXPECT_EQ(view.ShownText(2, 1), "RED");  // names are shown as they are
}

TEST_F(ColourSizeViewTest, CellsArePaintedByTheirValueAndNamesInTheirColour) {
  TColourSizeViewClass view(&grid, TColourSizeViewClass::Values::Quantities);
  Show(view);
  grid.SetCell(4, 1, "3");
  grid.SetCell(5, 1, "-2");
  grid.SetCurrent(3, 2);
  grid.viewport()->repaint();
  EXPECT_EQ(Painted(4, 1), kui::BgrColour(G::kPositiveColour));
  EXPECT_EQ(Painted(5, 1), kui::BgrColour(G::kNegativeColour));
  EXPECT_EQ(Painted(3, 1), Qt::white);                                   // zero
  EXPECT_EQ(Painted(2, 1), kui::BgrColour(255));                         // RED, 0x0000FF
  EXPECT_EQ(Painted(3, 2), kui::BgrColour(TColourSizeViewClass::kSelectedColour));
  EXPECT_EQ(Painted(3, 0), kui::BgrColour(TColourSizeViewClass::kFixedColour));  // header
  kvtest::SaveScreenshot(&grid, "ColourSizeGrid");
}

}  // namespace
