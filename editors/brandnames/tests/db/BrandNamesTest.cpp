// The brand-label editor on both engines: the code, the default brand kept
// in PARENT_ID, the rename into PRODUCTS, several at once and the printed
// list.
#include "ParamEditorTestFixture.h"

#include <QComboBox>
#include <QToolButton>

#include "BrandNamesForm.h"
#include "DataModF.h"
#include "KvEdit.h"

namespace {

using kdb::sql::Quote;

class BrandNames : public edtest::ParamEditorDbTest<TForm1> {
 protected:
  void SetUp() override {
    ParamEditorDbTest::SetUp();
    // Products of LITTLE WREN.
    Prepare("brandnames", edtest::ProductsOf("BRANDLABEL", "LITTLE WREN", "BRANDLABEL", "00000200"));
  }
  QString BrandId(const QString& name) { return Id("BRANDLABEL", name); }
  // The PARENT_ID of every brand, as one text per distinct value.
  QStringList Defaults() {
    return Column("SELECT DISTINCT COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-') FROM PARAMETERS"
                  " WHERE TYPE = 'BRANDLABEL' ORDER BY 1");
  }
  void Show(TForm1& f, const QString& name) { f.SelectEntry(f.IndexOfName(name)); }
};

TEST_P(BrandNames, ShowsEachBrandWithItsCodeAndWhetherItIsTheDefault) {
  TForm1& f = Start();
  EXPECT_EQ(ListNames(f.ListBoxParam), (QStringList{"HARBOUR LANE", "LITTLE WREN", "NORTHERN THREAD", "TESSARIN"}));
  EXPECT_EQ(f.EditName->text(), "HARBOUR LANE");
  EXPECT_EQ(f.EditCode->text(), "HBL");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "No");
  EXPECT_FALSE(f.ComboBoxDefault->isEnabled());
  EXPECT_TRUE(f.EditCode->isReadOnly());
  kvtest::SaveScreenshot(&f, "brandnames");
  Show(f, "TESSARIN");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "Yes");
  ExpectFitsSmallScreen("brandnames-1024");
}

TEST_P(BrandNames, YesMakesTheBrandTheDefaultOfEveryBrandRow) {
  TForm1& f = Start();
  Show(f, "LITTLE WREN");
  f.SpButEdit->click();
  f.EditName->setText(" WREN & CO ");
  f.EditCode->setText(" lwc ");
  f.ComboBoxDefault->setCurrentText("Yes");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Brand has been saved."});
  const QString wren = BrandId("WREN & CO");
  EXPECT_EQ(Value("SELECT EXTRA FROM PARAMETERS WHERE ID = " + wren), "LWC");
  EXPECT_EQ(Defaults(), QStringList{wren});
  EXPECT_EQ(Column("SELECT BRANDLABEL_NAME FROM PRODUCTS WHERE BRANDLABEL_ID = " + wren),
            QStringList(2, "WREN & CO"));
  EXPECT_EQ(f.EditName->text(), "HARBOUR LANE");  // entry 0 again
  Show(f, "TESSARIN");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "No");

  // "No" takes the mark from nobody; a brand added later has no PARENT_ID.
  messages.clear();
  Show(f, "WREN & CO");
  f.SpButEdit->click();
  f.ComboBoxDefault->setCurrentText("No");
  f.SpButSave->click();
  f.SpButAdd->click();
  f.EditName->setText("COASTAL");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList(2, "Brand has been saved."));
  EXPECT_EQ(Value("SELECT COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-') FROM PARAMETERS WHERE NAME = 'COASTAL'"), "-");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' AND PARENT_ID = " + wren), "4");
}

TEST_P(BrandNames, AnUnchangedYesLeavesADefaultAnotherUserChose) {
  TForm1& f = Start();
  auto other = Connect();
  Show(f, "TESSARIN");
  f.SpButEdit->click();
  const QString harbour = BrandId("HARBOUR LANE");
  other.db->Execute("UPDATE PARAMETERS SET PARENT_ID = " + harbour + " WHERE TYPE = 'BRANDLABEL'");
  f.EditCode->setText("TSN");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Brand has been saved."});
  EXPECT_EQ(Value("SELECT EXTRA FROM PARAMETERS WHERE NAME = 'TESSARIN'"), "TSN");
  EXPECT_EQ(Defaults(), QStringList{harbour});

  // The code another user changed meanwhile is not overwritten unseen.
  messages.clear();
  Show(f, "TESSARIN");
  f.SpButEdit->click();
  other.db->Execute("UPDATE PARAMETERS SET EXTRA = 'T1' WHERE NAME = 'TESSARIN'");
  f.EditCode->setText("T2");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Code/Reference was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(Value("SELECT EXTRA FROM PARAMETERS WHERE NAME = 'TESSARIN'"), "T1");
}

