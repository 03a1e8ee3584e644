// The external codes and per-PLU prices pages through the style editor's
// window on both engines: the PLUs listed, what Apply writes and refuses,
// another program's changes made meanwhile, Smart Copy across colours of
// different sizes, and screenshots of both pages with data.
#include "StyleKeeperDbFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "ExtCodesPageF.h"
#include "KvStringGrid.h"
#include "PLUPricesPageF.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

class ExtCodesAndPricesDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  void SetUp() override {
    StyleKeeperDbFixture::SetUp();
    // The colours' display colours, as a style save copies them.
    Exec("UPDATE PRODUCTS SET COLOUR_VALUE = (SELECT CAST(RATE AS INTEGER) FROM PARAMETERS WHERE "
         "PARAMETERS.TYPE='COLOUR' AND PARAMETERS.ID = PRODUCTS.COLOUR_ID)");
  }
  QString Scalar(const QString& sql) { return Column(sql).value(0); }
  QString ProductField(const QString& field, const QString& plu) {
    return Scalar("SELECT " + field + " FROM PRODUCTS WHERE PLU=" + Quote(plu));
  }
  // The grid row listing a PLU; 0 when none.
  static int RowOf(kui::KvStringGrid* g, const QString& plu) {
    for (int row = 1; row < g->RowCount(); ++row)
      if (g->Cell(0, row) == plu) return row;
    return 0;
  }
  // JEAN01 in DENIM and BLACK on screen, the page open.
  TForm1& OpenExternal() {
    TForm1& f = Start({"", "00000042"});
    f.SpButTabExternal->click();
    return f;
  }
  TForm1& OpenPrices() {
    TForm1& f = Start({"", "00000042"});
    f.SpButTabPrices->click();
    return f;
  }
  int Money(const QString& field, const QString& plu) {
    return qRound(ProductField(field, plu).toDouble() * 100);  // pence
  }
};

// ----- external codes ----------------------------------------------------------------------

TEST_P(ExtCodesAndPricesDbTest, TheExternalPageListsEveryPLUAndWritesWhatWasTyped) {
  TForm1& f = OpenExternal();
  kui::KvStringGrid* g = f.ExtCodesPage->SGridExtCode;
  ASSERT_EQ(f.PageCtrlSF->currentWidget(), f.TabShExtBCodes);
  EXPECT_EQ(f.ExtCodesPage->PanelExternalStyle->text(), "JEAN01");
  // Colours by name, sizes by offset.
  ASSERT_EQ(g->RowCount(), 7);
  EXPECT_EQ(g->ColTexts(0).mid(1), (QStringList{"0000004300", "0000004301", "0000004302", "0000004200",
                                                  "0000004201", "0000004202"}));
  EXPECT_EQ(g->RowTexts(0).mid(0, 6), (QStringList{"PLU", "Root PLU", "Colour", "Size", "External", "SKU"}));
  EXPECT_EQ(g->RowTexts(1).mid(1, 3), (QStringList{"00000043", "BLACK", "30"}));
  EXPECT_EQ(g->Cell(6, 1), ProductField("COLOUR_VALUE", "0000004300"));
  EXPECT_EQ(g->ColWidth(6), -1);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(4, 1));
  EXPECT_EQ(f.focusWidget(), g);

  // Typed into the grid: the SKU in lower case with blanks, an external
  // code in mixed case, another with a quote, and one far too long.
  g->SetCell(5, 1, "  sku-a1 ");
  g->SetCell(4, 1, " Ext-42 ");
  g->SetCell(4, 2, "O'NEIL");
  g->SetCurrent(4, 3);
  QTest::keyClicks(g, QString(40, 'X'));
  EXPECT_EQ(g->Cell(4, 3), QString(30, 'X'));  // the column's length
  f.ExtCodesPage->SpButApplyExtCodes->click();

  EXPECT_EQ(ShownTexts(), QStringList{"External Barcodes saved successfuly!"});
  EXPECT_EQ(ProductField("SKU", "0000004300"), "SKU-A1");
  EXPECT_EQ(ProductField("EXTERNAL_BARCODE", "0000004300"), "Ext-42");
  EXPECT_EQ(ProductField("EXTERNAL_BARCODE", "0000004301"), "O'NEIL");
  EXPECT_EQ(ProductField("EXTERNAL_BARCODE", "0000004302"), QString(30, 'X'));
  EXPECT_EQ(g->Cell(5, 1), "SKU-A1");  // shown as written
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTS WHERE SKU IS NOT NULL OR EXTERNAL_BARCODE IS NOT NULL"), "3");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(f.ExtCodesPage->SpButApplyExtCodes->isEnabled());
  kvtest::SaveScreenshot(&f, "StyleKeeperExternalCodes");
}

TEST_P(ExtCodesAndPricesDbTest, EnterMovesDownTheExternalGridAndWrapsToTheFirstRow) {
  TForm1& f = OpenExternal();
  Activate();
  kui::KvStringGrid* g = f.ExtCodesPage->SGridExtCode;
  g->SetCurrent(5, 5);
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(5, 6));
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(5, 1));
  EXPECT_FALSE(g->EditorMode());
}

