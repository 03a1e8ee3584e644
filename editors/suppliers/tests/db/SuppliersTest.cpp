// The suppliers editor on both engines: a supplier with its three address
// rows shown, added and edited in one transaction, its name carried into
// PRODUCTS, the mark-up and lead-time boxes, the printed list, and two
// programs saving at once.
#include "CodeListTestFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSet>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <vector>

#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "SchemaClass.h"
#include "SuppliersForm.h"

namespace {

using kdb::sql::Quote;

using TRacingForm = edtest::Racing<TForm1>;

QString IdOf(kdb::Database& db, const QString& supplier) {
  return kvtest::Column(db, "SELECT ID FROM PARAMETERS WHERE TYPE = 'SUPPLIER' AND NAME = " + Quote(supplier)).value(0);
}

// Two products of Ashworth Knitwear and one of Solent Denim, with the
// suppliers' ids and name copies.
void AddProducts(kdb::Database& db) {
  const auto add = [&](const QString& plu, const QString& supplier) {
    db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, SUPPLIER_ID, SUPPLIER_NAME) VALUES (" + Quote(plu.left(8)) +
               ", " + Quote(plu) + ", " + IdOf(db, supplier) + ", " + Quote(supplier) + ")");
  };
  add("0000010000", "ASHWORTH KNITWEAR");
  add("0000010001", "ASHWORTH KNITWEAR");
  add("0000020000", "SOLENT DENIM");
}

class Suppliers : public edtest::CodeListDbTest<TRacingForm> {
 protected:
  void SetUp() override {
    CodeListDbTest::SetUp();
    Prepare("suppliers", AddProducts);
  }

  QString SupplierId(const QString& name) { return IdOf(db(), name); }
  // A column of the supplier's address row of a TYPE.
  QString Address(const QString& supplier, const QString& type, const QString& column) {
    return Value("SELECT " + column + " FROM ADDRESSES WHERE PARENT_ID = " + SupplierId(supplier) +
                 " AND TYPE = " + Quote(type));
  }
  QStringList AddressIds(const QString& supplier) {
    return Column("SELECT ID FROM ADDRESSES WHERE PARENT_ID = " + SupplierId(supplier) + " ORDER BY ID");
  }
  QStringList ProductSuppliers() { return Column("SELECT SUPPLIER_NAME FROM PRODUCTS ORDER BY PLU"); }
  void Select(TForm1& f, const QString& supplier) { f.SelectEntry(f.FindListIndex(supplier)); }
  static void Type(QWidget* box, const QString& text) {
    if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->clear();
    QTest::keyClicks(box, text);
  }
};

