// Editing a style while other programs write the same rows, on both engines:
// an edit writes only what this window changed, refuses (naming the field)
// a column another session changed since the window loaded it, writes
// nothing then, and shows the colour it edited; stored prices longer than a
// price box's ten characters are kept whole.
#include "StyleKeeperDbFixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

namespace {

using kdb::sql::Quote;
using kvtest::Engine;

class StyleEditDbTest : public sktest::StyleKeeperDbFixture {
 protected:
  int Count(const QString& where) {
    return Column("SELECT COUNT(*) FROM PRODUCTS WHERE " + where).value(0).toInt();
  }
  // Another program's save of the colour 00000042.
  void OtherProgramSets(const QString& assignments, const QString& where = "ROOT_PLU='00000042'") {
    db().Execute("UPDATE PRODUCTS SET " + assignments + " WHERE " + where);
  }
};

TEST_P(StyleEditDbTest, AnEditWritesOnlyWhatThisWindowChanged) {
  TForm1& f = Start({"", "00000042"});
  // Opened before: another program then changes the description and more.
  OtherProgramSets("DESCRIPTION='WIDE LEG JEAN', STYLE_REF='REF-OTHER', COLOUR_VALUE=99");
  f.SpButEdit->click();
  f.EditRetailPrice->setText("75.00");
  f.SpButSave->click();  // the price question is answered Yes
  ASSERT_EQ(ShownTexts().size(), 1) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND RETAIL_PRICE=75 AND DESCRIPTION='WIDE LEG JEAN' AND "
                  "STYLE_REF='REF-OTHER' AND COLOUR_VALUE=99"),
            3);
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.EditDescription->text(), "WIDE LEG JEAN");  // the reload shows both changes
}

TEST_P(StyleEditDbTest, AColumnChangedMeanwhileIsRefusedByNameAndNothingIsWritten) {
  TForm1& f = Start({"", "00000042"});
  // Another program changed the description of one size only.
  OtherProgramSets("DESCRIPTION='OTHER'", "PLU='0000004202'");
  f.SpButEdit->click();
  f.EditDescription->setText("MINE");
  f.EditStyleRef->setText("REF-MINE");
  f.SpButSave->click();
  ASSERT_EQ(ShownTexts().size(), 1);
  EXPECT_TRUE(ShownTexts()[0].contains("Description was changed by another user")) << ShownTexts()[0].toStdString();
  EXPECT_TRUE(ShownTexts()[0].contains("reload")) << ShownTexts()[0].toStdString();
  EXPECT_EQ(Count("DESCRIPTION='MINE' OR STYLE_REF='REF-MINE'"), 0);  // no size written, not even the first
  EXPECT_EQ(Count("PLU='0000004202' AND DESCRIPTION='OTHER'"), 1);
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditDescription->text(), "MINE");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(LogText().contains("TForm1::d_SaveStyle"));

  // A second try is checked against what the window loaded, not what it
  // tried: still refused. After a reload the change goes through.
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_EQ(ShownTexts().size(), 1);
  EXPECT_EQ(Count("DESCRIPTION='MINE'"), 0);
  f.SpButCancel->click();
  f.SpButEdit->click();
  f.EditDescription->setText("MINE");
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND DESCRIPTION='MINE'"), 3);
}

TEST_P(StyleEditDbTest, ThePriceAnotherProgramChangedIsNamedAndASameChangeIsNoConflict) {
  TForm1& f = Start({"", "00000042"});
  OtherProgramSets("RETAIL_PRICE=61");
  f.SpButEdit->click();
  f.EditRetailPrice->setText("75.00");
  f.SpButSave->click();
  ASSERT_EQ(ShownTexts().size(), 2);  // the price question, then the refusal
  EXPECT_TRUE(ShownTexts()[1].contains("Retail Price was changed by another user")) << ShownTexts()[1].toStdString();
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND RETAIL_PRICE=61"), 3);

  // Both programs wanting the same value is no conflict.
  f.SpButCancel->click();
  f.SpButEdit->click();
  OtherProgramSets("DESCRIPTION='BOTH'");
  f.EditDescription->setText("BOTH");
  ClearShownTexts();
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(f.Mode(), "View");
}

TEST_P(StyleEditDbTest, AnEditShowsTheColourItSavedNotTheTextTypedIntoTheBox) {
  TForm1& f = Start({"", "00000042"});
  f.SpButEdit->click();
  f.ComboBoxRootPLU->setEditText("00000043");  // typed, never looked up
  f.EditDescription->setText("SKINNY JEAN");
  f.SpButSave->click();
  EXPECT_EQ(f.LoadedRootPLU(), "00000042");
  EXPECT_EQ(f.EditDescription->text(), "SKINNY JEAN");
  EXPECT_EQ(Count("ROOT_PLU='00000043' AND DESCRIPTION='SLIM JEAN'"), 3);
}

TEST_P(StyleEditDbTest, LongStoredPricesAreShownAndKeptWhole) {
  OtherProgramSets("RETAIL_PRICE=12345678.25, CURRENT_COST_PRICE=1234567890.5");
  TForm1& f = Start({"", "00000042"});
  EXPECT_EQ(f.EditRetailPrice->text(), "12345678.25");
  EXPECT_EQ(f.EditCostPrice->text(), "1234567890.50");
  f.SpButEdit->click();
  f.EditDescription->setText("SKINNY JEAN");
  f.SpButSave->click();
  EXPECT_TRUE(ShownTexts().isEmpty()) << ShownTexts().join("|").toStdString();
  EXPECT_EQ(Count("ROOT_PLU='00000042' AND RETAIL_PRICE=12345678.25 AND CURRENT_COST_PRICE=1234567890.5"), 3);
  // A new style's boxes take ten typed characters again.
  f.SpButAdd->click();
  f.EditRetailPrice->setText("123456789012");
  EXPECT_EQ(f.EditRetailPrice->text(), "1234567890");
}

INSTANTIATE_TEST_SUITE_P(Engines, StyleEditDbTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