// Another program changes a PLU's codes after the page was loaded: a code
// the window did not touch keeps the other program's value; one it changed
// too is refused, and nothing of that Apply is written.
TEST_P(ExtCodesAndPricesDbTest, AnotherProgramsCodeIsNeverOverwrittenUnseen) {
  TForm1& f = OpenExternal();
  kui::KvStringGrid* g = f.ExtCodesPage->SGridExtCode;
  kvtest::DbHandle other = Connect();
  other.db->Execute("UPDATE PRODUCTS SET SKU='THEIRS' WHERE PLU='0000004201'");

  const int row = RowOf(g, "0000004201");
  g->SetCell(4, row, "MINE");
  f.ExtCodesPage->SpButApplyExtCodes->click();
  EXPECT_EQ(ShownTexts(), QStringList{"External Barcodes saved successfuly!"});
  EXPECT_EQ(ProductField("SKU", "0000004201"), "THEIRS");
  EXPECT_EQ(ProductField("EXTERNAL_BARCODE", "0000004201"), "MINE");

  ClearShownTexts();
  g->SetCell(5, row, "ALSO MINE");
  g->SetCell(5, RowOf(g, "0000004300"), "FIRST");
  f.ExtCodesPage->SpButApplyExtCodes->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_EQ(ShownTexts()[0],
            "The external barcodes were not saved: 1 of 6 rows could not be written.\n\n"
            "The SKU of PLU 0000004201 was changed by another user since it was loaded. Please reload and make "
            "your change again.\n\nNothing was written.");
  EXPECT_EQ(ProductField("SKU", "0000004201"), "THEIRS");
  EXPECT_EQ(ProductField("SKU", "0000004300"), "");
  EXPECT_TRUE(LogText().contains("TForm1::SpButApplyExtCodesClick"));
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(f.ExtCodesPage->SpButApplyExtCodes->isEnabled());
}

TEST_P(ExtCodesAndPricesDbTest, APLURemovedMeanwhileFailsTheApplyAndCountsTheRows) {
  TForm1& f = OpenExternal();
  kui::KvStringGrid* g = f.ExtCodesPage->SGridExtCode;
  Exec("DELETE FROM PRODUCTS WHERE PLU IN ('0000004200', '0000004302')");
  for (int row = 1; row < g->RowCount(); ++row) g->SetCell(4, row, "NEW" + QString::number(row));
  f.ExtCodesPage->SpButApplyExtCodes->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The external barcodes were not saved: 2 of 6 rows could not be written."))
      << ShownTexts()[0].toStdString();
  EXPECT_TRUE(ShownTexts()[0].contains("PLU 0000004302 no longer exists"));
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTS WHERE EXTERNAL_BARCODE IS NOT NULL"), "0");

  // The typed codes stay; once the rows are back, the same Apply writes them.
  Exec("DELETE FROM PRODUCTS WHERE STYLE='JEAN01'");
  sktest::InsertStyle(db(), sktest::StyleSpec{});
  sktest::StyleSpec black;
  black.rootPLU = "00000043";
  black.colour = "BLACK";
  sktest::InsertStyle(db(), black);
  ClearShownTexts();
  f.ExtCodesPage->SpButApplyExtCodes->click();
  EXPECT_EQ(ShownTexts(), QStringList{"External Barcodes saved successfuly!"});
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTS WHERE EXTERNAL_BARCODE LIKE 'NEW%'"), "6");
}

// ----- per-PLU prices -------------------------------------------------------------------------

TEST_P(ExtCodesAndPricesDbTest, ThePricesPageShowsMoneyAndRefusesABadPriceBeforeWritingAnything) {
  Exec("UPDATE PRODUCTS SET CURRENT_COST_PRICE=12.3456 WHERE PLU='0000004202'");
  TForm1& f = OpenPrices();
  kui::KvStringGrid* g = f.PricesPage->SGridPrices;
  ASSERT_EQ(g->RowCount(), 7);
  EXPECT_EQ(g->RowTexts(0).mid(4, 4), (QStringList{"Cost Price", "Retail Price", "Sale Price", "Wholesale"}));
  EXPECT_EQ(g->RowTexts(1).mid(4, 4), (QStringList{"25.00", "65.00", "49.99", "40.00"}));
  EXPECT_EQ(g->Cell(4, RowOf(g, "0000004202")), "12.35");
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(4, 1));

  g->SetCell(5, 1, "70");
  g->SetCell(5, 2, "71");
  g->SetCell(5, 3, "abc");
  Activate();
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Retail Price is not a valid number."});
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(5, 3));
  EXPECT_EQ(f.focusWidget(), g);
  // Nothing at all was written: the rows before the bad one neither.
  EXPECT_EQ(Column("SELECT RETAIL_PRICE FROM PRODUCTS WHERE ROOT_PLU='00000043'"), QStringList(3, "65"));

  ClearShownTexts();
  g->SetCell(5, 3, "72.5");
  g->SetCell(6, 3, "abc");      // a sale price that is no number is 0
  g->SetCell(4, 1, "12.345");   // written to the penny
  g->SetCell(7, 2, "");         // an empty wholesale price is refused
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Wholesale Price is not a valid number."});
  ClearShownTexts();
  g->SetCell(7, 2, "41");
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Prices saved successfuly!"});
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004300"), 7000);
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004302"), 7250);
  EXPECT_EQ(Money("SALEPRICE", "0000004302"), 0);
  EXPECT_EQ(Money("CURRENT_COST_PRICE", "0000004300"), 1235);
  EXPECT_EQ(Money("WHOLESALE_PRICE", "0000004301"), 4100);
  EXPECT_EQ(g->Cell(6, 3), "0.00");  // shown as written
  // A price nobody touched keeps its digits.
  EXPECT_EQ(ProductField("CURRENT_COST_PRICE", "0000004202").toDouble(), 12.3456);
  kvtest::SaveScreenshot(&f, "StyleKeeperPrices");
}