TEST_P(Suppliers, StartShowsTheFirstSupplierWithItsThreeRowsOnFourPages) {
  TForm1& f = Start();
  EXPECT_EQ(ListNames(f.ListBoxParam),
            (QStringList{"ASHWORTH KNITWEAR", "PENNINE CLOTHING CO", "SOLENT DENIM", "WILLOW AND WREN"}));
  EXPECT_EQ(f.PanelTop->text(), "Suppliers");
  EXPECT_EQ(f.PanelAction->text(), "View");
  EXPECT_EQ(f.PanelID->text(), SupplierId("ASHWORTH KNITWEAR"));
  EXPECT_EQ(f.EditHouseNoName->text(), "UNIT 4");
  EXPECT_EQ(f.EditPostcode->text(), "LE1 6FB");
  EXPECT_EQ(f.EditMarkup->text(), "2.40");
  EXPECT_EQ(f.EditLeadTime->text(), "42");
  EXPECT_EQ(f.MemoTerms->toPlainText(), "30 DAYS NET");
  EXPECT_EQ(f.EditAgentFirstName->text(), "SARAH");
  EXPECT_EQ(f.EditRetHouseNo->text(), "UNIT 9");
  EXPECT_FALSE(f.CheckBoxAllowPayments->isChecked());
  // Longer than its box takes by typing, shown whole all the same.
  EXPECT_EQ(f.EditRetEmail->text(), "RETURNS@ASHWORTH-KNITWEAR.CO.UK");
  EXPECT_TRUE(f.EditStreet->isReadOnly() && f.MemoTerms->isReadOnly());
  EXPECT_FALSE(f.CheckBoxAllowPayments->isEnabled());
  EXPECT_EQ(f.ShownPage(), f.TabSheetAddressDetails);
  kvtest::SaveScreenshot(&f, "Suppliers");

  // The panels under the pages pick a page in View too.
  f.PanelSupTerms->click();
  EXPECT_EQ(f.ShownPage(), f.TabSheetTerms);
  kvtest::SaveScreenshot(&f, "SuppliersTerms");
  f.PanelSupAgent->click();
  EXPECT_EQ(f.ShownPage(), f.TabSheetAgentDetails);
  f.PanelSupRetAddress->click();
  EXPECT_EQ(f.ShownPage(), f.TabSheetRetAddress);
  Select(f, "PENNINE CLOTHING CO");
  EXPECT_TRUE(f.CheckBoxAllowPayments->isChecked());
  EXPECT_EQ(f.EditAgentFax->text(), "0161 496 0458");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  ExpectFitsSmallScreen("Suppliers-1024");
  f.SpButEdit->click();
  f.PanelSupTerms->click();
  ExpectFitsSmallScreen("Suppliers-1024-edit");
}

TEST_P(Suppliers, ANewSupplierIsSavedWithItsThreeAddressRows) {
  TForm1& f = Start();
  f.PanelSupTerms->click();
  f.SpButAdd->click();
  EXPECT_EQ(f.PanelAction->text(), "Add");
  EXPECT_EQ(f.ShownPage(), f.TabSheetAddressDetails);
  EXPECT_TRUE(f.CheckBoxAllowPayments->isChecked());  // allowed unless cleared
  EXPECT_TRUE(f.EditStreet->text().isEmpty() && f.EditMarkup->text().isEmpty());
  EXPECT_FALSE(f.EditStreet->isReadOnly());

  f.EditName->setText("  harbour mills ");
  Type(f.EditStreet, "mill lane");
  Type(f.EditPostcode, "HX1 1AA");
  Type(f.EditAgentSurname, "Jones");
  Type(f.MemoTerms, "Net 30 days");
  Type(f.EditRetTownCity, "Halifax");
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.GetSelectedName(), "HARBOUR MILLS ");  // leading blanks cut, trailing kept

  const QString id = SupplierId("HARBOUR MILLS ");
  ASSERT_FALSE(id.isEmpty());
  EXPECT_EQ(Value("SELECT RATE FROM PARAMETERS WHERE ID = " + id), "1");
  EXPECT_EQ(Column("SELECT TYPE FROM ADDRESSES WHERE PARENT_ID = " + id + " ORDER BY ID"),
            (QStringList{"SUPPLIER", "SUPPLIER AGENT", "SUPPLIER RETURN"}));
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER", "STREET"), "MILL LANE");
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER", "TERMS"), "Net 30 days");  // the memo keeps its case
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER", "LEADTIME"), "0");         // empty lead time
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER", "MARKUP"), "");  // none
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER AGENT", "AGENT_SURNAME"), "JONES");
  EXPECT_EQ(Address("HARBOUR MILLS ", "SUPPLIER RETURN", "TOWN_CITY"), "HALIFAX");
  // Shown again as saved.
  EXPECT_EQ(f.EditStreet->text(), "MILL LANE");
  EXPECT_EQ(f.EditMarkup->text(), "0.00");
  EXPECT_EQ(ProductSuppliers(), (QStringList{"ASHWORTH KNITWEAR", "ASHWORTH KNITWEAR", "SOLENT DENIM"}));
}

