// The size scales editor on both engines: the scales and their sizes, the
// size buttons, a new scale saved with its sizes in one go, an edited scale
// carried into PRODUCTS, the default mark, the printed list, and two programs
// saving at once.
#include "CodeListTestFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>

#include <functional>

#include "DataModF.h"
#include "KvEdit.h"
#include "SizeRangesForm.h"

namespace {

using kdb::sql::Quote;

using TRacingForm = edtest::Racing<TForm1>;

QString IdOf(kdb::Database& db, const QString& scale) {
  return kvtest::Column(db, "SELECT ID FROM SIZESSCALE WHERE NAME = " + Quote(scale)).value(0);
}

// One style in MENS S-XXL (sizes S, M, L) and one in WAIST 30-40 (30, 32),
// each PRODUCTS row with its scale's and size's ids and name copies.
void AddProducts(kdb::Database& db) {
  const auto add = [&](const QString& root, const QString& scale, const QStringList& sizes) {
    const QString scaleId = IdOf(db, scale);
    for (int i = 0; i < sizes.size(); ++i)
      db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, SIZESSCALE_ID, SIZESSCALE_NAME, SIZE_ID, SIZE_NAME, SIZE_OFFSET)"
                 " SELECT " + Quote(root) + ", " + Quote(root + QString::number(i).rightJustified(2, '0')) + ", " +
                 scaleId + ", " + Quote(scale) + ", ID, NAME, " + QString::number(i) +
                 " FROM SIZES WHERE SIZESSCALE_ID = " + scaleId + " AND \"offset\" = " + QString::number(i));
  };
  add("00000500", "MENS S-XXL", {"S", "M", "L"});
  add("00000600", "WAIST 30-40", {"30", "32"});
}

class SizeRanges : public edtest::CodeListDbTest<TRacingForm> {
 protected:
  void SetUp() override {
    CodeListDbTest::SetUp();
    Prepare("sizeranges", AddProducts);
  }

  QString ScaleId(const QString& name) { return IdOf(db(), name); }
  QStringList SizesOf(const QString& scale) {
    return Column("SELECT NAME FROM SIZES WHERE SIZESSCALE_ID = " + ScaleId(scale) + " ORDER BY \"offset\"");
  }
  QStringList ProductSizes(const QString& root) {
    return Column("SELECT SIZE_NAME FROM PRODUCTS WHERE ROOT_PLU = " + Quote(root) + " ORDER BY PLU");
  }
  QStringList ProductScales(const QString& root) {
    return Column("SELECT SIZESSCALE_NAME FROM PRODUCTS WHERE ROOT_PLU = " + Quote(root) + " ORDER BY PLU");
  }
  // Scales whose COUNTER is not their number of sizes.
  QStringList Miscounted() {
    return Column("SELECT NAME FROM SIZESSCALE S WHERE COUNTER <> (SELECT COUNT(*) FROM SIZES Z "
                  "WHERE Z.SIZESSCALE_ID = S.ID)");
  }
  void Select(TForm1& f, const QString& scale) { f.SelectEntry(f.IndexOfScaleName(scale)); }
  // A size typed into the size box and entered with the Enter key.
  static void TypeSize(TForm1& f, const QString& size) {
    f.EditSizeName->clear();
    QTest::keyClicks(f.EditSizeName, size);
    QTest::keyClick(f.EditSizeName, Qt::Key_Return);
  }
  static QStringList ShownSizes(TForm1& f) {
    QStringList names;
    for (int i = 0; i < f.ListBoxSizes->count(); ++i) names << f.ListBoxSizes->item(i)->text();
    return names;
  }
};

