// The colours editor on both engines: colours painted in their display
// colour (0x00BBGGRR), the swatches, the colour dialog and a random colour
// for a new entry, the base colours of the multi-user edition and the
// single-user edition without them, every save carried into PRODUCTS in its
// own transaction, the filter in any letter case, the printed list, and two
// programs saving at once.
#include "CodeListTestFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include <cstdlib>

#include "ColourRulesClass.h"
#include "ColoursForm.h"
#include "DataModF.h"
#include "KuiColour.h"
#include "KvEdit.h"
#include "ModalSeam.h"

namespace {

using kdb::sql::Quote;

using TRacingForm = edtest::Racing<TForm1>;

QString IdOf(kdb::Database& db, const QString& colour) {
  return kvtest::Column(db, "SELECT ID FROM PARAMETERS WHERE TYPE = 'COLOUR' AND NAME = " + Quote(colour)).value(0);
}

// Two products in DENIM and one in RED, with the colours' copies.
void AddProducts(kdb::Database& db) {
  const auto add = [&](const QString& plu, const QString& colour) {
    db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, COLOUR_ID, COLOUR_NAME, COLOUR_VALUE) SELECT " +
               Quote(plu.left(8)) + ", " + Quote(plu) + ", ID, NAME, RATE FROM PARAMETERS WHERE TYPE = 'COLOUR' "
               "AND NAME = " + Quote(colour));
  };
  add("0000010000", "DENIM");
  add("0000010001", "DENIM");
  add("0000020000", "RED");
}

// The colour a widget shows at its middle.
QColor Painted(QWidget* w) {
  const QImage image = w->grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

class Colours : public edtest::CodeListDbTest<TRacingForm> {
 protected:
  void SetUp() override {
    CodeListDbTest::SetUp();
    Prepare("colours", AddProducts);
  }

  bool MultiUser() { return isPg(); }  // the test's PostgreSQL runs the multi-user edition
  QString ColourId(const QString& name) { return IdOf(db(), name); }
  QString Row(const QString& name, const QString& column) {
    return Value("SELECT " + column + " FROM PARAMETERS WHERE TYPE = 'COLOUR' AND NAME = " + Quote(name));
  }
  QStringList Products(const QString& column) { return Column("SELECT " + column + " FROM PRODUCTS ORDER BY PLU"); }
  void Select(TForm1& f, const QString& colour) { f.SelectEntry(f.IndexOfName(colour)); }
};

TEST_P(Colours, StartShowsTheColoursPaintedInTheirDisplayColour) {
  TForm1& f = Start();
  const QStringList names = ListNames(f.ListBoxParam);
  EXPECT_EQ(names.size(), 20);
  EXPECT_EQ(names.mid(0, 3), (QStringList{"BLACK", "BLUSH PINK", "BOTTLE GREEN"}));
  EXPECT_EQ(f.PanelTop->text(), "Colours");
  EXPECT_EQ(f.EditName->text(), "BLACK");
  EXPECT_EQ(f.CurrentIntID(), ColourId("BLACK").toInt());
  EXPECT_FALSE(f.PanelAction->isVisible());

  // DENIM is red 0x15, green 0x60, blue 0xBD: stored blue first.
  Select(f, "DENIM");
  EXPECT_EQ(Row("DENIM", "RATE"), QString::number(0xBD6015));
  EXPECT_EQ(f.Colour(), 0xBD6015u);
  EXPECT_EQ(Painted(f.PanelColour), QColor(0x15, 0x60, 0xBD));
  EXPECT_EQ(f.ComboBoxBase->currentText(), "Blue");
  EXPECT_TRUE(f.EditName->isReadOnly());
  EXPECT_FALSE(f.ComboBoxBase->isEnabled());
  EXPECT_TRUE(f.SpButSelectColour->isHidden());
  EXPECT_TRUE(f.Swatch("PanelClRed")->isHidden());

  // The base colours belong to the multi-user edition.
  EXPECT_EQ(Shown(f.ComboBoxBase), MultiUser());
  EXPECT_EQ(Shown(f.ComboBoxBaseSelect), MultiUser());
  EXPECT_EQ(Shown(f.LabelBaseTitle), MultiUser());
  EXPECT_EQ(f.ComboBoxBaseSelect->count(), 16);
  EXPECT_EQ(f.ComboBoxBaseSelect->currentText(), "[All]");
  kvtest::SaveScreenshot(&f, MultiUser() ? "Colours" : "ColoursSingleUser");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
}

TEST_P(Colours, ANewColourStartsRandomAndTakesASwatchWithItsBase) {
  std::srand(2024);
  const quint32 first = std::rand() % 0xFFFFFF;
  const quint32 second = std::rand() % 0xFFFFFF;
  TForm1& f = Start();
  std::srand(2024);
  f.SpButAdd->click();
  EXPECT_EQ(f.Colour(), first);
  f.SpButCancel->click();
  f.SpButAdd->click();
  EXPECT_EQ(f.Colour(), second);
  EXPECT_EQ(f.ComboBoxBase->currentIndex(), -1);
  EXPECT_FALSE(f.ComboBoxBaseSelect->isEnabled());
  EXPECT_EQ(f.Swatches.size(), 16u);
  for (const TColourPanel* swatch : f.Swatches) EXPECT_FALSE(swatch->isHidden()) << swatch->objectName().toStdString();
  kvtest::SaveScreenshot(&f, "ColoursAdd");

  // A swatch gives its colour and its base colour; "Pink" has two.
  f.Swatch("PanelClSkin")->OnClick();
  EXPECT_EQ(f.Colour(), 0x8080FFu);
  EXPECT_EQ(f.ComboBoxBase->currentText(), "Pink");
  f.Swatch("PanelClOrange")->OnClick();
  EXPECT_EQ(f.ComboBoxBase->currentText(), "Orange");
  EXPECT_EQ(Painted(f.PanelColour), QColor(255, 128, 0));

  f.EditName->setText(" tangerine ");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Colour has been saved."});
  EXPECT_EQ(Row("TANGERINE", "RATE"), "33023");  // 0x0080FF
  EXPECT_EQ(Row("TANGERINE", "PARENT_NAME"), MultiUser() ? "Orange" : "Beige");
  EXPECT_EQ(Row("TANGERINE", "PARENT_ID"), "0");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'TANGERINE' AND COALESCE(EXTRA, '') = '' AND VALUE = 0"), "1");
  // The list again from its first entry.
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.EditName->text(), "BLACK");
}

