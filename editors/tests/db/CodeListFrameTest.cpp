// The code-list frame on both engines, through a small editor of the brand
// list of the test's own, in either way of keeping its record: start-up,
// modes, reselection after Save and Cancel, the save in one transaction with
// the rename into PRODUCTS, and the printed list.
#include "../CodeListTestFixture.h"

#include <QFile>
#include <QLabel>
#include <QToolButton>

#include "CodeListFrameForm.h"
#include "CodeListSaveClass.h"
#include "DataModF.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "LoadingForm.h"
#include "ProductsRenameClass.h"

namespace {

using kdb::sql::Quote;
using Keeping = TCodeListModeClass::Keeping;

// The text of the wait window on screen, "" when none shows.
QString WaitText() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<TFormLoading*>(w); f && f->isVisible()) return f->PanelMsg->text();
  return {};
}

class TTestList : public TCodeListFrameForm {
 public:
  bool failRename = false;
  QStringList waitTexts;  // the wait window while the products were renamed
  QListWidget* ListBoxGroups = nullptr;  // a second list, as the departments editor has one

  explicit TTestList(Keeping keeping) : TCodeListFrameForm(keeping) {
    SetTitle("Brand Names");
    SetListCaption("Brand Names");
    AddField(AddShape(), "Name:", EditName);
    ListBoxGroups = AddListBefore("Groups", "ListBoxGroups");
    ListBoxGroups->addItem("ALL");
  }

 protected:
  QString ListSQL() const override {
    return "SELECT ID, NAME FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' ORDER BY NAME";
  }
  QString RecordTable() const override { return "PARAMETERS"; }
  void LoadRecord() override {
    kdb::Query* q = DMDB->DBQueryRemote1;
    if (!DMDB->RunQuery("SELECT NAME FROM PARAMETERS WHERE ID = " + kdb::sql::Int(CurrentID()), q))
      throw kdb::DbError("brand not read");
    Baseline.Set("NAME", q->FieldByName("NAME").Value());
    Baseline.SetCaption("NAME", "Name");
  }
  QString SelectRecordMessage() const override { return "Please select a brand"; }
  bool ValidateRecord() override {
    EditName->setText(EditName->text().trimmed());
    return !EditName->text().isEmpty() || Refuse("Please enter a name", EditName);
  }
  void CheckInSave(kdb::Database&) override {
    if (TCodeListSaveClass::Exists(*DMDB->DBQueryRemote1,
                                   "SELECT ID FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' AND NAME = " +
                                       Quote(EditName->text()) + " AND ID <> " + QString::number(CurrentIntID())))
      throw TCodeListRefusal("Name already exists, please enter a unique name", EditName);
  }
  qint64 d_WriteRecord(kdb::Database&) override {
    kdb::EditBaseline::Values values{{"NAME", EditName->text()}};
    if (ModeState().Adding()) values.emplace_back("TYPE", "BRANDLABEL");
    return TCodeListSaveClass::WriteRow(*DMDB->DBTableR1, "PARAMETERS", ModeState().Adding() ? 0 : CurrentIntID(),
                                        Baseline, values, "The brand is gone.");
  }
  void d_RenameProducts(kdb::Database&, qint64 id) override {
    waitTexts << WaitText();
    kdb::Query& q = *DMDB->DBQueryRemote2;
    TProductsRenameClass::Run(q, TProductsRenameClass::CopyStatement("BRANDLABEL_ID", QString::number(id),
                                                                     {{"BRANDLABEL_NAME", EditName->text()}}));
    if (failRename) TProductsRenameClass::Run(q, "UPDATE PRODUCTS SET NO_SUCH_COLUMN = 1");
  }
  QString SavedMessage() const override { return "Brand has been saved."; }
  QString SaveFailedMessage() const override { return "Error: Brand has not been saved."; }
  bool FillPrintGrid() override {
    kdb::Query* q = DMDB->DBQueryRemote1;
    if (!DMDB->RunQuery(ListSQL(), q)) return false;
    StringGrid1->SetColCount(2);
    StringGrid1->SetRowCount(q->RecordCount());
    int row = 0;
    for (q->First(); !q->Eof(); q->Next(), ++row)
      StringGrid1->SetRowTexts(row, {q->FieldByName("ID").AsString(), q->FieldByName("NAME").AsString()});
    return true;
  }
  std::unique_ptr<TQuickReport1> CreatePrintForm() override {
    return std::make_unique<TQuickReport1>(
        QPageLayout::Portrait, 100,
        std::vector<TPrintColumn>{{"ID:", "QRLabelID", 4, 60}, {"NAME:", "QRLabelName", 70, 300}});
  }
};