TEST_P(Suppliers, AnEditFindsAndUpdatesEachAddressRowInPlace) {
  TForm1& f = Start();
  const QStringList rows = AddressIds("PENNINE CLOTHING CO");
  Select(f, "PENNINE CLOTHING CO");
  f.SpButEdit->click();
  EXPECT_EQ(f.PanelAction->text(), "Edit");
  Type(f.EditTel, "0161 000 0001");
  Type(f.EditAgentFax, "0161 000 0002");
  Type(f.EditRetPostcode, "M4 7AA");
  f.CheckBoxAllowPayments->setChecked(false);
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(AddressIds("PENNINE CLOTHING CO"), rows);
  EXPECT_EQ(Address("PENNINE CLOTHING CO", "SUPPLIER", "TELEPHONE"), "0161 000 0001");
  EXPECT_EQ(Address("PENNINE CLOTHING CO", "SUPPLIER AGENT", "AGENT_FAX"), "0161 000 0002");
  EXPECT_EQ(Address("PENNINE CLOTHING CO", "SUPPLIER RETURN", "POSTCODE"), "M4 7AA");
  EXPECT_EQ(Value("SELECT RATE FROM PARAMETERS WHERE ID = " + SupplierId("PENNINE CLOTHING CO")), "0");
  // What the user did not touch stays as stored: the e-mail shown in
  // capitals, the mark-up shown as 2.20.
  EXPECT_EQ(Address("PENNINE CLOTHING CO", "SUPPLIER", "EMAIL"), "orders@pennineclothing.co.uk");
  EXPECT_EQ(Address("PENNINE CLOTHING CO", "SUPPLIER", "MARKUP"), "2.2");
}

TEST_P(Suppliers, ASupplierWithoutAddressRowsGetsThemOnItsNextSave) {
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('BARE GOODS', 'SUPPLIER', 1)");
  TForm1& f = Start();
  Select(f, "BARE GOODS");
  EXPECT_EQ(f.EditMarkup->text(), "0.00");  // no row: the mark-up shows 0.00
  EXPECT_TRUE(f.EditStreet->text().isEmpty());
  f.SpButEdit->click();
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  const QStringList rows = AddressIds("BARE GOODS");
  EXPECT_EQ(rows.size(), 3);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM ADDRESSES WHERE PARENT_ID = " + SupplierId("BARE GOODS") +
                  " AND TYPE = 'SUPPLIER' AND MARKUP IS NULL AND STREET IS NULL"),
            "1");

  f.SpButEdit->click();
  Type(f.EditStreet, "NEW ROAD");
  f.SpButSave->click();
  EXPECT_EQ(AddressIds("BARE GOODS"), rows);
  EXPECT_EQ(Address("BARE GOODS", "SUPPLIER", "STREET"), "NEW ROAD");
}

TEST_P(Suppliers, ARenameReachesTheSuppliersProductsOnly) {
  TForm1& f = Start();
  Select(f, "ASHWORTH KNITWEAR");
  f.SpButEdit->click();
  EXPECT_EQ(f.EditName->selectedText(), "ASHWORTH KNITWEAR");
  f.EditName->setText("ASHWORTH KNITS");
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(ProductSuppliers(), (QStringList{"ASHWORTH KNITS", "ASHWORTH KNITS", "SOLENT DENIM"}));
  EXPECT_EQ(f.GetSelectedName(), "ASHWORTH KNITS");

  // Saving a supplier under its own name passes the check.
  Select(f, "SOLENT DENIM");
  f.SpButEdit->click();
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(f.Mode(), "View");
}

TEST_P(Suppliers, TheNameIsNeededAndMustBeTheSuppliersOwn) {
  TForm1& f = Start();
  f.SpButAdd->click();
  f.EditName->setText("   ");
  f.SpButSave->click();
  f.EditName->setText("SOLENT DENIM");
  f.SpButSave->click();
  EXPECT_EQ(messages, (QStringList{"Please enter name!", "There is already a Supplier with the same name!"}));
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'SUPPLIER'"), "4");
}

