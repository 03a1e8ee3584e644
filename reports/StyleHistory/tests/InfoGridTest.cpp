// The info grid's labels, size columns and the placing of figures.
#include <gtest/gtest.h>

#include "InfoGridClass.h"
#include "KvStringGrid.h"

namespace {

class InfoGrid : public ::testing::Test {
 protected:
  kui::KvStringGrid grid;
  TInfoGridClass info{&grid};

  void Sizes(const QStringList& plus) {
    for (const QString& plu : plus) info.AddSize(plu, "S" + plu.right(2));
  }
};

TEST_F(InfoGrid, OnOrderOnlyWhenSomethingIsOutstanding) {
  info.Reset(false);
  Sizes({"0000004200", "0000004201", "0000004202", "0000004203"});
  const QStringList ordered{"15", "3", "2", ""}, delivered{"9", "3", "4", "2"};
  for (int i = 0; i < 4; ++i) {
    info.SetFigure(hrOrdered, "000000420" + QString::number(i), ordered[i]);
    info.SetFigure(hrDelivered, "000000420" + QString::number(i), delivered[i]);
  }
  info.UpdateOnOrder();
  EXPECT_EQ(grid.RowTexts(hrOnOrder), (QStringList{"On Order", "6", "", "", "", ""}));
}

TEST_F(InfoGrid, AFigureGoesToItsPLUsColumnAndNowhereElse) {
  info.Reset(false);
  Sizes({"0000004200", "0000004203", "0000004201"});  // in offset order, whatever the PLUs say
  EXPECT_EQ(grid.ColCount(), 5);
  EXPECT_EQ(grid.RowTexts(0), (QStringList{"", "S00", "S03", "S01", ""}));
  info.SetFigure(hrStock, "0000004201", "-4");
  info.SetFigure(hrSales, "0000004203", "7");
  info.SetFigure(hrSales, "0000009900", "5");  // no such size here
  EXPECT_EQ(grid.RowTexts(hrStock), (QStringList{"Stock", "", "", "-4", ""}));
  EXPECT_EQ(grid.RowTexts(hrSales), (QStringList{"Sales", "", "7", "", ""}));

  info.MarkFailed(hrReturned);
  EXPECT_EQ(grid.RowTexts(hrReturned), (QStringList{"Returned", "n/a", "n/a", "n/a", ""}));
  info.ClearRow(hrReturned);
  info.Clear();
  for (int row = 1; row < TInfoGridClass::kRows; ++row)
    EXPECT_EQ(grid.RowTexts(row).mid(1), (QStringList{"", "", "", ""})) << row;
  EXPECT_EQ(grid.Cell(0, hrSalesBetween), "Sales Between") << "labels stay";
}

TEST_F(InfoGrid, TheSingleUserEditionShowsOnlyTheStockRow) {
  info.Reset(true);
  EXPECT_GT(grid.RowHeight(hrStock), 0);
  for (int row = hrMinStock; row <= hrSalesBetween; ++row) EXPECT_LE(grid.RowHeight(row), 0) << row;
  info.Reset(false);
  for (int row = 0; row < TInfoGridClass::kRows; ++row) EXPECT_GT(grid.RowHeight(row), 0) << row;
  EXPECT_EQ(grid.ColWidth(0), TInfoGridClass::kLabelWidth);
  EXPECT_EQ(info.SizeCount(), 0);
  EXPECT_EQ(grid.ColCount(), 2);
}

}  // namespace
