// The wholesale pack page through the style editor's window on both
// engines: the pack of a style without one, the first Apply that makes the
// pack and a line per PLU through the rules module, and later Applies that
// meet lines another program wrote meanwhile.
#include "StyleKeeperDbFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include "KvStringGrid.h"
#include "PackPageF.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

class PackDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  QString Scalar(const QString& sql) { return Column(sql).value(0); }
  QString Qty(const QString& plu) { return Scalar("SELECT QTY FROM WSPACKLINES WHERE PLU=" + Quote(plu)); }
  TForm1& OpenPack() {
    TForm1& f = Start({"", "00000042"});
    f.SpButTabPackage->click();
    return f;
  }
  // The size cells of a colour row.
  static QStringList Sizes(kui::KvStringGrid* g, int row) { return g->RowTexts(row).mid(3, 3); }
};

TEST_P(PackDbTest, AStyleWithoutAPackShowsNoCodeAndZeros) {
  TForm1& f = OpenPack();
  kui::KvStringGrid* g = f.PackPage->SGridPack;
  ASSERT_EQ(f.PageCtrlSF->currentWidget(), f.TabShPack);
  EXPECT_EQ(f.PackPage->PanelPackStyle->text(), "JEAN01");
  EXPECT_EQ(f.PackPage->EditPackCode->text(), "");
  EXPECT_TRUE(f.PackPage->EditPackCode->isReadOnly());
  ASSERT_EQ(g->RowCount(), 4);  // header, BLACK, DENIM, TOTALS
  ASSERT_EQ(g->ColCount(), 7);
  EXPECT_EQ(g->RowTexts(0).mid(3), (QStringList{"30", "32", "34", "TOTALS"}));
  EXPECT_EQ(g->ColTexts(2).mid(1), (QStringList{"BLACK", "DENIM", "TOTALS"}));
  EXPECT_EQ(Sizes(g, 1), QStringList(3, "0"));
  EXPECT_EQ(g->Cell(6, 3), "0");
  EXPECT_TRUE(f.isEnabled());
}

// Without a style on screen "Package" shows the first style; without any
// style no pack is made.
TEST_P(PackDbTest, WithoutAStyleThePackageTabShowsTheFirstOne) {
  TForm1& f = Start();
  ASSERT_TRUE(f.LoadedRootPLU().isEmpty());
  f.SpButTabPackage->click();
  EXPECT_EQ(f.PackPage->PanelPackStyle->text(), "JEAN01");
  EXPECT_EQ(f.PackPage->SGridPack->RowCount(), 4);

  Exec("DELETE FROM PRODUCTS");
  f.RootPLUToOpen.clear();
  f.FormShow();
  ClearShownTexts();
  f.SpButTabPackage->click();
  EXPECT_EQ(f.PackPage->SGridPack->RowCount(), 2);  // the header and TOTALS
  ClearShownTexts();
  f.PackPage->SpButPackApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Please select a style."});
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM WSPACKS"), "0");
}

TEST_P(PackDbTest, TheFirstApplyMakesThePackAndALinePerPLUZerosIncluded) {
  TForm1& f = OpenPack();
  kui::KvStringGrid* g = f.PackPage->SGridPack;
  g->SetCell(3, 1, "6");
  g->SetCell(5, 2, "-3");  // stored as 0
  f.PackPage->SpButPackApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Wholesale package saved."});

  const QString id = Scalar("SELECT ID FROM WSPACKS WHERE STYLE='JEAN01'");
  ASSERT_FALSE(id.isEmpty());
  const QString code = "99" + id.rightJustified(8, '0');
  EXPECT_EQ(Scalar("SELECT BARCODE FROM WSPACKS WHERE STYLE='JEAN01'"), code);
  EXPECT_EQ(Column("SELECT PLU FROM WSPACKLINES ORDER BY PLU"),
            (QStringList{"0000004200", "0000004201", "0000004202", "0000004300", "0000004301", "0000004302"}));
  EXPECT_EQ(Column("SELECT DISTINCT BARCODE FROM WSPACKLINES"), QStringList{code});
  EXPECT_EQ(Qty("0000004300"), "6");
  EXPECT_EQ(Qty("0000004202"), "0");
  EXPECT_EQ(Qty("0000004201"), "0");
  EXPECT_EQ(Scalar("SELECT ROOTPLU FROM WSPACKLINES WHERE PLU='0000004300'"), "00000043");
  // The page shows what is stored, its code and totals.
  EXPECT_EQ(f.PackPage->EditPackCode->text(), code);
  EXPECT_EQ(g->Cell(5, 2), "0");
  EXPECT_EQ(g->Cell(6, 1), "6");
  EXPECT_TRUE(f.isEnabled());
  kvtest::SaveScreenshot(&f, "StyleKeeperPackage");

  // A second Apply keeps the pack and its code.
  ClearShownTexts();
  g->SetCell(4, 2, "2");
  f.PackPage->SpButPackApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Wholesale package saved."});
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM WSPACKS"), "1");
  EXPECT_EQ(Qty("0000004201"), "2");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM WSPACKLINES"), "6");
}

// Another program changes the pack while the page is open.
TEST_P(PackDbTest, ALineAnotherProgramChangedIsKeptOrRefusedNeverOverwritten) {
  TForm1& f = OpenPack();
  kui::KvStringGrid* g = f.PackPage->SGridPack;
  f.PackPage->SpButPackApply->click();  // every line 0
  ClearShownTexts();
  kvtest::DbHandle other = Connect();
  other.db->Execute("UPDATE WSPACKLINES SET QTY=4 WHERE PLU IN ('0000004300', '0000004301')");

  // BLACK 30 untouched here: the other program's 4 stays.
  g->SetCell(3, 2, "5");
  f.PackPage->SpButPackApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Wholesale package saved."});
  EXPECT_EQ(Qty("0000004300"), "4");
  EXPECT_EQ(Qty("0000004200"), "5");
  EXPECT_EQ(g->Cell(3, 1), "4");  // reloaded after the save

  // Both change BLACK 32: refused, and nothing of that Apply is written.
  ClearShownTexts();
  other.db->Execute("UPDATE WSPACKLINES SET QTY=7 WHERE PLU='0000004301'");
  g->SetCell(4, 1, "9");
  g->SetCell(5, 2, "1");
  f.PackPage->SpButPackApply->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The wholesale package lines were not saved: 1 of 6 rows could not be written."
                                         "\n\nThe pack quantity of PLU 0000004301 was changed by another user"))
      << ShownTexts()[0].toStdString();
  EXPECT_EQ(Qty("0000004301"), "7");
  EXPECT_EQ(Qty("0000004202"), "0");
  EXPECT_TRUE(LogText().contains("TForm1::SpButPackApplyClick"));
  EXPECT_TRUE(f.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Engines, PackDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