TEST_P(ExtCodesAndPricesDbTest, EnterRunsAcrossThePricesAndOnToTheNextRow) {
  TForm1& f = OpenPrices();
  Activate();
  kui::KvStringGrid* g = f.PricesPage->SGridPrices;
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(5, 1));
  g->SetCurrent(7, 1);
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(4, 2));
  g->SetCurrent(7, 6);
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(4, 1));
}

// NAVY has only the first and third size of the scale: Smart Copy gives
// each colour the first colour's price of the same size, never the price
// of the row that happens to stand at the same distance.
TEST_P(ExtCodesAndPricesDbTest, SmartCopyGivesEveryColourTheFirstColoursPricesSizeBySize) {
  sktest::StyleSpec navy;
  navy.rootPLU = "00000044";
  navy.colour = "NAVY";
  sktest::InsertStyle(db(), navy);
  Exec("DELETE FROM PRODUCTS WHERE PLU='0000004401'");
  TForm1& f = OpenPrices();
  kui::KvStringGrid* g = f.PricesPage->SGridPrices;
  ASSERT_EQ(g->RowCount(), 9);
  for (int size = 0; size < 3; ++size)  // BLACK, the first colour by name
    for (int col = 4; col <= 7; ++col) g->SetCell(col, size + 1, QString::number(10 * (size + 1) + col));
  f.PricesPage->SpButPricesSmartCopy->click();

  const auto prices = [g](int row) { return g->RowTexts(row).mid(4, 4); };
  EXPECT_EQ(prices(RowOf(g, "0000004200")), prices(1));
  EXPECT_EQ(prices(RowOf(g, "0000004202")), prices(3));
  EXPECT_EQ(prices(RowOf(g, "0000004400")), prices(1));
  EXPECT_EQ(prices(RowOf(g, "0000004402")), prices(3));
  // Nothing is written until Apply.
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004402"), 6000);
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Prices saved successfuly!"});
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004402"), 3500);
  EXPECT_EQ(Money("CURRENT_COST_PRICE", "0000004200"), 1400);
}

TEST_P(ExtCodesAndPricesDbTest, APriceAnotherProgramChangedIsNotOverwritten) {
  TForm1& f = OpenPrices();
  kui::KvStringGrid* g = f.PricesPage->SGridPrices;
  kvtest::DbHandle other = Connect();
  other.db->Execute("UPDATE PRODUCTS SET RETAIL_PRICE=99 WHERE PLU='0000004300'");
  g->SetCell(4, 1, "20.00");  // the cost price, which the other program left alone
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Prices saved successfuly!"});
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004300"), 9900);
  EXPECT_EQ(Money("CURRENT_COST_PRICE", "0000004300"), 2000);

  ClearShownTexts();
  g->SetCell(5, 1, "66.00");
  f.PricesPage->SpButApplyPrices->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].contains("Retail Price of PLU 0000004300 was changed by another user"))
      << ShownTexts()[0].toStdString();
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004300"), 9900);
}

// Another program holds the row (the server) or the database (SQLite) in
// its open unit of work: the Apply gives up after the lock wait, says so
// and leaves the window usable; once the other one is done it goes through.
TEST_P(ExtCodesAndPricesDbTest, ARowHeldByAnotherProgramFailsTheApplyAndLeavesTheWindowUsable) {
  TForm1& f = OpenPrices();
  kui::KvStringGrid* g = f.PricesPage->SGridPrices;
  kvtest::DbHandle other = Connect();
  other.db->StartTransaction();
  other.db->Execute("UPDATE PRODUCTS SET DESCRIPTION='HELD' WHERE PLU='0000004300'");
  g->SetCell(5, 1, "80");
  f.PricesPage->SpButApplyPrices->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The prices were not saved")) << ShownTexts()[0].toStdString();
  EXPECT_TRUE(ShownTexts()[0].endsWith("Nothing was written."));
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(LogText().contains("TForm1::SpButApplyPricesClick"));
  other.db->Rollback();

  ClearShownTexts();
  f.PricesPage->SpButApplyPrices->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Prices saved successfuly!"});
  EXPECT_EQ(Money("RETAIL_PRICE", "0000004300"), 8000);
}

INSTANTIATE_TEST_SUITE_P(Engines, ExtCodesAndPricesDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