TEST_P(Suppliers, TheMarkUpTakesOnePointAndIsANumberBeforeAnythingIsWritten) {
  TForm1& f = Start();
  Select(f, "SOLENT DENIM");
  f.SpButEdit->click();
  f.PanelSupTerms->click();
  Type(f.EditMarkup, "12.5.3");
  EXPECT_EQ(boxes, QStringList{"Markup can only have one decimal point."});
  EXPECT_EQ(f.EditMarkup->text(), "12.53");
  f.EditMarkup->setText("1ab2");  // as a paste leaves it
  EXPECT_EQ(f.EditMarkup->text(), "12");
  EXPECT_EQ(boxes.size(), 1);

  // Neither a lone point nor a full-length text the filter left alone is
  // written, nor anything else of the supplier.
  const QString before = Address("SOLENT DENIM", "SUPPLIER", "MARKUP");
  f.PanelSupAddress->click();
  Type(f.EditStreet, "DOCK ROAD");
  for (const QString& text : {QString("."), QString(29, '1') + "A"}) {
    f.EditMarkup->setText(text);
    EXPECT_EQ(f.EditMarkup->text(), text);
    f.PanelSupAddress->click();
    f.SpButSave->click();
    EXPECT_EQ(f.ShownPage(), f.TabSheetTerms);
  }
  EXPECT_EQ(messages, QStringList(2, "Please enter the mark up as a number!"));
  EXPECT_EQ(f.Mode(), "Edit");
  EXPECT_EQ(Address("SOLENT DENIM", "SUPPLIER", "MARKUP"), before);
  EXPECT_EQ(Address("SOLENT DENIM", "SUPPLIER", "STREET"), "OCEAN VILLAGE");

  f.EditMarkup->setText("3.5");
  f.SpButSave->click();
  EXPECT_EQ(messages.size(), 2);
  EXPECT_EQ(Address("SOLENT DENIM", "SUPPLIER", "MARKUP"), "3.5");
  EXPECT_EQ(Address("SOLENT DENIM", "SUPPLIER", "STREET"), "DOCK ROAD");
}

