// The departments editor on both engines: the two lists, names unique within
// their category, the VAT rate, the rename into PRODUCTS, several at once,
// no work without a category, two programs adding one name at once, and the
// printed list.
#include "DepartmentsTestFixture.h"

#include <QComboBox>
#include <QLabel>
#include <QToolButton>

#include <chrono>
#include <thread>

#include "CodeListSaveClass.h"
#include "KvEdit.h"

namespace {

using namespace deptest;

class Departments : public DepartmentsDbTest {};

TEST_P(Departments, StartsOnTheFirstCategoryWithItsFirstDepartmentAndVATRate) {
  TForm1& f = Start();
  EXPECT_EQ(ListNames(f.ListBoxCat), (QStringList{"ACCESSORIES", "CHILDRENSWEAR", "LADIESWEAR", "MENSWEAR"}));
  EXPECT_EQ(f.CategoryName, "ACCESSORIES");
  EXPECT_EQ(ListNames(f.ListBoxDept), (QStringList{"BAGS", "BELTS", "SCARVES"}));
  EXPECT_EQ(f.EditName->text(), "BAGS");
  EXPECT_EQ(f.ComboBoxVAT->currentText(), "STANDARD");
  EXPECT_EQ(f.LabelVATRate->text(), "20.00");
  kvtest::SaveScreenshot(&f, "departments");

  SelectCategory(f, "CHILDRENSWEAR");
  EXPECT_EQ(ListNames(f.ListBoxDept), (QStringList{"BABYWEAR", "BOYSWEAR", "GIRLSWEAR"}));
  EXPECT_EQ(f.DepartmentID(), Id("DEPARTMENT", "BABYWEAR").toInt());
  EXPECT_EQ(f.ComboBoxVAT->currentText(), "ZERO RATED");
  EXPECT_EQ(f.LabelVATRate->text(), "0.00");

  // Two lists, the fields and the five buttons on a screen of 1024 pixels.
  ExpectFitsSmallScreen("departments-1024");
  f.SpButAdd->click();
  ExpectFitsSmallScreen("departments-1024-add");
}

TEST_P(Departments, NamesAreUniqueWithinTheirCategoryOnly) {
  TForm1& f = Start();
  SelectCategory(f, "LADIESWEAR");
  // A name another category has is free here.
  f.SpButAdd->click();
  f.EditName->setText("  SHIRTS ");
  f.ComboBoxVAT->setCurrentIndex(kui::IndexOfPickValue(f.ComboBoxVAT, Id("VAT", "REDUCED")));
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Department has been saved."});
  EXPECT_EQ(Column("SELECT PARENT_ID || '/' || PARENT_NAME || '/' || EXTRA FROM PARAMETERS WHERE TYPE = "
                   "'DEPARTMENT' AND NAME = 'SHIRTS' ORDER BY PARENT_NAME"),
            (QStringList{Id("CATEGORY", "LADIESWEAR") + "/LADIESWEAR/" + Id("VAT", "REDUCED"),
                         Id("CATEGORY", "MENSWEAR") + "/MENSWEAR/" + Id("VAT", "STANDARD")}));
  // The category stays chosen and shows its first department.
  EXPECT_EQ(f.CategoryName, "LADIESWEAR");
  EXPECT_EQ(f.EditName->text(), "DRESSES");
  EXPECT_EQ(f.Mode(), "View");

  // A second department of a name in the same category is refused.
  messages.clear();
  f.SpButAdd->click();
  f.EditName->setText("TOPS");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Name already exists, please enter a unique name"});
  EXPECT_EQ(DepartmentsOf("LADIESWEAR").count("TOPS"), 1);
  EXPECT_EQ(f.Mode(), "Add");

  // Its own name is no clash.
  messages.clear();
  f.SpButCancel->click();
  SelectDepartment(f, "TOPS");
  f.SpButEdit->click();
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Department has been saved."});
}

TEST_P(Departments, ANewDepartmentHasTheDefaultVATAndARenameReachesItsProducts) {
  TForm1& f = Start();
  SelectCategory(f, "LADIESWEAR");
  f.SpButAdd->click();
  EXPECT_EQ(f.ComboBoxVAT->currentText(), "STANDARD");
  EXPECT_EQ(f.LabelVATRate->text(), "");  // shown once the user picks a rate
  f.SpButCancel->click();

  const QString dresses = Id("DEPARTMENT", "DRESSES");
  SelectDepartment(f, "DRESSES");
  f.SpButEdit->click();
  f.EditName->setText("FROCKS");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Department has been saved."});
  EXPECT_EQ(Column("SELECT DISTINCT DEPARTMENT_NAME FROM PRODUCTS WHERE DEPARTMENT_ID = " + dresses),
            QStringList{"FROCKS"});
  // The sub-departments keep the name they were given.
  EXPECT_EQ(SubsOf(dresses), (QStringList{"MAXI/DM/DRESSES", "MIDI/DD/DRESSES", "MINI/DN/DRESSES"}));

  // A department whose VAT row is gone shows no rate and asks for one.
  messages.clear();
  Exec("UPDATE PARAMETERS SET EXTRA = '999' WHERE ID = " + dresses);
  SelectCategory(f, "MENSWEAR");
  SelectCategory(f, "LADIESWEAR");
  SelectDepartment(f, "FROCKS");
  EXPECT_EQ(f.ComboBoxVAT->currentIndex(), -1);
  EXPECT_EQ(f.LabelVATRate->text(), "");
  f.SpButEdit->click();
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Please select a VAT rate."});
}

TEST_P(Departments, AFailedProductsRenameIsReportedAndLeavesTheDepartmentAsItWas) {
  // A rule of the test's database: no two products may be called FROCKS, so
  // the rename of the three DRESSES products fails.
  Exec("CREATE UNIQUE INDEX TEST_ONE_FROCKS ON PRODUCTS (DEPARTMENT_NAME) WHERE DEPARTMENT_NAME = 'FROCKS'");
  TForm1& f = Start();
  const QString dresses = Id("DEPARTMENT", "DRESSES");
  const QString row = "SELECT NAME || '/' || EXTRA || '/' || PARENT_NAME FROM PARAMETERS WHERE ID = " + dresses;
  const QString before = Value(row);
  SelectCategory(f, "LADIESWEAR");
  SelectDepartment(f, "DRESSES");
  f.SpButEdit->click();
  f.EditName->setText("FROCKS");
  f.ComboBoxVAT->setCurrentIndex(kui::IndexOfPickValue(f.ComboBoxVAT, Id("VAT", "REDUCED")));
  f.SpButSave->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Error: Department has not been saved.\n\n")) << messages[0].toStdString();
  // The row's new name and rate went back with the failed rename.
  EXPECT_EQ(Value(row), before);
  EXPECT_EQ(Column("SELECT DISTINCT DEPARTMENT_NAME FROM PRODUCTS WHERE DEPARTMENT_ID = " + dresses),
            QStringList{"DRESSES"});
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(f.EditName->text(), "FROCKS");
  EXPECT_EQ(f.ComboBoxVAT->currentText(), "REDUCED");

  // With the rule gone the same input saves: nothing of the failed try was
  // taken as written.
  messages.clear();
  Exec("DROP INDEX TEST_ONE_FROCKS");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Department has been saved."});
  EXPECT_EQ(Value(row), "FROCKS/" + Id("VAT", "REDUCED") + "/LADIESWEAR");
  EXPECT_EQ(Column("SELECT DISTINCT DEPARTMENT_NAME FROM PRODUCTS WHERE DEPARTMENT_ID = " + dresses),
            QStringList{"FROCKS"});
}

TEST_P(Departments, AChangeAnotherProgramMadeMeanwhileIsKeptOrRefused) {
  TForm1& f = Start();
  auto other = Connect();
  const QString bags = Id("DEPARTMENT", "BAGS");
  f.SpButEdit->click();
  // The other program changes the VAT rate: this window's rename leaves it.
  other.db->Execute("UPDATE PARAMETERS SET EXTRA = " + Quote(Id("VAT", "ZERO RATED")) + " WHERE ID = " + bags);
  f.EditName->setText("HANDBAGS");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Department has been saved."});
  EXPECT_EQ(Value("SELECT NAME || '/' || EXTRA FROM PARAMETERS WHERE ID = " + bags),
            "HANDBAGS/" + Id("VAT", "ZERO RATED"));

  // The other program renames it: this window's rename is refused.
  messages.clear();
  SelectDepartment(f, "HANDBAGS");
  f.SpButEdit->click();
  other.db->Execute("UPDATE PARAMETERS SET NAME = 'BAGS' WHERE ID = " + bags);
  f.EditName->setText("CLUTCHES");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Name was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(Value("SELECT NAME FROM PARAMETERS WHERE ID = " + bags), "BAGS");
  EXPECT_EQ(f.Mode(), "Edit");
}

TEST_P(Departments, SeveralAtOnceTakeTheVATShownAndSkipNamesTheCategoryHas) {
  TForm1& f = Start();
  Exec("UPDATE PARAMETERS SET EXTRA = " + Quote(Id("VAT", "REDUCED")) + " WHERE TYPE = 'DEPARTMENT' AND NAME = 'DRESSES'");
  SelectCategory(f, "LADIESWEAR");
  ASSERT_EQ(f.ComboBoxVAT->currentText(), "REDUCED");
  multiAddText = "a, b\n\nA, 'dresses', shirts";
  multiAddShot = "departments-multiadd";
  f.SpButMultiAdd->click();
  EXPECT_EQ(multiAdds, 1);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(DepartmentsOf("LADIESWEAR"), (QStringList{"A", "B", "DRESSES", "KNITWEAR", "SHIRTS", "TOPS", "TROUSERS"}));
  EXPECT_EQ(Column("SELECT DISTINCT EXTRA || '/' || PARENT_NAME FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME IN "
                   "('A', 'B') OR (TYPE = 'DEPARTMENT' AND NAME = 'SHIRTS' AND PARENT_NAME = 'LADIESWEAR')"),
            QStringList{Id("VAT", "REDUCED") + "/LADIESWEAR"});
  EXPECT_EQ(ListNames(f.ListBoxDept), DepartmentsOf("LADIESWEAR"));
  EXPECT_EQ(f.EditName->text(), "A");

  // A category without departments takes the default rate.
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, PARENT_ID, PARENT_NAME) VALUES ('FOOTWEAR', 'CATEGORY', 0, 'FW')");
  f.SpButCancelClick();  // the lists again, FOOTWEAR among them
  SelectCategory(f, "FOOTWEAR");
  ASSERT_EQ(f.ListBoxDept->count(), 0);
  multiAddText = "boots";
  f.SpButMultiAdd->click();
  EXPECT_EQ(Value("SELECT EXTRA FROM PARAMETERS WHERE TYPE = 'DEPARTMENT' AND NAME = 'BOOTS'"), Id("VAT", "STANDARD"));