const QStringList kBrands = {"HARBOUR LANE", "LITTLE WREN", "NORTHERN THREAD", "TESSARIN"};

// Products of two brands: three PLUs of LITTLE WREN (one with a stale copy
// of its name), two of TESSARIN.
void AddProducts(kdb::Database& db) {
  const auto add = [&](const QString& plu, const QString& brand, const QString& copy) {
    db.Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU, BRANDLABEL_ID, BRANDLABEL_NAME) VALUES (" +
               Quote(plu.left(8)) + ", " + Quote(plu) +
               ", (SELECT ID FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' AND NAME = " + Quote(brand) + "), " +
               Quote(copy) + ")");
  };
  add("0000000100", "LITTLE WREN", "LITTLE WREN");
  add("0000000101", "LITTLE WREN", "LITTLE WREN");
  add("0000000200", "LITTLE WREN", "WREN (OLD NAME)");
  add("0000000300", "TESSARIN", "TESSARIN");
  add("0000000301", "TESSARIN", "TESSARIN");
}

class CodeListFrame : public edtest::CodeListDbTest<TTestList> {
 protected:
  void SetUp() override {
    CodeListDbTest::SetUp();
    Prepare("brandnames", AddProducts);
  }
  QString BrandId(const QString& name) {
    return Value("SELECT ID FROM PARAMETERS WHERE TYPE = 'BRANDLABEL' AND NAME = " + Quote(name));
  }
  QStringList Copies(const QString& brand) {
    return Column("SELECT BRANDLABEL_NAME FROM PRODUCTS WHERE BRANDLABEL_ID = " + BrandId(brand) + " ORDER BY PLU");
  }
  // Edit on the entry of that name, with a new name typed.
  void EditTo(TTestList& f, const QString& entry, const QString& name) {
    f.SelectEntry(f.IndexOfName(entry));
    f.SpButEdit->click();
    f.EditName->setText(name);
  }
};

