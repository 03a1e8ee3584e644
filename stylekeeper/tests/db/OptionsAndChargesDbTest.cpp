// The product options and style charges pages through the style editor's
// window on both engines: computed case units and case price, what Apply
// stores and refuses, the charges' keys, and rows another program wrote
// while the page was open.
#include "StyleKeeperDbFixture.h"

#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include "ChargesPageF.h"
#include "InfoPageF.h"
#include "KvStringGrid.h"
#include "OptionsPageF.h"

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

class OptionsAndChargesDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  void SetUp() override {
    StyleKeeperDbFixture::SetUp();
    Exec("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('CASE UNITS', 'PRODUCT OPTION')");
    Exec("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('CASE PRICE', 'PRODUCT OPTION')");
  }
  QString Scalar(const QString& sql) { return Column(sql).value(0); }
  QString OptionId(const QString& name) {
    return Scalar("SELECT ID FROM PARAMETERS WHERE TYPE='PRODUCT OPTION' AND NAME=" + Quote(name));
  }
  void StoreOption(kdb::Database& on, const QString& name, const QString& value) {
    on.Execute("INSERT INTO PRODUCTOPTIONS (ROOT_PLU, OPTION_ID, VALUE) VALUES ('00000042', " + OptionId(name) +
               ", " + Quote(value) + ")");
  }
  QStringList StoredOption(const QString& name) {
    return Column("SELECT VALUE FROM PRODUCTOPTIONS WHERE ROOT_PLU='00000042' AND OPTION_ID=" + OptionId(name));
  }
  // The value shown for an option; the test fails when it is not listed.
  static QString Shown(kui::KvStringGrid* g, const QString& option) {
    for (int row = 1; row < g->RowCount(); ++row)
      if (g->Cell(3, row) == option) return g->Cell(4, row);
    ADD_FAILURE() << "no option " << option.toStdString();
    return QString();
  }
  static void Type(kui::KvStringGrid* g, const QString& option, const QString& value) {
    for (int row = 1; row < g->RowCount(); ++row)
      if (g->Cell(3, row) == option) g->SetCell(4, row, value);
  }
  TForm1& OpenOptions() {
    TForm1& f = Start({"", "00000042"});
    f.SpButStyleInfoClick();
    f.InfoPage->SpButInfoMoreDetail->click();
    return f;
  }
  TForm1& OpenCharges() {
    TForm1& f = Start({"", "00000042"});
    f.SpButStyleInfoClick();
    f.InfoPage->SpButInfoCharges->click();
    return f;
  }
  // A charge's stored cost and retail in pence ("500/900"), "" when the
  // style has no row for it.
  QString Charge(const QString& name) {
    const QString where = " FROM PRODUCTSCHARGES WHERE STYLE='JEAN01' AND CHARGE=" + Quote(name);
    const QStringList cost = Column("SELECT COST_PRICE" + where);
    if (cost.isEmpty()) return QString();
    const auto pence = [](const QString& v) { return QString::number(qRound(v.toDouble() * 100)); };
    return pence(cost[0]) + "/" + pence(Scalar("SELECT RETAIL_PRICE" + where));
  }
};

// ----- options ---------------------------------------------------------------------------

TEST_P(OptionsAndChargesDbTest, CaseUnitsAndCasePriceComeFromTheRatiosUntilStored) {
  TForm1& f = OpenOptions();
  kui::KvStringGrid* g = f.OptionsPage->SGridProdOpts;
  ASSERT_EQ(f.PageCtrlSF->currentWidget(), f.TabSheetOptions);
  EXPECT_EQ(g->RowTexts(0), (QStringList{"Style", "Colour", "Description", "Option", "Value"}));
  EXPECT_EQ(g->ColTexts(3).mid(1),
            (QStringList{"CARE", "CASE PRICE", "CASE UNITS", "COUNTRY OF ORIGIN", "FABRIC", "FIT"}));
  EXPECT_EQ(g->RowTexts(1).mid(0, 3), (QStringList{"JEAN01", "DENIM", "SLIM JEAN"}));
  // WAIST 30-40 has the ratios 1 2 3 3 2 1; DENIM retails at 60.00.
  EXPECT_EQ(Shown(g, "CASE UNITS"), "12");
  EXPECT_EQ(Shown(g, "CASE PRICE"), "720.00");
  EXPECT_EQ(Shown(g, "FABRIC"), "");
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(4, 1));
  QApplication::processEvents();
  kvtest::SaveScreenshot(&f, "StyleKeeperOptions");

  // Stored values are shown as they are, a case price with pence too.
  StoreOption(db(), "CASE UNITS", "6");
  StoreOption(db(), "CASE PRICE", "12.50");
  StoreOption(db(), "FABRIC", "DENIM TWILL");
  f.InfoPage->SpButInfoMoreDetail->click();
  EXPECT_EQ(Shown(g, "CASE UNITS"), "6");
  EXPECT_EQ(Shown(g, "CASE PRICE"), "12.50");
  EXPECT_EQ(Shown(g, "FABRIC"), "DENIM TWILL");
  // A stored 0 counts as none.
  Exec("UPDATE PRODUCTOPTIONS SET VALUE='0' WHERE OPTION_ID IN (" + OptionId("CASE UNITS") + ", " +
       OptionId("CASE PRICE") + ")");
  f.InfoPage->SpButInfoMoreDetail->click();
  EXPECT_EQ(Shown(g, "CASE UNITS"), "12");
  EXPECT_EQ(Shown(g, "CASE PRICE"), "720.00");
}