TEST_P(Colours, TheColourDialogPicksADisplayColourThatEverySaveCarriesIntoProducts) {
  QColor offered;
  QColor answer(10, 20, 30);
  kui::ModalSeam::SetColourAnswerer([&](const QColor& initial) {
    offered = initial;
    return answer;
  });
  TForm1& f = Start();
  Select(f, "DENIM");
  f.PanelColour->OnClick();  // not while viewing
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 0);

  f.SpButEdit->click();
  f.SpButSelectColour->click();
  EXPECT_EQ(offered, QColor(0x15, 0x60, 0xBD));
  EXPECT_EQ(f.Colour(), 0x1E140Au);
  EXPECT_EQ(f.ComboBoxBase->currentText(), "Blue");  // the base stays
  answer = QColor();                                  // Cancel
  f.PanelColour->OnClick();
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 2);
  EXPECT_EQ(f.Colour(), 0x1E140Au);

  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Colour has been saved."});
  EXPECT_EQ(Row("DENIM", "RATE"), QString::number(0x1E140A));
  EXPECT_EQ(Products("COLOUR_VALUE"), (QStringList{"1971210", "1971210", QString::number(0x0000CC)}));
  EXPECT_EQ(Products("COLOUR_NAME"), (QStringList{"DENIM", "DENIM", "RED"}));

  // A rename reaches the products of that colour only.
  Select(f, "RED");
  f.SpButEdit->click();
  f.EditName->setText("SCARLET");
  f.SpButSave->click();
  EXPECT_EQ(Products("COLOUR_NAME"), (QStringList{"DENIM", "DENIM", "SCARLET"}));
}

TEST_P(Colours, TheBaseColourIsNeededInTheMultiUserEditionAndBeigeInTheSingleUser) {
  TForm1& f = Start();
  f.SpButAdd->click();
  f.SpButSave->click();
  f.EditName->setText(" red ");
  f.SpButSave->click();
  if (MultiUser()) {
    EXPECT_EQ(messages, (QStringList{"Please enter a name", "Please select a base colour"}));
    f.ComboBoxBase->setCurrentText("Red");
    f.SpButSave->click();
  }
  EXPECT_EQ(messages.last(), "Name already exists, please enter a unique name");
  EXPECT_EQ(f.EditName->text(), "RED");
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.ComboBoxBase->currentText(), MultiUser() ? "Red" : "Beige");

  // An edit keeps the stored spelling of a base colour it did not change.
  Exec("UPDATE PARAMETERS SET PARENT_NAME = 'BLUE' WHERE NAME = 'NAVY'");
  f.SpButCancel->click();
  Select(f, "NAVY");
  f.SpButEdit->click();
  f.EditName->setText("DARK NAVY");
  f.SpButSave->click();
  EXPECT_EQ(Row("DARK NAVY", "PARENT_NAME"), MultiUser() ? "BLUE" : "Beige");
}

