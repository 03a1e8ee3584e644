// The categories editor on both engines: the code kept in PARENT_NAME with
// PARENT_ID 0, categories made several at once, the rename into PRODUCTS and
// the printed list with the code.
#include "ParamEditorTestFixture.h"

#include <QToolButton>

#include "CategoriesForm.h"
#include "DataModF.h"
#include "KvEdit.h"

namespace {

using kdb::sql::Quote;

using TRacingForm = edtest::Racing<TForm1>;

class Categories : public edtest::ParamEditorDbTest<TRacingForm> {
 protected:
  void SetUp() override {
    ParamEditorDbTest::SetUp();
    // Products of MENSWEAR.
    Prepare("categories", edtest::ProductsOf("CATEGORY", "MENSWEAR", "CATEGORY", "00000300"));
  }
  // "PARENT_ID/PARENT_NAME" of a category, "-" for NULL or empty.
  QString Parent(const QString& name) {
    return Value("SELECT COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-') || '/' || COALESCE(NULLIF(PARENT_NAME, ''), "
                 "'-') FROM PARAMETERS WHERE TYPE = 'CATEGORY' AND NAME = " + Quote(name));
  }
  void Show(TForm1& f, const QString& name) { f.SelectEntry(f.IndexOfName(name)); }
  // Every PARAMETERS row and every product's copy of its category's name.
  QStringList Written() {
    return Column("SELECT TYPE || '/' || COALESCE(NAME, '-') || '/' || COALESCE(PARENT_NAME, '-') || '/' || "
                  "COALESCE(CAST(PARENT_ID AS VARCHAR(20)), '-') FROM PARAMETERS ORDER BY ID") +
           Column("SELECT PLU || '/' || COALESCE(CATEGORY_NAME, '-') FROM PRODUCTS ORDER BY PLU");
  }
};

TEST_P(Categories, TheCodeIsKeptInParentNameWithParentIdZero) {
  TForm1& f = Start();
  EXPECT_EQ(f.windowTitle(), "Form1");
  EXPECT_EQ(f.EditName->text(), "ACCESSORIES");
  EXPECT_EQ(f.EditCode->text(), "AC");
  kvtest::SaveScreenshot(&f, "categories");
  ExpectFitsSmallScreen("categories-1024");

  f.SpButAdd->click();
  f.EditName->setText("FOOTWEAR");
  f.EditCode->setText(" fw ");
  f.SpButSave->click();
  f.SpButAdd->click();
  f.EditName->setText("HOMEWARE");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList(2, "Category has been saved."));
  EXPECT_EQ(Parent("FOOTWEAR"), "0/FW");
  EXPECT_EQ(Parent("HOMEWARE"), "0/-");
}

TEST_P(Categories, OneMadeSeveralAtOnceGainsItsCodeWhenSavedOnItsOwn) {
  TForm1& f = Start();
  multiAddText = "footwear, menswear, homeware";
  f.SpButMultiAdd->click();
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(Parent("FOOTWEAR"), "-/-");
  EXPECT_EQ(Parent("HOMEWARE"), "-/-");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'CATEGORY' AND NAME = 'MENSWEAR'"), "1");

  Show(f, "FOOTWEAR");
  f.SpButEdit->click();
  f.EditCode->setText("FW");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Category has been saved."});
  EXPECT_EQ(Parent("FOOTWEAR"), "0/FW");
}

TEST_P(Categories, ARenameReachesTheProductsButNotTheDepartments) {
  TForm1& f = Start();
  Show(f, "MENSWEAR");
  f.SpButEdit->click();
  f.EditName->setText("MENS");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Category has been saved."});
  EXPECT_EQ(Column("SELECT CATEGORY_NAME FROM PRODUCTS"), QStringList(2, "MENS"));
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND PARENT_NAME = 'MENSWEAR'"), "4");
  EXPECT_EQ(Parent("MENS"), "0/MW");
}

TEST_P(Categories, AnEmptyOrTakenNameIsRefusedAndWritesNothing) {
  TRacingForm& f = Start();
  const QStringList before = Written();
  f.SpButAdd->click();
  f.EditName->setText("   ");
  f.EditCode->setText("FW");
  f.SpButSave->click();
  f.EditName->setText("menswear");  // typed in capitals, so another's name
  f.SpButSave->click();
  EXPECT_EQ(messages, (QStringList{"Please enter a name", "Name already exists, please enter a unique name"}));
  EXPECT_EQ(Written(), before);
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.EditName->text(), "MENSWEAR");

  // An edit into another's name, or into no name, is refused alike.
  messages.clear();
  f.SpButCancel->click();
  Show(f, "LADIESWEAR");
  f.SpButEdit->click();
  f.EditName->setText(" MENSWEAR ");
  f.SpButSave->click();
  f.EditName->clear();
  f.SpButSave->click();
  EXPECT_EQ(messages, (QStringList{"Name already exists, please enter a unique name", "Please enter a name"}));
  EXPECT_EQ(Written(), before);
  EXPECT_EQ(f.Mode(), "Edit");

  // Another user saves the name after the window's own check: the check
  // under the save's lock refuses it.
  messages.clear();
  f.SpButCancel->click();
  auto other = Connect();
  f.afterChecks = [&] {
    other.db->Execute("INSERT INTO PARAMETERS (NAME, TYPE, PARENT_ID, PARENT_NAME) VALUES ('FOOTWEAR', 'CATEGORY', 0, 'F')");
  };
  f.SpButAdd->click();
  f.EditName->setText("FOOTWEAR");
  f.EditCode->setText("FW");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Name already exists, please enter a unique name"});
  EXPECT_EQ(Column("SELECT PARENT_NAME FROM PARAMETERS WHERE TYPE = 'CATEGORY' AND NAME = 'FOOTWEAR'"),
            QStringList{"F"});
  EXPECT_EQ(f.Mode(), "Add");
}

TEST_P(Categories, ThePrintedListShowsTheCodeInItsThirdColumn) {
  const kr::RenderedPage page = PrintedPage(Start(), "categories-print");
  const auto details = page.BandsOf(kr::BandType::Detail);
  ASSERT_EQ(details.size(), 4u);
  EXPECT_EQ(Printed(details[2], "QRLabelName"), "LADIESWEAR");
  EXPECT_EQ(Printed(details[2], "QRLabCode"), "LW");
  const auto header = page.BandsOf(kr::BandType::PageHeader).at(0);
  EXPECT_EQ(Printed(header, "QRLabelTitle"), "Categories");
  EXPECT_EQ(Printed(header, "QRLabelCaption2"), "Code/Reference");
}

KV_DB_ENGINES(Categories);

}  // namespace