TEST_P(SizeRanges, StartShowsTheScalesAndTheSizesOfTheFirst) {
  TForm1& f = Start();
  EXPECT_EQ(ListNames(f.ListBoxScales), (QStringList{"BABY 0-24M", "KIDS 2-10Y", "LADIES 8-18", "MENS S-XXL",
                                                     "ONE SIZE", "SHOES 3-8", "WAIST 30-40"}));
  EXPECT_EQ(f.PanelTop->text(), "Size Scales");
  EXPECT_EQ(f.EditName->text(), "BABY 0-24M");
  EXPECT_EQ(f.PanelID->text(), ScaleId("BABY 0-24M"));
  EXPECT_EQ(f.PanelCounter->text(), "5");
  EXPECT_EQ(ShownSizes(f), SizesOf("BABY 0-24M"));
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "No");
  EXPECT_FALSE(Shown(f.SpButAddSize) || Shown(f.SpButEditSize) || Shown(f.SpButDeleteSize));
  EXPECT_TRUE(f.EditSizeName->isReadOnly());
  EXPECT_FALSE(f.ComboBoxDefault->isEnabled());

  Select(f, "LADIES 8-18");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "Yes");  // the starter data's default
  // In View a size shows its name all the same.
  f.ListBoxSizes->setCurrentRow(2);
  EXPECT_EQ(f.EditSizeName->text(), "12");
  kvtest::SaveScreenshot(&f, "SizeRanges");
  EXPECT_TRUE(messages.isEmpty());

  // A new scale shows its size buttons; a size name of six of the widest
  // capitals is shown whole in its column, on a screen of 1024 pixels.
  f.SpButAdd->click();
  TypeSize(f, "WWWWWW");
  TypeSize(f, "MEDIUM");
  EXPECT_EQ(ShownSizes(f), (QStringList{"WWWWWW", "MEDIUM"}));
  EXPECT_GT(f.ListBoxSizes->gridSize().width(), f.ListBoxSizes->fontMetrics().horizontalAdvance("WWWWWW"));
  ExpectFitsSmallScreen("SizeRanges-1024-add");
}

TEST_P(SizeRanges, ANewScaleTakesNinetyNineSizesAndIsSavedWithThemInOrder) {
  TForm1& f = Start();
  f.SpButAdd->click();
  EXPECT_TRUE(Shown(f.SpButAddSize) && Shown(f.SpButEditSize) && Shown(f.SpButDeleteSize));
  EXPECT_EQ(f.PanelAction->text(), "Add");
  for (int i = 1; i <= 99; ++i) TypeSize(f, "s" + QString::number(i));
  EXPECT_EQ(f.PanelCounter->text(), "99");
  EXPECT_FALSE(Shown(f.SpButAddSize));
  TypeSize(f, "s100");  // Enter adds nothing more
  EXPECT_EQ(f.Sizes().Count(), 99);
  EXPECT_EQ(f.Sizes().Name(0), "S1");  // typed letters become capitals

  // Deleting one makes room again; the one before it is selected.
  f.ListBoxSizes->setCurrentRow(1);
  f.SpButDeleteSize->click();
  EXPECT_EQ(f.ListBoxSizes->currentRow(), 0);
  EXPECT_EQ(f.PanelCounter->text(), "98");
  EXPECT_TRUE(Shown(f.SpButAddSize));

  f.EditName->setText("  TRIAL 98");
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.GetSelectedName(), "TRIAL 98");  // leading blanks cut, the saved scale selected
  const QString id = ScaleId("TRIAL 98");
  EXPECT_EQ(Value("SELECT COUNTER FROM SIZESSCALE WHERE ID = " + id), "98");
  EXPECT_EQ(Column("SELECT \"offset\" FROM SIZES WHERE SIZESSCALE_ID = " + id + " ORDER BY \"offset\"").join(","),
            [] {
              QStringList offsets;
              for (int i = 0; i < 98; ++i) offsets << QString::number(i);
              return offsets.join(",");
            }());
  EXPECT_EQ(SizesOf("TRIAL 98").mid(0, 3), (QStringList{"S1", "S3", "S4"}));
  EXPECT_TRUE(Miscounted().isEmpty());
}

TEST_P(SizeRanges, ANewScaleNeedsANameSizesAndANameOfItsOwn) {
  TForm1& f = Start();
  f.SpButAdd->click();
  f.SpButSave->click();
  f.EditName->setText("MENS S-XXL");
  f.SpButSave->click();
  TypeSize(f, "ONE");
  f.SpButSave->click();
  EXPECT_EQ(messages, (QStringList{"Please enter name!", "Please enter sizes!",
                                   "There is already a Sizes Scale with the same name!"}));
  EXPECT_EQ(f.Mode(), "Add");
  // Trailing blanks stay part of the name.
  f.EditName->setText(" MENS S-XXL ");
  f.SpButSave->click();
  EXPECT_EQ(messages.size(), 3);
  EXPECT_EQ(f.GetSelectedName(), "MENS S-XXL ");
}

TEST_P(SizeRanges, WhileTheFirstScaleIsAddedASizeIsNotCopiedIntoTheSizeBox) {
  Exec("DELETE FROM SIZES");
  Exec("DELETE FROM SIZESSCALE");
  TForm1& f = Start();
  f.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a Size Scale."});
  f.SpButAdd->click();
  TypeSize(f, "A");
  TypeSize(f, "B");
  EXPECT_EQ(f.EditSizeName->text(), "B");  // as typed, not copied back
  f.ListBoxSizes->setCurrentRow(0);
  EXPECT_EQ(f.EditSizeName->text(), "B");
}