TEST_P(Suppliers, TheLeadTimeTakesEightDigitsAndNothingElse) {
  TForm1& f = Start();
  Select(f, "WILLOW AND WREN");
  f.SpButEdit->click();
  f.PanelSupTerms->click();
  Type(f.EditLeadTime, "4a2-.7 ");
  EXPECT_EQ(f.EditLeadTime->text(), "427");
  QTest::keyClick(f.EditLeadTime, Qt::Key_Backspace);
  EXPECT_EQ(f.EditLeadTime->text(), "42");
  Type(f.EditLeadTime, "1234567890");
  EXPECT_EQ(f.EditLeadTime->text(), "12345678");
  f.SpButSave->click();
  EXPECT_EQ(Address("WILLOW AND WREN", "SUPPLIER", "LEADTIME"), "12345678");
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(Suppliers, EveryTextBoxHoldsNoMoreThanItsColumn) {
  TForm1& f = Start();
  f.SpButAdd->click();  // a new supplier: each box at the length it takes by typing
  struct Box {
    QWidget* box;
    const char* table;
    const char* column;
  };
  const std::vector<Box> fields{
      {f.EditName, "PARAMETERS", "NAME"},
      {f.EditHouseNoName, "ADDRESSES", "HOUSE_NO_NAME"}, {f.EditStreet, "ADDRESSES", "STREET"},
      {f.EditArea, "ADDRESSES", "AREA"}, {f.EditTownCity, "ADDRESSES", "TOWN_CITY"},
      {f.EditCounty, "ADDRESSES", "COUNTY"}, {f.EditPostcode, "ADDRESSES", "POSTCODE"},
      {f.EditTel, "ADDRESSES", "TELEPHONE"}, {f.EditFax, "ADDRESSES", "FAX"},
      {f.EditEmail, "ADDRESSES", "EMAIL"}, {f.EditWebsite, "ADDRESSES", "WEBSITE"},
      {f.EditAgentFirstName, "ADDRESSES", "AGENT_FIRST_NAME"}, {f.EditAgentSurname, "ADDRESSES", "AGENT_SURNAME"},
      {f.EditAgentTelephone, "ADDRESSES", "AGENT_TELEPHONE"}, {f.EditAgentFax, "ADDRESSES", "AGENT_FAX"},
      {f.EditAgentEmail, "ADDRESSES", "AGENT_EMAIL"},
      {f.EditMarkup, "ADDRESSES", "MARKUP"}, {f.EditLeadTime, "ADDRESSES", "LEADTIME"},
      {f.MemoTerms, "ADDRESSES", "TERMS"},
      {f.EditRetHouseNo, "ADDRESSES", "HOUSE_NO_NAME"}, {f.EditRetStreet, "ADDRESSES", "STREET"},
      {f.EditRetArea, "ADDRESSES", "AREA"}, {f.EditRetTownCity, "ADDRESSES", "TOWN_CITY"},
      {f.EditRetCounty, "ADDRESSES", "COUNTY"}, {f.EditRetPostcode, "ADDRESSES", "POSTCODE"},
      {f.EditRetTel, "ADDRESSES", "TELEPHONE"}, {f.EditRetFax, "ADDRESSES", "FAX"},
      {f.EditRetEmail, "ADDRESSES", "EMAIL"}, {f.EditRetWebsite, "ADDRESSES", "WEBSITE"}};
  // A box added to the window later is not left out of the check.
  QSet<QWidget*> listed;
  for (const Box& b : fields) listed.insert(b.box);
  for (kui::KvEdit* edit : f.findChildren<kui::KvEdit*>())
    EXPECT_TRUE(listed.contains(edit)) << edit->objectName().toStdString();

  for (const Box& b : fields) {
    const std::string where = std::string(b.table) + "." + b.column;
    const kvschema::TableDef* table = kvschema::FindTable(b.table);
    ASSERT_NE(table, nullptr) << where;
    const kvschema::ColumnDef* column = table->Find(b.column);
    ASSERT_NE(column, nullptr) << where;
    auto* edit = qobject_cast<kui::KvEdit*>(b.box);
    if (!edit) {  // the terms memo: as long as the column, which has no width
      EXPECT_EQ(column->kind, kvschema::Kind::Text) << where;
      EXPECT_EQ(column->length, 0) << where;
      continue;
    }
    if (column->kind == kvschema::Kind::Integer) {
      // Digits only: the longest number typed fits the column's 32 bits.
      EXPECT_GT(edit->MaxLength(), 0) << where;
      EXPECT_LE(edit->MaxLength(), 9) << where;
      continue;
    }
    if (column->kind != kvschema::Kind::Text) {
      EXPECT_EQ(column->kind, kvschema::Kind::Float) << where;  // the mark-up, checked as a number
      continue;
    }
    ASSERT_GT(column->length, 0) << where;
    EXPECT_GT(edit->MaxLength(), 0) << where;
    EXPECT_LE(edit->MaxLength(), column->length) << where;
    // Typing on past the column's width stops at the box's length.
    Type(edit, QString(column->length + 5, 'W'));
    EXPECT_EQ(edit->text().size(), edit->MaxLength()) << where;
  }
}

TEST_P(Suppliers, TheSupplierAndItsRowsAreWrittenTogetherOrNotAtAll) {
  // A rule of the test's database refuses the returns row of the new supplier.
  Exec("DELETE FROM ADDRESSES");
  Exec("CREATE UNIQUE INDEX TEST_ONE_POSTCODE ON ADDRESSES (PARENT_ID, POSTCODE)");
  TForm1& f = Start();
  f.SpButAdd->click();
  f.EditName->setText("HALF DONE");
  Type(f.EditPostcode, "YO1 7HH");
  Type(f.EditRetPostcode, "YO1 7HH");
  f.SpButSave->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Error: Supplier has not been saved.")) << messages[0].toStdString();
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'HALF DONE'"), "0");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM ADDRESSES WHERE POSTCODE = 'YO1 7HH'"), "0");
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.EditRetPostcode->text(), "YO1 7HH");

  Type(f.EditRetPostcode, "YO1 8JJ");
  f.SpButSave->click();
  EXPECT_EQ(messages.size(), 1);
  EXPECT_EQ(AddressIds("HALF DONE").size(), 3);
}

