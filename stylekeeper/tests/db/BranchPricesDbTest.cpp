// The branch prices page through the window on both engines: what it shows,
// prices typed and stored, Smart Copy, Apply beside another user, and prices
// that cannot be read.
#include "StockDbFixture.h"

#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "BranchPricesPageF.h"
#include "ColourSizeViewClass.h"
#include "KvStringGrid.h"
#include "PLUPricesPageF.h"
#include "PickList.h"

namespace {

using kvtest::Engine;

class BranchPricesDbTest : public sktest::StockDbFixture {
 protected:
  // Rows of the branch whose price equals the number.
  int PricedAt(const QString& branch, const QString& price) {
    return Rows("BRANCH_ID=" + BranchId(branch) + " AND BSRETAIL_PRICE = " + price);
  }
};

TEST_P(BranchPricesDbTest, ThePageShowsTheBranchsPricesAndZeroWhereItHasNone) {
  PutRow("0000004201", "MAIN STORE", "BSRETAIL_PRICE", "19.99");
  PutRow("0000004300", "MAIN STORE", "BSRETAIL_PRICE", "-1");
  TForm1& f = StartOnStyle();
  TBranchPricesPage& page = *f.BranchPricesPage;
  f.PricesPage->SpButBSPrices->click();
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabSheetBSPrice);
  EXPECT_EQ(kui::SelectedPickName(page.ComboBoxBSPBranch), "MAIN STORE");
  EXPECT_EQ(page.PanelBSPriceStyle->text(), "JEAN01");
  EXPECT_EQ(page.PanelBSPriceMode->text(), "EDIT");
  kui::KvStringGrid* g = page.SGridBSPrice;
  EXPECT_EQ(g->RowTexts(kDenim).mid(3), (QStringList{"0", "19.99", "0", "19.99"}));
  const TColourSizeViewClass& view = page.View();
  EXPECT_EQ(view.ShownText(3, kDenim), "0.00");
  EXPECT_EQ(view.ShownText(6, 3), "18.99");
  EXPECT_EQ(TForm1::PriceCellColour("-1"), 0xFFFFFFu);  // negative prices stay white
  EXPECT_EQ(TForm1::PriceCellColour("19.99"), 0xC0DCC0u);
  EXPECT_TRUE(TakeShown().isEmpty());
  kvtest::SaveScreenshot(&f, "StyleKeeperBranchPrices");
}

TEST_P(BranchPricesDbTest, PricesAreStoredAsTypedOrWithTwoDecimalsAfterEnter) {
  TForm1& f = StartOnStyle();
  TBranchPricesPage& page = *f.BranchPricesPage;
  f.SpButBSPricesClick();
  kui::KvStringGrid* g = page.SGridBSPrice;
  ASSERT_TRUE(g->SetCurrent(5, kBlack));
  ASSERT_TRUE(g->SetCurrent(3, kBlack));
  EXPECT_EQ(g->Cell(3, kBlack), "0.00");  // entered
  QTest::keyClicks(g, "12.5");
  ASSERT_TRUE(g->SetCurrent(4, kBlack));  // left by a click: kept as typed
  EXPECT_EQ(g->Cell(3, kBlack), "12.5");
  QTest::keyClicks(g, "7.5");
  QTest::keyClick(g, Qt::Key_Return);  // left with Enter
  EXPECT_EQ(g->Cell(4, kBlack), "7.50");
  EXPECT_EQ(g->Cell(6, kBlack), "20");
  // A price beyond what money holds is refused in the cell.
  ASSERT_TRUE(g->SetCurrent(5, kDenim));
  QTest::keyClicks(g, "12345678901234567");
  EXPECT_EQ(g->Cell(5, kDenim), "123456789012345");
  QTest::keyClick(g, Qt::Key_Return);

  g->SetCell(5, kDenim, "9");
  page.SpeedButtonSaveBranchPrices->click();
  EXPECT_EQ(TakeShown(), QStringList{"Branch level prices saved successfuly."});
  EXPECT_EQ(Rows("BRANCH_ID=" + BranchId("MAIN STORE")), 6);  // colours x sizes, zeros too
  EXPECT_EQ(PricedAt("MAIN STORE", "12.5"), 1);
  EXPECT_EQ(PricedAt("MAIN STORE", "7.5"), 1);
  EXPECT_EQ(PricedAt("MAIN STORE", "9"), 1);
  EXPECT_EQ(PricedAt("MAIN STORE", "0"), 3);
  EXPECT_EQ(Rows("PLU='0000004300' AND ROOT_PLU='00000043' AND BRANCH_NAME='MAIN STORE'"), 1);
}