TEST_P(SizeRanges, AnEditedScaleCarriesItsNamesIntoItsProductsOnly) {
  Exec("UPDATE SIZESSCALE SET COUNTER = 9 WHERE NAME = 'MENS S-XXL'");  // left wrong by an older program
  TForm1& f = Start();
  Select(f, "MENS S-XXL");
  f.SpButEdit->click();
  // Only renames: no size is added to or removed from a saved scale.
  EXPECT_TRUE(Shown(f.SpButEditSize));
  EXPECT_FALSE(Shown(f.SpButAddSize) || Shown(f.SpButDeleteSize));
  EXPECT_EQ(f.EditSizeName->text(), "S");
  EXPECT_EQ(f.ListBoxSizes->currentRow(), -1);

  f.SpButEditSize->click();
  f.ListBoxSizes->setCurrentRow(1);
  f.EditSizeName->clear();
  f.SpButEditSize->click();  // an empty size name is refused in Edit too
  EXPECT_EQ(messages, (QStringList{"Please select a size!", "Please enter a size name!"}));
  f.EditSizeName->setText("MED");
  f.SpButEditSize->click();
  f.EditName->setText("MENS XS-XXL");
  f.SpButSave->click();
  ASSERT_EQ(messages.size(), 2) << messages.join("|").toStdString();

  EXPECT_EQ(SizesOf("MENS XS-XXL"), (QStringList{"S", "MED", "L", "XL", "XXL"}));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"S", "MED", "L"}));
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS XS-XXL"));
  EXPECT_EQ(ProductSizes("00000600"), (QStringList{"30", "32"}));
  EXPECT_EQ(ProductScales("00000600"), QStringList(2, "WAIST 30-40"));
  EXPECT_EQ(Column("SELECT PLU FROM PRODUCTS WHERE ROOT_PLU = '00000500' ORDER BY PLU"),
            (QStringList{"0000050000", "0000050001", "0000050002"}));
  EXPECT_EQ(Value("SELECT COUNTER FROM SIZESSCALE WHERE NAME = 'MENS XS-XXL'"), "5");
  EXPECT_EQ(f.GetSelectedName(), "MENS XS-XXL");
}

// A rename reaches every product of the scale whatever its size copy holds:
// the right name, a stale one, none, or no size of the scale at all.
TEST_P(SizeRanges, ARenamedScaleReachesEveryProductOfItWhateverItsSizeCopyHolds) {
  const QString mens = ScaleId("MENS S-XXL");
  const QString waist = ScaleId("WAIST 30-40");
  Exec("INSERT INTO PRODUCTS (ROOT_PLU, PLU, SIZESSCALE_ID, SIZESSCALE_NAME, SIZE_ID, SIZE_NAME, SIZE_OFFSET)"
       " VALUES ('00000700', '0000070000', " + mens + ", 'MENS S-XXL', NULL, 'ODD', 0)");
  Exec("UPDATE PRODUCTS SET SIZE_NAME = NULL WHERE PLU = '0000050001'");
  TForm1& f = Start();

  // Every copy right but one missing: the rename and the size copy both reach it.
  Select(f, "MENS S-XXL");
  f.SpButEdit->click();
  f.EditName->setText("MENS ONE");
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS ONE"));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"S", "M", "L"}));
  EXPECT_EQ(ProductScales("00000700"), QStringList{"MENS ONE"});
  EXPECT_EQ(ProductSizes("00000700"), QStringList{"ODD"});

  // Every copy right: one pass renames them all; the other scale is left alone.
  Exec("DELETE FROM PRODUCTS WHERE ROOT_PLU = '00000700'");
  Select(f, "MENS ONE");
  f.SpButEdit->click();
  f.EditName->setText("MENS TWO");
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS TWO"));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"S", "M", "L"}));
  EXPECT_EQ(ProductScales("00000600"), QStringList(2, "WAIST 30-40"));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PRODUCTS WHERE SIZESSCALE_ID = " + waist + " AND SIZESSCALE_NAME = 'MENS TWO'"),
            "0");

  // A size an older program renamed without its copies: the next rename carries it.
  Exec("UPDATE SIZES SET NAME = 'SMALL' WHERE SIZESSCALE_ID = " + mens + " AND \"offset\" = 0");
  Select(f, "MENS TWO");
  f.SpButEdit->click();
  f.EditName->setText("MENS THREE");
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS THREE"));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"SMALL", "M", "L"}));
}