TEST_P(Suppliers, AnEditOfASupplierAnotherUserRemovedWritesNothing) {
  TForm1& f = Start();
  auto other = Connect();
  const QString solent = SupplierId("SOLENT DENIM");
  Select(f, "SOLENT DENIM");
  f.SpButEdit->click();
  other.db->Execute("DELETE FROM PARAMETERS WHERE ID = " + solent);
  f.EditName->setText("SOLENT JEANS");
  Type(f.EditStreet, "NEW QUAY");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"The supplier could not be found; another user may have removed it. "
                                  "Nothing has been saved."});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'SUPPLIER'"), "3");
  EXPECT_EQ(Value("SELECT STREET FROM ADDRESSES WHERE TYPE = 'SUPPLIER' AND PARENT_ID = " + solent), "OCEAN VILLAGE");
  EXPECT_EQ(f.Mode(), "Edit");
}

TEST_P(Suppliers, AChangeAnotherUserMadeMeanwhileIsNeverOverwrittenUnseen) {
  TForm1& f = Start();
  auto other = Connect();
  const QString id = SupplierId("ASHWORTH KNITWEAR");
  const auto otherSets = [&](const QString& type, const QString& set) {
    other.db->Execute("UPDATE ADDRESSES SET " + set + " WHERE PARENT_ID = " + id + " AND TYPE = " + Quote(type));
  };

  Select(f, "ASHWORTH KNITWEAR");
  f.SpButEdit->click();
  otherSets("SUPPLIER AGENT", "AGENT_TELEPHONE = '07700 900999'");
  Type(f.EditAgentTelephone, "07700 900555");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"Agent Telephone was changed by another user since it was loaded. "
                                  "Please reload and make your change again."});
  EXPECT_EQ(Address("ASHWORTH KNITWEAR", "SUPPLIER AGENT", "AGENT_TELEPHONE"), "07700 900999");
  EXPECT_EQ(f.Mode(), "Edit");

  // Reloaded: another field is changed meanwhile, by the other user and
  // under another name too; both stay, and the products take the row's name.
  messages.clear();
  f.SpButCancel->click();
  f.SpButEdit->click();
  otherSets("SUPPLIER RETURN", "FAX = '0116 000 0000'");
  other.db->Execute("UPDATE PARAMETERS SET NAME = 'ASHWORTH LTD' WHERE ID = " + id);
  Type(f.EditStreet, "GRANBY ROAD");
  f.SpButSave->click();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(Address("ASHWORTH LTD", "SUPPLIER", "STREET"), "GRANBY ROAD");
  EXPECT_EQ(Address("ASHWORTH LTD", "SUPPLIER RETURN", "FAX"), "0116 000 0000");
  EXPECT_EQ(ProductSuppliers(), (QStringList{"ASHWORTH LTD", "ASHWORTH LTD", "SOLENT DENIM"}));
}

TEST_P(Suppliers, TheNameIsCheckedAgainUnderTheSavesLock) {
  TRacingForm& f = Start();
  auto other = Connect();
  f.afterChecks = [&] {
    other.db->Execute("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('RACE', 'SUPPLIER', 0)");
  };
  f.SpButAdd->click();
  f.EditName->setText("RACE");
  Type(f.EditStreet, "FIRST STREET");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"There is already a Supplier with the same name!"});
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'RACE'"), "1");
  EXPECT_EQ(Value("SELECT COUNT(*) FROM ADDRESSES WHERE STREET = 'FIRST STREET'"), "0");
  EXPECT_EQ(f.Mode(), "Add");
}