  // Without a default rate and no department shown there is no rate to
  // give: refused before the dialog opens.
  Exec("UPDATE PARAMETERS SET PARENT_ID = 0 WHERE TYPE = 'VAT'");
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, PARENT_ID, PARENT_NAME) VALUES ('HOMEWARE', 'CATEGORY', 0, 'HW')");
  f.SpButCancelClick();
  SelectCategory(f, "HOMEWARE");
  multiAdds = 0;
  f.SpButMultiAdd->click();
  EXPECT_EQ(multiAdds, 0);
  EXPECT_EQ(messages, QStringList{TForm1::kNoVATForMultiAdd});
  EXPECT_TRUE(DepartmentsOf("HOMEWARE").isEmpty());
}

TEST_P(Departments, NothingIsAddedWithoutACategoryNorWhileEditing) {
  TForm1& f = Start();
  // While a department is edited, several at once and the copy would throw
  // the typing away: they are not offered.
  f.SpButEdit->click();
  EXPECT_FALSE(f.SpButMultiAdd->isEnabled());
  EXPECT_FALSE(f.SpButParamCopy->isEnabled());
  f.SpButCancel->click();
  EXPECT_TRUE(f.SpButMultiAdd->isEnabled() && f.SpButParamCopy->isEnabled() && f.SpButAdd->isEnabled());

  form.reset();
  Exec("UPDATE PARAMETERS SET TYPE = 'OLD CATEGORY' WHERE TYPE = 'CATEGORY'");
  TForm1& empty = Start();
  EXPECT_EQ(empty.ListBoxCat->count(), 0);
  EXPECT_EQ(empty.ListBoxDept->count(), 0);
  EXPECT_TRUE(empty.CategoryID.isEmpty());
  EXPECT_FALSE(empty.SpButAdd->isEnabled());
  EXPECT_FALSE(empty.SpButMultiAdd->isEnabled());
  EXPECT_FALSE(empty.SpButParamCopy->isEnabled());
  empty.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a department."});
}