TEST_P(CodeListFrame, StartsInViewWithTheFirstEntryLoaded) {
  for (Keeping keeping : {Keeping::Caption, Keeping::Member}) {
    TTestList& f = Start(keeping);
    EXPECT_EQ(ListNames(f.ListBoxParam), kBrands);
    EXPECT_EQ(f.ListBoxParam->currentRow(), 0);
    EXPECT_EQ(f.EditName->text(), "HARBOUR LANE");
    EXPECT_EQ(f.CurrentID(), BrandId("HARBOUR LANE"));
    EXPECT_EQ(f.Mode(), "View");
    EXPECT_TRUE(f.EditName->isReadOnly());
    EXPECT_TRUE(f.ListBoxParam->isEnabled());
    EXPECT_TRUE(Shown(f.SpButPrint) && Shown(f.SpButAdd) && Shown(f.SpButEdit));
    EXPECT_FALSE(Shown(f.SpButCancel) || Shown(f.SpButSave));
    // The mode word shows only where the editor keeps its record in captions.
    EXPECT_EQ(Shown(f.PanelAction), keeping == Keeping::Caption);
    EXPECT_EQ(f.PanelID->text(), keeping == Keeping::Caption ? BrandId("HARBOUR LANE") : QString());
  }
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(CodeListFrame, WithoutAUserTheProgramEndsSilently) {
  QFile::remove(kvfwtest::EditionFolder(GetParam()) + "user.txt");
  form = std::make_unique<TTestList>(Keeping::Caption);
  bool ended = false;
  form->OnTerminate = [&] { ended = true; };
  form->show();
  QApplication::processEvents();
  EXPECT_TRUE(ended);
  EXPECT_TRUE(form->Terminated());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(CodeListFrame, EditAsksForAnEntryWhenThereIsNone) {
  Exec("DELETE FROM PARAMETERS WHERE TYPE = 'BRANDLABEL'");
  TTestList& f = Start(Keeping::Member);
  EXPECT_EQ(f.ListBoxParam->count(), 0);
  f.SpButEdit->click();
  EXPECT_EQ(messages, QStringList{"Please select a brand"});
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_FALSE(Shown(f.SpButSave));
}

TEST_P(CodeListFrame, CaptionKeepingSelectsTheSavedNameAgain) {
  TTestList& f = Start(Keeping::Caption);
  kvfwtest::WaitWindowSpy spy;
  f.SpButAdd->click();
  EXPECT_EQ(f.Mode(), "Add");
  EXPECT_EQ(f.PanelAction->text(), "Add");
  EXPECT_TRUE(f.CurrentID().isEmpty());
  EXPECT_FALSE(f.ListBoxParam->isEnabled());
  EXPECT_TRUE(Shown(f.SpButSave) && !Shown(f.SpButAdd));
  EXPECT_FALSE(f.ListBoxGroups->isEnabled());  // every list waits while an entry is edited
  f.EditName->setText("  MOSS & FERN");
  f.SpButSave->click();

  EXPECT_TRUE(messages.isEmpty());  // no saved message, no wait window
  EXPECT_TRUE(spy.shown.isEmpty());
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_TRUE(f.ListBoxGroups->isEnabled());
  EXPECT_EQ(f.GetSelectedName(), "MOSS & FERN");
  EXPECT_EQ(f.EditName->text(), "MOSS & FERN");
  EXPECT_EQ(f.CurrentID(), BrandId("MOSS & FERN"));
  EXPECT_TRUE(f.waitTexts.isEmpty());  // a new entry has no products to rename
}

TEST_P(CodeListFrame, MemberKeepingReportsTheSaveAndShowsTheFirstEntry) {
  TTestList& f = Start(Keeping::Member);
  EditTo(f, "TESSARIN", "TESSARIN STUDIO");
  f.SpButSave->click();
  EXPECT_EQ(f.waitTexts, QStringList{"Updating products..."});
  EXPECT_EQ(messages, QStringList{"Brand has been saved."});
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(f.ListBoxParam->currentRow(), 0);
  EXPECT_EQ(f.EditName->text(), "HARBOUR LANE");
  EXPECT_EQ(ListNames(f.ListBoxParam).last(), "TESSARIN STUDIO");
}

TEST_P(CodeListFrame, CancelLeavesEditingAndForgetsTheTyping) {
  for (Keeping keeping : {Keeping::Caption, Keeping::Member}) {
    TTestList& f = Start(keeping);
    EditTo(f, "LITTLE WREN", "SOMETHING ELSE");
    f.SpButCancel->click();
    EXPECT_EQ(f.Mode(), "View");
    EXPECT_EQ(f.ListBoxParam->currentRow(), 0);
    EXPECT_EQ(f.EditName->text(), "HARBOUR LANE");
  }
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PARAMETERS WHERE NAME = 'SOMETHING ELSE'"), "0");
}

TEST_P(CodeListFrame, ARenameReachesEveryProductOfTheEntryAndNoOther) {
  TTestList& f = Start(Keeping::Caption);
  EditTo(f, "LITTLE WREN", "WREN & CO");
  f.SpButSave->click();
  ASSERT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(Copies("WREN & CO"), QStringList(3, "WREN & CO"));  // the stale copy too
  EXPECT_EQ(Copies("TESSARIN"), QStringList(2, "TESSARIN"));
  EXPECT_EQ(f.GetSelectedName(), "WREN & CO");
}

TEST_P(CodeListFrame, AFailedRenameIsReportedAndUndoesTheWholeSave) {
  for (Keeping keeping : {Keeping::Caption, Keeping::Member}) {
    messages.clear();
    TTestList& f = Start(keeping);
    f.failRename = true;
    const QStringList before = Copies("LITTLE WREN");
    EditTo(f, "LITTLE WREN", "WREN & CO");
    f.SpButSave->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("Error: Brand has not been saved.\n\n")) << messages[0].toStdString();
    // Neither the entry nor any copy changed; the input waits to be saved again.
    EXPECT_EQ(Copies("LITTLE WREN"), before);
    EXPECT_EQ(f.Mode(), "Edit");
    EXPECT_EQ(f.EditName->text(), "WREN & CO");
    EXPECT_TRUE(Shown(f.SpButSave) && Shown(f.SpButCancel));
    EXPECT_TRUE(f.isEnabled());
    EXPECT_TRUE(LogText().contains("::SpButSaveClick"));
    f.failRename = false;
    f.SpButSave->click();
    EXPECT_EQ(Copies("WREN & CO").size(), 3);
    EXPECT_EQ(f.Mode(), "View");
    Exec("UPDATE PARAMETERS SET NAME = 'LITTLE WREN' WHERE NAME = 'WREN & CO'");
    Exec("UPDATE PRODUCTS SET BRANDLABEL_NAME = 'LITTLE WREN' WHERE BRANDLABEL_NAME = 'WREN & CO'");
  }
}

TEST_P(CodeListFrame, AnEditWhoseRowIsGoneWritesNoOtherRow) {
  TTestList& f = Start(Keeping::Caption);
  EditTo(f, "LITTLE WREN", "WREN & CO");
  auto other = Connect();
  other.db->Execute("DELETE FROM PARAMETERS WHERE NAME = 'LITTLE WREN'");
  const QStringList before = Column("SELECT NAME FROM PARAMETERS ORDER BY ID");
  f.SpButSave->click();
  EXPECT_EQ(messages, QStringList{"The brand is gone."});
  EXPECT_EQ(Column("SELECT NAME FROM PARAMETERS ORDER BY ID"), before);
  EXPECT_EQ(Value("SELECT COUNT(*) FROM PRODUCTS WHERE BRANDLABEL_NAME = 'WREN & CO'"), "0");
  EXPECT_EQ(f.Mode(), "Edit");
}

TEST_P(CodeListFrame, ThePrintedListHasOneLinePerEntry) {
  TTestList& f = Start(Keeping::Member);
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(previewPages, 1);
  std::unique_ptr<TQuickReport1> print = f.PreparePrint();
  ASSERT_NE(print, nullptr);
  const auto pages = print->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  const auto details = pages[0].BandsOf(kr::BandType::Detail);
  ASSERT_EQ(details.size(), 4u);  // row 0 of the grid is the first entry, not a header
  EXPECT_EQ(details[0]->FindText("QRLabelName")->PrintedText(), "HARBOUR LANE");
  EXPECT_EQ(details[3]->FindText("QRLabelID")->PrintedText(), BrandId("TESSARIN"));
  const auto header = pages[0].BandsOf(kr::BandType::PageHeader)[0];
  EXPECT_EQ(header->FindText("QRLabelTitle")->PrintedText(), "Brand Names");
  EXPECT_EQ(header->FindText("QRLabelCaption1")->PrintedText(), "NAME:");
  EXPECT_EQ(pages[0].BandsOf(kr::BandType::PageFooter).size(), 1u);

  // An empty list still prints its page with the header.
  Exec("DELETE FROM PARAMETERS WHERE TYPE = 'BRANDLABEL'");
  print = f.PreparePrint();
  ASSERT_NE(print, nullptr);
  const auto empty = print->QuickRep1.RenderPages();
  ASSERT_EQ(empty.size(), 1u);
  EXPECT_TRUE(empty[0].BandsOf(kr::BandType::Detail).empty());
  EXPECT_EQ(empty[0].BandsOf(kr::BandType::PageHeader).size(), 1u);
}

KV_DB_ENGINES(CodeListFrame);

}  // namespace