TEST_P(Suppliers, ThePrintedListShowsEachSupplierWithItsMainAndAgentRows) {
  Exec("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('BARE GOODS', 'SUPPLIER', 1)");
  // A name as long as the box takes.
  Exec("UPDATE PARAMETERS SET NAME = 'WILLOW AND WREN CLOTHING CO LT' WHERE NAME = 'WILLOW AND WREN'");
  TForm1& f = Start();
  previewShot = "SuppliersPrint";
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_TRUE(messages.isEmpty());

  std::unique_ptr<TQuickReport1> print = f.PreparePrint();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Orientation, QPageLayout::Landscape);
  for (const char* label : {"QRLabelID", "QRLabelAddress", "QRLabelLeadTime"})
    EXPECT_LE(print->ColumnLabel(label)->Geometry().right(), print->BandWidth()) << label;
  // A supplier without rows prints its id and name only.
  EXPECT_EQ(f.StringGrid1->Cell(1, 0), "ASHWORTH KNITWEAR");
  EXPECT_EQ(f.StringGrid1->Cell(1, 1), "BARE GOODS");
  for (int c = 2; c < 10; ++c) EXPECT_TRUE(f.StringGrid1->Cell(c, 1).isEmpty()) << c;
  // Parts left empty are not printed as double blanks.
  EXPECT_EQ(f.StringGrid1->Cell(2, 3), "2 OCEAN WAY OCEAN VILLAGE SOUTHAMPTON HAMPSHIRE");

  const QString pdf = kvtest::FreshFolder("print") + "suppliers.pdf";
  ASSERT_TRUE(print->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  for (const char* expected : {"Suppliers", "ASHWORTH KNITWEAR", "UNIT 4 GRANBY STREET", "LE1 6FB", "0116 496 0123",
                               "SARAH HOLT", "07700 900111", "2.4", "42", "LEAD TIME:", "AGENT TEL.:"})
    EXPECT_TRUE(text.contains(expected)) << expected;
  EXPECT_FALSE(text.contains("2.40"));  // the mark-up in its plain form
  const kr::RenderedPage page = print->QuickRep1.RenderPages()[0];
  EXPECT_EQ(page.BandsOf(kr::BandType::Detail).size(), 5u);  // one line a supplier
  // Ten columns across the page: every caption and every value printed whole.
  for (const kr::RenderedBand* band : page.BandsOf(kr::BandType::PageHeader))
    for (const kr::RenderedText* t : band->Texts()) EXPECT_FALSE(t->clipped) << t->text.toStdString();
  for (const kr::RenderedBand* band : page.BandsOf(kr::BandType::Detail))
    for (const kr::RenderedText* t : band->Texts()) EXPECT_FALSE(t->clipped) << t->text.toStdString();
}

TEST_P(Suppliers, EditWithoutASupplierAsksForOneAndEscapeEndsTheProgram) {
  Exec("DELETE FROM ADDRESSES");
  Exec("UPDATE PRODUCTS SET SUPPLIER_ID = NULL");
  Exec("DELETE FROM PARAMETERS WHERE TYPE = 'SUPPLIER'");
  TForm1& f = Start();
  EXPECT_EQ(f.ListBoxParam->count(), 0);
  EXPECT_TRUE(f.PanelID->text().isEmpty());
  f.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a supplier."});
  f.SpButSave->click();  // nothing in View
  f.SpButCancel->click();
  EXPECT_EQ(messages.size(), 1);
  f.activateWindow();
  f.EditStreet->setFocus();
  QTest::keyClick(f.EditStreet, Qt::Key_Escape);
  EXPECT_FALSE(f.isVisible());
}

KV_DB_ENGINES(Suppliers);

}  // namespace