TEST_P(Departments, TwoProgramsAddingOneNameAtOnceSaveItOnce) {
  TForm1& f = Start();
  SelectCategory(f, "LADIESWEAR");
  const QString ladies = Id("CATEGORY", "LADIESWEAR");
  // The other program is in the middle of its save of JUMPSUITS (and later
  // of PLAYSUITS): it holds the list's lock, and commits a moment later.
  auto other = Connect();
  const auto othersSave = [&](const QString& name) {
    other.db->StartTransaction();
    TCodeListSaveClass::LockTable(*other.db, "PARAMETERS");
    other.db->Execute("INSERT INTO PARAMETERS (NAME, TYPE, PARENT_ID, PARENT_NAME) VALUES (" + Quote(name) +
                      ", 'DEPARTMENT', " + ladies + ", 'LADIESWEAR')");
    return std::thread([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      other.db->Commit();
    });
  };

  f.SpButAdd->click();
  f.EditName->setText("JUMPSUITS");
  std::thread commit = othersSave("JUMPSUITS");
  f.SpButSave->click();  // its check before the save cannot see the other's row yet
  commit.join();
  EXPECT_EQ(messages, QStringList{"Name already exists, please enter a unique name"});
  EXPECT_EQ(DepartmentsOf("LADIESWEAR").count("JUMPSUITS"), 1);
  EXPECT_EQ(f.Mode(), "Add");
  f.SpButCancel->click();

  messages.clear();
  multiAddText = "playsuits, culottes";
  commit = othersSave("PLAYSUITS");
  f.SpButMultiAdd->click();
  commit.join();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(DepartmentsOf("LADIESWEAR").count("PLAYSUITS"), 1);
  EXPECT_EQ(DepartmentsOf("LADIESWEAR").count("CULOTTES"), 1);
}

TEST_P(Departments, ThePrintedListGoesByCategoryThenDepartment) {
  const kr::RenderedPage page = PrintedPage(Start(), "departments-print");
  const auto details = page.BandsOf(kr::BandType::Detail);
  ASSERT_EQ(details.size(), 14u);
  EXPECT_EQ(Printed(details[0], "QRLabelName"), "ACCESSORIES");
  EXPECT_EQ(Printed(details[0], "QRLabelDepartmentName"), "BAGS");
  EXPECT_EQ(Printed(details[13], "QRLabelName"), "MENSWEAR");
  EXPECT_EQ(Printed(details[13], "QRLabelDepartmentName"), "SHIRTS");
  EXPECT_EQ(Printed(details[13], "QRLabelID"), Id("DEPARTMENT", "SHIRTS"));
  const auto header = page.BandsOf(kr::BandType::PageHeader).at(0);
  EXPECT_EQ(Printed(header, "QRLabelTitle"), "Departments");
  EXPECT_EQ(Printed(header, "QRLabelCaption1"), "CATEGORY:");
}

KV_DB_ENGINES(Departments);

}  // namespace