TEST_P(SizeRanges, ADefaultScaleIsTheOnlyOneAndStaysUntilAnotherIsMadeIt) {
  TForm1& f = Start();
  const auto saveDefault = [&](const QString& scale, const QString& choice) {
    Select(f, scale);
    f.SpButEdit->click();
    f.ComboBoxDefault->setCurrentText(choice);
    f.SpButSave->click();
  };
  saveDefault("WAIST 30-40", "Yes");
  const QString waist = ScaleId("WAIST 30-40");
  EXPECT_EQ(Column("SELECT DISTINCT DEFAULT_ID FROM SIZESSCALE"), QStringList{waist});
  saveDefault("MENS S-XXL", "No");
  EXPECT_EQ(Column("SELECT DISTINCT DEFAULT_ID FROM SIZESSCALE"), QStringList{waist});
  Select(f, "LADIES 8-18");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "No");
  Select(f, "WAIST 30-40");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "Yes");
  // A new scale saved with "Yes" takes the mark.
  f.SpButAdd->click();
  f.EditName->setText("NEW DEFAULT");
  TypeSize(f, "ONE");
  f.ComboBoxDefault->setCurrentText("Yes");
  f.SpButSave->click();
  EXPECT_EQ(Column("SELECT DISTINCT DEFAULT_ID FROM SIZESSCALE"), QStringList{ScaleId("NEW DEFAULT")});
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(SizeRanges, ANewScaleIsWrittenWithAllItsSizesOrNotAtAll) {
  // A rule of the test's database refuses the second size of the new scale
  // (ONE SIZE has a size ONE already).
  Exec("CREATE UNIQUE INDEX TEST_ONE_NAME ON SIZES (NAME) WHERE NAME = 'ONE'");
  TForm1& f = Start();
  f.SpButAdd->click();
  f.EditName->setText("TWINS");
  TypeSize(f, "A");
  TypeSize(f, "ONE");
  // A size the new scale has already is refused by the window itself.
  TypeSize(f, "A");
  EXPECT_EQ(messages, QStringList{"The Size Scale already has this size!"});
  messages.clear();
  f.SpButSave->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Error: The Size Scale has not been saved.")) << messages[0].toStdString();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM SIZESSCALE WHERE NAME = 'TWINS'"), "0");
  EXPECT_TRUE(Miscounted().isEmpty());
  // The window keeps what was typed, ready to be put right and saved.
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(ShownSizes(f), (QStringList{"A", "ONE"}));
  f.ListBoxSizes->setCurrentRow(1);
  f.EditSizeName->setText("B");
  f.SpButEditSize->click();
  f.SpButSave->click();
  EXPECT_EQ(SizesOf("TWINS"), (QStringList{"A", "B"}));
  EXPECT_TRUE(Miscounted().isEmpty());
}

TEST_P(SizeRanges, ThePrintedListShowsTheFirstTwentySizesOfAScale) {
  // A name as long as the box takes.
  Exec("INSERT INTO SIZESSCALE (NAME, COUNTER, DEFAULT_ID) VALUES ('AAA WIDE SCALE OF MANY SIZES W', 25, 0)");
  const QString wide = ScaleId("AAA WIDE SCALE OF MANY SIZES W");
  for (int i = 0; i < 25; ++i)
    Exec("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\") VALUES (" + wide + ", 'W" +
         QString::number(i + 1).rightJustified(2, '0') + "', " + QString::number(i) + ")");
  TForm1& f = Start();
  previewShot = "SizeRangesPrint";
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_TRUE(messages.isEmpty());

  std::unique_ptr<TQuickReport1> print = f.PreparePrint();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Orientation, QPageLayout::Landscape);
  const QString pdf = kvtest::FreshFolder("print") + "sizes.pdf";
  ASSERT_TRUE(print->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  EXPECT_TRUE(text.contains("Size Ranges"));
  EXPECT_TRUE(text.contains("W01"));
  EXPECT_TRUE(text.contains("W20"));
  EXPECT_FALSE(text.contains("W21"));
  EXPECT_TRUE(text.contains("WAIST 30-40"));
  const kr::RenderedPage page = print->QuickRep1.RenderPages()[0];
  EXPECT_EQ(page.BandsOf(kr::BandType::Detail).size(), 8u);  // one line a scale
  // The names are printed whole, the longest on two lines.
  for (const kr::RenderedBand* band : page.BandsOf(kr::BandType::Detail))
    for (const kr::RenderedText* t : band->Texts()) EXPECT_FALSE(t->clipped) << t->text.toStdString();
  EXPECT_LE(print->ColumnLabel("QRLabelSize19")->Geometry().right(), print->BandWidth());
}