TEST_P(OptionsAndChargesDbTest, ApplyStoresEveryOptionOnceInItsOwnForm) {
  TForm1& f = OpenOptions();
  kui::KvStringGrid* g = f.OptionsPage->SGridProdOpts;
  Type(g, "CASE UNITS", "a dozen");
  Type(g, "CASE PRICE", " 12.5 ");
  Type(g, "FABRIC", "  COTTON ");
  f.OptionsPage->SpButOptionsApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Options were saved successfully."});
  EXPECT_EQ(StoredOption("CASE UNITS"), QStringList{"0"});
  EXPECT_EQ(StoredOption("CASE PRICE"), QStringList{"12.50"});
  EXPECT_EQ(StoredOption("FABRIC"), QStringList{"COTTON"});
  EXPECT_EQ(StoredOption("FIT"), QStringList{""});  // every option has its row
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTOPTIONS"), "6");
  EXPECT_EQ(Shown(g, "CASE PRICE"), "12.50");

  // A second Apply edits those rows and adds none.
  ClearShownTexts();
  Type(g, "CASE PRICE", "nothing");
  f.OptionsPage->SpButOptionsApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Options were saved successfully."});
  EXPECT_EQ(StoredOption("CASE PRICE"), QStringList{"0"});
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTOPTIONS"), "6");
  EXPECT_TRUE(f.isEnabled());
}

// Another program stores options of the colour while the page is open.
TEST_P(OptionsAndChargesDbTest, AnOptionAnotherProgramStoredMeanwhileIsNotOverwritten) {
  StoreOption(db(), "FIT", "SLIM");
  TForm1& f = OpenOptions();
  kui::KvStringGrid* g = f.OptionsPage->SGridProdOpts;
  kvtest::DbHandle other = Connect();
  other.db->Execute("UPDATE PRODUCTOPTIONS SET VALUE='REGULAR'");
  StoreOption(*other.db, "FABRIC", "WOOL");

  // FIT was not touched here: the other program's value stays; FABRIC was
  // typed here over a row the page never saw: refused, nothing written.
  Type(g, "FABRIC", "COTTON");
  Type(g, "CARE", "HAND WASH");
  f.OptionsPage->SpButOptionsApply->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].startsWith("The options were not saved: 1 of 6 rows could not be written.\n\n"
                                         "The option FABRIC was changed by another user"))
      << ShownTexts()[0].toStdString();
  EXPECT_EQ(StoredOption("FABRIC"), QStringList{"WOOL"});
  EXPECT_EQ(StoredOption("CARE"), QStringList());
  EXPECT_EQ(StoredOption("FIT"), QStringList{"REGULAR"});

  // Loaded again, the page shows both and saves the user's new choice.
  ClearShownTexts();
  f.InfoPage->SpButInfoMoreDetail->click();
  EXPECT_EQ(Shown(g, "FABRIC"), "WOOL");
  Type(g, "FABRIC", "COTTON");
  f.OptionsPage->SpButOptionsApply->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Options were saved successfully."});
  EXPECT_EQ(StoredOption("FABRIC"), QStringList{"COTTON"});
  EXPECT_EQ(StoredOption("FIT"), QStringList{"REGULAR"});
}

// ----- charges ------------------------------------------------------------------------------