TEST_P(BrandNames, AnEditOfABrandAnotherUserRemovedWritesNothingAndKeepsTheInput) {
  TForm1& f = Start();
  auto other = Connect();
  const QString wren = BrandId("LITTLE WREN");
  const auto brands = [&] {
    return Column("SELECT NAME || '/' || COALESCE(EXTRA, '') || '/' || COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-')"
                  " FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' ORDER BY ID");
  };
  Show(f, "LITTLE WREN");
  f.SpButEdit->click();
  // A new name, code and the default mark: each would write a row.
  f.EditName->setText("WREN & CO");
  f.EditCode->setText("LWC");
  f.ComboBoxDefault->setCurrentText("Yes");
  other.db->Execute("DELETE FROM PARAMETERS WHERE ID = " + wren);
  const QStringList before = brands();
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"The entry could not be found; another user may have removed it. "
                                  "Nothing has been saved."});
  EXPECT_EQ(brands(), before);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'WREN & CO' OR ID = " + wren), "0");
  EXPECT_EQ(Column("SELECT BRANDLABEL_NAME FROM PRODUCTS WHERE BRANDLABEL_ID = " + wren),
            QStringList(2, "LITTLE WREN"));
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditName->text(), "WREN & CO");
  EXPECT_EQ(f.EditCode->text(), "LWC");
  EXPECT_EQ(f.ComboBoxDefault->currentText(), "Yes");
}

TEST_P(BrandNames, TheProductsTakeTheNameTheRowHoldsNotTheOneOnScreen) {
  TForm1& f = Start();
  auto other = Connect();
  Show(f, "LITTLE WREN");
  f.SpButEdit->click();
  // Another user renames the brand, and its products with it, while this
  // window changes only the code.
  other.db->Execute("UPDATE PARAMETERS SET NAME = 'LITTLE WREN KIDS' WHERE NAME = 'LITTLE WREN'");
  other.db->Execute("UPDATE PRODUCTS SET BRANDLABEL_NAME = 'LITTLE WREN KIDS'");
  f.EditCode->setText("LWK");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Brand has been saved."});
  EXPECT_EQ(Value("SELECT NAME || '/' || EXTRA FROM PARAMETERS WHERE ID = " + BrandId("LITTLE WREN KIDS")),
            "LITTLE WREN KIDS/LWK");
  EXPECT_EQ(Column("SELECT DISTINCT BRANDLABEL_NAME FROM PRODUCTS"), QStringList{"LITTLE WREN KIDS"});
}

TEST_P(BrandNames, ACodeLongerThanTheBoxTakesIsNotCutByASave) {
  const QString code = "REFERENCE " + QString(30, 'X');
  Exec("UPDATE PARAMETERS SET EXTRA = " + Quote(code) + " WHERE NAME = 'TESSARIN'");
  TForm1& f = Start();
  Show(f, "TESSARIN");
  EXPECT_EQ(f.EditCode->text(), code);
  f.SpButEdit->click();
  f.EditName->setText("TESSARIN UK");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Brand has been saved."});
  EXPECT_EQ(Value("SELECT EXTRA FROM PARAMETERS WHERE NAME = 'TESSARIN UK'"), code);
  // A new brand's code is typed into the box's own length again.
  f.SpButAdd->click();
  EXPECT_EQ(f.EditCode->MaxLength(), TForm1::kCodeLength);
}

TEST_P(BrandNames, SeveralAtOnceSkipTheBrandsThereAreAndHaveNoCode) {
  TForm1& f = Start();
  multiAddText = "northern thread, Coastal\n'drift', coastal";
  f.SpButMultiAdd->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ListNames(f.ListBoxParam),
            (QStringList{"COASTAL", "DRIFT", "HARBOUR LANE", "LITTLE WREN", "NORTHERN THREAD", "TESSARIN"}));
  EXPECT_EQ(Column("SELECT COALESCE(EXTRA, '') || '/' || COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-') || '/' || "
                   "CAST(RATE AS INTEGER) FROM PARAMETERS WHERE NAME IN ('COASTAL', 'DRIFT')"),
            QStringList(2, "/-/0"));
  EXPECT_EQ(f.EditName->text(), "COASTAL");
}

TEST_P(BrandNames, RefusesAnEmptyOrTakenNameAndAnEditWithoutABrand) {
  TForm1& f = Start();
  f.SpButAdd->click();
  f.EditName->setText("   ");
  f.SpButSave->click();
  f.EditName->setText("TESSARIN");
  f.SpButSave->click();
  EXPECT_EQ(messages, (QStringList{"Please enter a name", "Name already exists, please enter a unique name"}));
  EXPECT_EQ(f.Mode(), "Add");

  form.reset();
  messages.clear();
  Exec("UPDATE PARAMETERS SET TYPE = 'OLD BRAND' WHERE TYPE = 'BRANDLABEL'");
  TForm1& empty = Start();
  empty.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a brand"});
  empty.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(previewPages, 1);
}

TEST_P(BrandNames, ThePrintedListHasTheIdAndNameOfEachBrand) {
  const kr::RenderedPage page = PrintedPage(Start(), "brandnames-print");
  const auto details = page.BandsOf(kr::BandType::Detail);
  ASSERT_EQ(details.size(), 4u);
  EXPECT_EQ(Printed(details[1], "QRLabelName"), "LITTLE WREN");
  EXPECT_EQ(Printed(details[1], "QRLabelID"), BrandId("LITTLE WREN"));
  EXPECT_EQ(Printed(page.BandsOf(kr::BandType::PageHeader).at(0), "QRLabelTitle"), "Brand Names");
}

KV_DB_ENGINES(BrandNames);

}  // namespace