TEST_P(Colours, TheFilterFindsTheBaseColourInAnyLetterCase) {
  Exec("UPDATE PARAMETERS SET PARENT_NAME = 'BLUE' WHERE NAME = 'NAVY'");
  Exec("UPDATE PARAMETERS SET PARENT_NAME = 'blue' WHERE NAME = 'DENIM'");
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, RATE, PARENT_ID, PARENT_NAME) VALUES ('SKY', 'COLOUR', 0, 0, 'Blue')");
  EXPECT_EQ(Column(TColourRulesClass::ListSQL("Blue")).join(","),
            QStringList({ColourId("DENIM"), ColourId("NAVY"), ColourId("SKY")}).join(","));
  EXPECT_EQ(Column(TColourRulesClass::ListSQL("[All]")).size(), 21);

  TForm1& f = Start();
  if (!MultiUser()) {
    // Without base colours the filter is hidden and every colour listed.
    EXPECT_EQ(f.ListBoxParam->count(), 21);
    return;
  }
  f.ComboBoxBaseSelect->setCurrentText("Blue");
  EXPECT_EQ(ListNames(f.ListBoxParam), (QStringList{"DENIM", "NAVY", "SKY"}));
  EXPECT_EQ(f.EditName->text(), "DENIM");
  EXPECT_EQ(f.ComboBoxBase->currentText(), "Blue");
  // The filter stays through a save and its reload.
  f.SpButEdit->click();
  f.EditName->setText("DENIM BLUE");
  f.SpButSave->click();
  EXPECT_EQ(f.ComboBoxBaseSelect->currentText(), "Blue");
  EXPECT_EQ(ListNames(f.ListBoxParam), (QStringList{"DENIM BLUE", "NAVY", "SKY"}));
  EXPECT_EQ(Row("DENIM BLUE", "PARENT_NAME"), "blue");
}

TEST_P(Colours, AFailedProductsRewriteLeavesTheColourAsItWas) {
  // A rule of the test's database: no two products share a colour name, and
  // one product already holds the name RED is about to take.
  Exec("UPDATE PRODUCTS SET COLOUR_NAME = 'CRIMSON' WHERE PLU = '0000010000'");
  Exec("CREATE UNIQUE INDEX TEST_ONE_COLOUR_NAME ON PRODUCTS (COLOUR_NAME)");
  TForm1& f = Start();
  Select(f, "RED");
  f.SpButEdit->click();
  f.EditName->setText("CRIMSON");
  f.SpButSave->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Error: Colour has not been saved.")) << messages[0].toStdString();
  EXPECT_EQ(Row("RED", "NAME"), "RED");
  EXPECT_EQ(Row("CRIMSON", "NAME"), "");
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditName->text(), "CRIMSON");
}

TEST_P(Colours, AChangeAnotherUserMadeMeanwhileIsNeverOverwrittenUnseen) {
  TForm1& f = Start();
  auto other = Connect();
  const QString denim = ColourId("DENIM");
  Select(f, "DENIM");
  f.SpButEdit->click();
  other.db->Execute("UPDATE PARAMETERS SET RATE = 255 WHERE ID = " + denim);
  f.Swatch("PanelClBlack")->OnClick();
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Colour was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(Row("DENIM", "RATE"), "255");

  // Reloaded; the other user changes the colour again, this window only the
  // name: the products take the row's colour, not the window's.
  messages.clear();
  f.SpButCancel->click();
  Select(f, "DENIM");
  f.SpButEdit->click();
  other.db->Execute("UPDATE PARAMETERS SET RATE = 65280 WHERE ID = " + denim);
  f.EditName->setText("INDIGO");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Colour has been saved."});
  EXPECT_EQ(Row("INDIGO", "RATE"), "65280");
  EXPECT_EQ(Products("COLOUR_VALUE").mid(0, 2), QStringList(2, "65280"));
  EXPECT_EQ(Products("COLOUR_NAME").mid(0, 2), QStringList(2, "INDIGO"));
}

TEST_P(Colours, TheNameIsCheckedAgainUnderTheSavesLock) {
  TRacingForm& f = Start();
  auto other = Connect();
  f.afterChecks = [&] {
    other.db->Execute("INSERT INTO PARAMETERS (NAME, TYPE, RATE, PARENT_ID, PARENT_NAME) "
                      "VALUES ('RACE', 'COLOUR', 0, 0, 'Red')");
  };
  f.SpButAdd->click();
  f.EditName->setText("RACE");
  f.ComboBoxBase->setCurrentText("Red");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Name already exists, please enter a unique name"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'RACE'"), "1");
  EXPECT_EQ(f.Mode(), "Add");
}

TEST_P(Colours, ThePrintedListHasALineAColourAndEditNeedsOne) {
  TForm1& f = Start();
  previewShot = "ColoursPrint";
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  std::unique_ptr<TQuickReport1> print = f.PreparePrint();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Orientation, QPageLayout::Portrait);
  const QString pdf = kvtest::FreshFolder("print") + "colours.pdf";
  ASSERT_TRUE(print->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  for (const char* expected : {"Colours", "ID:", "NAME:", "BLACK", "FLORAL PRINT", "WHITE"})
    EXPECT_TRUE(text.contains(expected)) << expected;
  EXPECT_FALSE(text.contains("Multi"));  // base colours are not printed
  EXPECT_EQ(print->QuickRep1.RenderPages()[0].BandsOf(kr::BandType::Detail).size(), 20u);

  Exec("UPDATE PRODUCTS SET COLOUR_ID = NULL");
  Exec("DELETE FROM PARAMETERS WHERE TYPE = 'COLOUR'");
  f.SpButCancel->click();  // the list again
  f.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a colour."});
  EXPECT_EQ(f.Mode(), "View");
}

KV_DB_ENGINES(Colours);

}  // namespace