TEST_P(OptionsAndChargesDbTest, ChargesShowTheirOwnAmountsUntilTheStyleHasRows) {
  const QStringList defaults = Column("SELECT NAME FROM PARAMETERS WHERE TYPE='CHARGE' ORDER BY ID");
  ASSERT_EQ(defaults.size(), 3);
  TForm1& f = OpenCharges();
  kui::KvStringGrid* g = f.ChargesPage->SGridStyleCharges;
  ASSERT_EQ(f.PageCtrlSF->currentWidget(), f.TabSheetCharges);
  EXPECT_EQ(g->RowTexts(0), (QStringList{"Charge Name", "Cost Price", "Retail Price"}));
  EXPECT_EQ(g->ColTexts(0).mid(1), defaults);
  const QString rate = Scalar("SELECT RATE FROM PARAMETERS WHERE TYPE='CHARGE' AND NAME=" + Quote(defaults[0]));
  EXPECT_EQ(g->Cell(1, 1), QString::number(rate.toDouble(), 'f', 2));
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTSCHARGES"), "0");
  QApplication::processEvents();
  kvtest::SaveScreenshot(&f, "StyleKeeperCharges");

  g->SetCell(2, 2, "3.5");
  g->SetCell(1, 3, "");  // an empty amount is 0
  f.ChargesPage->SpeedButton18->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Style charges were saved successfully!"});
  // Every charge has its row now, the untouched ones with their own amounts.
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTSCHARGES WHERE STYLE='JEAN01'"), "3");
  EXPECT_EQ(Charge(defaults[1]).section('/', 1), "350");
  EXPECT_EQ(Charge(defaults[2]).section('/', 0, 0), "0");
  EXPECT_EQ(Charge(defaults[0]).section('/', 0, 0), QString::number(qRound(rate.toDouble() * 100)));
  EXPECT_EQ(g->Cell(1, 3), "0.00");
}

TEST_P(OptionsAndChargesDbTest, WithoutChargesTheTabStaysWhereItWas) {
  Exec("DELETE FROM PARAMETERS WHERE TYPE='CHARGE'");
  TForm1& f = OpenCharges();
  EXPECT_EQ(ShownTexts(), QStringList{"There are no charges available."});
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShInfo);
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(OptionsAndChargesDbTest, ChargeCellsTakeOneNumberAndEnterRunsOnToTheFirstRow) {
  TForm1& f = OpenCharges();
  Activate();
  kui::KvStringGrid* g = f.ChargesPage->SGridStyleCharges;
  g->SetCurrent(1, 1);
  QTest::keyClicks(g, "1a2.5.7-");
  EXPECT_EQ(g->Cell(1, 1), "12.57");  // the letter, the second point and the sign are refused
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Cell(1, 1), "12.57");
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(2, 1));
  g->SetCurrent(2, 3);
  QTest::keyClicks(g, "4");
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Cell(2, 3), "4.00");
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(1, 1));
  // A lone point is no number: Enter leaves it and the cursor where they are.
  g->SetCurrent(2, 2);
  QTest::keyClicks(g, ".");
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Cell(2, 2), ".");
  EXPECT_EQ(std::make_pair(g->Col(), g->Row()), std::make_pair(2, 2));
  f.ChargesPage->SpeedButton18->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Retail Price is not a valid number."});
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTSCHARGES"), "0");
}

TEST_P(OptionsAndChargesDbTest, AChargeAmountAnotherProgramChangedStays) {
  Exec("INSERT INTO PRODUCTSCHARGES (STYLE, CHARGE, COST_PRICE, RETAIL_PRICE) SELECT 'JEAN01', NAME, 1, 2 FROM "
       "PARAMETERS WHERE TYPE='CHARGE'");
  TForm1& f = OpenCharges();
  kui::KvStringGrid* g = f.ChargesPage->SGridStyleCharges;
  const QString name = g->Cell(0, 1);
  kvtest::DbHandle other = Connect();
  other.db->Execute("UPDATE PRODUCTSCHARGES SET COST_PRICE=5 WHERE CHARGE=" + Quote(name));
  g->SetCell(2, 1, "9");
  f.ChargesPage->SpeedButton18->click();
  EXPECT_EQ(ShownTexts(), QStringList{"Style charges were saved successfully!"});
  EXPECT_EQ(Charge(name), "500/900");

  ClearShownTexts();
  g->SetCell(1, 1, "7");
  f.ChargesPage->SpeedButton18->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].contains("The cost price of charge " + name + " was changed by another user"))
      << ShownTexts()[0].toStdString();
  EXPECT_EQ(Charge(name), "500/900");
  EXPECT_EQ(Scalar("SELECT COUNT(*) FROM PRODUCTSCHARGES"), "3");
}

INSTANTIATE_TEST_SUITE_P(Engines, OptionsAndChargesDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