TEST_P(SizeRanges, AChangeAnotherProgramMadeMeanwhileIsNeverOverwrittenUnseen) {
  TForm1& f = Start();
  auto other = Connect();
  const QString mens = ScaleId("MENS S-XXL");

  // The other program renames the scale after this window loaded it.
  Select(f, "MENS S-XXL");
  f.SpButEdit->click();
  other.db->Execute("UPDATE SIZESSCALE SET NAME = 'MENS SIZES' WHERE ID = " + mens);
  f.EditName->setText("MENS S-XL");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Name was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(Value("SELECT NAME FROM SIZESSCALE WHERE ID = " + mens), "MENS SIZES");
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS S-XXL"));
  EXPECT_EQ(f.Mode(), "Edit");

  // Reloaded: the window renames a size the other program renamed meanwhile.
  messages.clear();
  f.SpButCancel->click();
  Select(f, "MENS SIZES");
  f.SpButEdit->click();
  other.db->Execute("UPDATE SIZES SET NAME = 'LARGE' WHERE SIZESSCALE_ID = " + mens + " AND \"offset\" = 2");
  f.ListBoxSizes->setCurrentRow(2);
  f.EditSizeName->setText("LRG");
  f.SpButEditSize->click();
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Size \"L\" was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(SizesOf("MENS SIZES")[2], "LARGE");

  // A change the window did not touch stays, and reaches the products.
  messages.clear();
  f.SpButCancel->click();
  Select(f, "MENS SIZES");
  f.SpButEdit->click();
  other.db->Execute("UPDATE SIZES SET NAME = 'XLARGE' WHERE SIZESSCALE_ID = " + mens + " AND \"offset\" = 3");
  f.EditName->setText("MENS S-XL");
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(SizesOf("MENS S-XL"), (QStringList{"S", "M", "LARGE", "XLARGE", "XXL"}));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"S", "M", "LARGE"}));
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS S-XL"));

  // The other program renames the scale while this window renames a size
  // only: the products take the scale's name as the row holds it.
  messages.clear();
  Select(f, "MENS S-XL");
  f.SpButEdit->click();
  other.db->Execute("UPDATE SIZESSCALE SET NAME = 'MENSWEAR' WHERE ID = " + mens);
  f.ListBoxSizes->setCurrentRow(0);
  f.EditSizeName->setText("SMALL");
  f.SpButEditSize->click();
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"SMALL", "M", "LARGE"}));
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENSWEAR"));
}

TEST_P(SizeRanges, AnEditOfAScaleAnotherUserRemovedWritesNothing) {
  TForm1& f = Start();
  auto other = Connect();
  const QString mens = ScaleId("MENS S-XXL");
  const QStringList sizesBefore = Column("SELECT NAME FROM SIZES ORDER BY ID");
  Select(f, "MENS S-XXL");
  f.SpButEdit->click();
  // Both the scale's name and a size's name are changed, so a save that went
  // on past the missing scale would write SIZES and PRODUCTS.
  f.EditName->setText("MENS XS-XXL");
  f.ListBoxSizes->setCurrentRow(1);
  f.EditSizeName->setText("MED");
  f.SpButEditSize->click();
  // The other program removes the scale row only; its sizes stay behind.
  other.db->Execute("DELETE FROM SIZESSCALE WHERE ID = " + mens);
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"The Size Scale could not be found; another user may have removed it. "
                                  "Nothing has been saved."});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM SIZESSCALE WHERE ID = " + mens + " OR NAME = 'MENS XS-XXL'"), "0");
  EXPECT_EQ(Column("SELECT NAME FROM SIZES ORDER BY ID"), sizesBefore);
  EXPECT_EQ(ProductScales("00000500"), QStringList(3, "MENS S-XXL"));
  EXPECT_EQ(ProductSizes("00000500"), (QStringList{"S", "M", "L"}));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM SIZESSCALE"), "6");  // no row written in its place
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditName->text(), "MENS XS-XXL");
}

TEST_P(SizeRanges, TheNameIsCheckedAgainUnderTheSavesLock) {
  TRacingForm& f = Start();
  auto other = Connect();
  // The other program saves the same name after this window's own check ran.
  f.afterChecks = [&] {
    other.db->Execute("INSERT INTO SIZESSCALE (NAME, COUNTER, DEFAULT_ID) VALUES ('RACE', 0, 0)");
  };
  f.SpButAdd->click();
  f.EditName->setText("RACE");
  TypeSize(f, "ONE");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"There is already a Sizes Scale with the same name!"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM SIZESSCALE WHERE NAME = 'RACE'"), "1");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM SIZES WHERE NAME = 'ONE'"), "1");  // ONE SIZE's own
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.EditName->text(), "RACE");
}

KV_DB_ENGINES(SizeRanges);

}  // namespace