TEST_P(BranchPricesDbTest, SmartCopyGivesEveryColourTheCurrentColoursPrices) {
  TForm1& f = StartOnStyle();
  TBranchPricesPage& page = *f.BranchPricesPage;
  f.SpButBSPricesClick();
  kui::KvStringGrid* g = page.SGridBSPrice;
  g->SetRowTexts(kDenim, {"00000042", "", "DENIM", "10", "11.5", "12"});
  ASSERT_TRUE(g->SetCurrent(4, kDenim));
  page.SpBLPSmartCopy->click();
  EXPECT_EQ(g->RowTexts(kBlack).mid(3, 3), (QStringList{"10", "11.50", "12"}));
  EXPECT_EQ(g->RowTexts(3).mid(3), (QStringList{"20", "23", "24", "67"}));  // the totals again
}

TEST_P(BranchPricesDbTest, APriceAnotherUserChangedMeanwhileIsNotOverwritten) {
  PutRow("0000004200", "MAIN STORE", "BSRETAIL_PRICE", "30");
  TForm1& f = StartOnStyle();
  TBranchPricesPage& page = *f.BranchPricesPage;
  f.SpButBSPricesClick();
  page.SGridBSPrice->SetCell(3, kDenim, "35");
  Exec("UPDATE BRANCHSTOCK SET BSRETAIL_PRICE = 32.5");
  page.SpeedButtonSaveBranchPrices->click();
  EXPECT_EQ(TakeShown(), QStringList{"The branch level prices were not saved.\n\nThe branch price of DENIM 30 was "
                                     "changed by another user since it was loaded. Please reload and make your "
                                     "change again.\n\nNothing was written."});
  EXPECT_EQ(PricedAt("MAIN STORE", "32.5"), 1);
  EXPECT_EQ(Rows(), 1);
  // Chosen again, the branch shows what is stored and takes the change.
  f.ComboBoxBSPBranchSelect();
  EXPECT_EQ(page.SGridBSPrice->Cell(3, kDenim), "32.5");
  page.SGridBSPrice->SetCell(3, kDenim, "35");
  page.SpeedButtonSaveBranchPrices->click();
  EXPECT_EQ(TakeShown(), QStringList{"Branch level prices saved successfuly."});
  EXPECT_EQ(PricedAt("MAIN STORE", "35"), 1);
}

TEST_P(BranchPricesDbTest, PricesThatCannotBeReadShowNoZerosAndApplyIsRefused) {
  PutRow("0000004201", "MAIN STORE", "BSRETAIL_PRICE", "19.99");
  TForm1& f = StartOnStyle();
  TBranchPricesPage& page = *f.BranchPricesPage;
  f.SpButBSPricesClick();
  kui::KvStringGrid* g = page.SGridBSPrice;
  ASSERT_EQ(g->Cell(4, kDenim), "19.99");
  Exec("ALTER TABLE BRANCHSTOCK RENAME TO BRANCHSTOCK_AWAY");
  ChooseBranch(page.ComboBoxBSPBranch, "MAIN STORE");
  Exec("ALTER TABLE BRANCHSTOCK_AWAY RENAME TO BRANCHSTOCK");
  EXPECT_EQ(TakeShown(), QStringList{"The figures of branch MAIN STORE could not be read."});
  EXPECT_FALSE(g->HasOption(kui::KvStringGrid::goEditing));
  // Neither zeros nor the prices read before, also in a cell taken in the
  // read-only grid.
  ASSERT_TRUE(g->SetCurrent(3, kDenim));
  for (int row : {kBlack, kDenim, 3}) {
    EXPECT_EQ(g->RowTexts(row).mid(3), (QStringList{"", "", "", ""})) << row;
    EXPECT_EQ(page.View().ShownText(3, row), "") << row;
  }
  page.SpeedButtonSaveBranchPrices->click();
  EXPECT_EQ(TakeShown(), QStringList{"Please choose a branch first: its prices are not loaded."});
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(PricedAt("MAIN STORE", "19.99"), 1);
  EXPECT_TRUE(f.isEnabled());
}

KV_DB_ENGINES(BranchPricesDbTest);

}  // namespace
