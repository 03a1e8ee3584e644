// The report window frame on both engines, through a small report of the
// test's own: start-up, the branch selector, the run with its wait window,
// the refusals before a run, printing, export and the grid's drawing.
#include "../ReportsTestUtil.h"

#include "KVExportClass.h"
#include "KvColour.h"
#include "KvDbTestSupport.h"
#include "LoadingForm.h"
#include "PickList.h"
#include "PreviewDialog.h"
#include "ReportFrameForm.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>

namespace {

using kvtest::Engine;
using reptest::ReadAll;

// The text of the wait window on screen, "" when none shows.
QString WaitText() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* f = qobject_cast<TFormLoading*>(w); f && f->isVisible()) return f->PanelMsg->text();
  return {};
}

// Stock lines with their branch: one row per line, a totals row at the end.
class TTestReport : public TReportFrameForm {
 public:
  bool cancelInput = false;
  bool failRun = false;
  int runs = 0;
  QString lastSql;
  QStringList waitTexts;
  bool enabledDuringRun = true;

  TTestReport() {
    SetReportTitle("Test Stock Listing");
    PrintRefusal = "Please run the report first.";
  }

 protected:
  bool AskReportInput() override { return !cancelInput; }

  void ResetGrid() override {
    TReportFrameForm::ResetGrid();
    SGridRep->SetColCount(4);
    SGridRep->SetDefaultColWidth(120);
    SGridRep->SetColWidth(3, -1);  // the branch id, hidden on screen
    SGridRep->SetRowTexts(0, {"Code", "Name", "Qty", "Branch"});
  }

  void FillReport() override {
    ++runs;
    waitTexts << WaitText();
    enabledDuringRun = isEnabled();
    if (failRun) throw kdb::DbError("the test's run failed");
    lastSql = "select code, name, qty, branch_id from stockitems where qty is not null" + BranchCondition() +
              " order by code";
    kdb::Query* q = DMDB->DBQueryRemote1;
    int row = 1;
    qint64 total = 0;
    if (DMDB->RunQuery(lastSql, q))
      for (q->First(); !q->Eof(); q->Next(), ++row) {
        SetWaitMessage("Processing item: " + q->FieldByName("code").AsString());
        if (row == 1) waitTexts << WaitText();
        SGridRep->SetRowCount(row + 1);
        SGridRep->SetRowTexts(row, {q->FieldByName("code").AsString(), q->FieldByName("name").AsString(),
                                    q->FieldByName("qty").AsString(), q->FieldByName("branch_id").AsString()});
        total += q->FieldByName("qty").AsInteger();
        ProcessMessages();
      }
    SGridRep->SetRowCount(row + 1);
    SGridRep->SetRowTexts(row, {"", "Totals", QString::number(total)});
  }

  bool IsBoldRow(int row) const override { return SGridRep->Cell(1, row) == "Totals"; }
  bool IsHeaderRow(int row) const override { return IsBoldRow(row); }
  Qt::Alignment ColumnAlignment(int col) const override { return col == 2 ? Qt::AlignRight : Qt::AlignLeft; }
};

class ReportFrame : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<TTestReport> form;
  int previews = 0;
  int previewPages = 0;

  void SetUp() override {
    EditionDbTest::SetUp();
    PrepareDatabase();
    dm = Module("ItemStockReport");
    TDMDB& m = *dm;
    ASSERT_TRUE(m.Init());
    ASSERT_TRUE(m.ConnectRemoteDB(false)) << m.LastError.toStdString();
    for (const char* sql : {
             "CREATE TABLE staff (id INTEGER, username VARCHAR(20), security_level INTEGER)",
             "CREATE TABLE branches (id INTEGER, name VARCHAR(30))",
             "CREATE TABLE stockitems (code VARCHAR(20), name VARCHAR(40), qty INTEGER, branch_id INTEGER)",
             "INSERT INTO staff (id, username, security_level) VALUES (7, 'ANNE', 1)",
             "INSERT INTO branches (id, name) VALUES (1, 'NORTH'), (2, 'WEST'), (3, 'EAST')",
             "INSERT INTO stockitems (code, name, qty, branch_id) VALUES ('A001', 'DRESS, RED', 4, 1),"
             " ('A002', 'SKIRT', -1, 2), ('A003', 'COAT', 10, 2), ('A004', 'SCARF', 2, 3)"})
      ASSERT_TRUE(m.RunQuery(sql, m.DBQueryRemote2)) << m.LastError.toStdString();
  }
  void TearDown() override {
    form.reset();
    EditionDbTest::TearDown();
  }
  void OtherDialog(QDialog& d) override {
    if (auto* preview = qobject_cast<kr::PreviewDialog*>(&d)) {
      ++previews;
      previewPages = preview->PageCount();
      d.reject();
      return;
    }
    d.accept();
  }

  void WriteUser() { reptest::WriteFile(dm->UserFileName(), "ANNE\r\n7\r\n"); }
  // The window as the program shows it at start.
  TTestReport& Start(bool withUser = true) {
    if (withUser) WriteUser();
    form = std::make_unique<TTestReport>();
    form->resize(1100, 600);
    form->show();
    QApplication::processEvents();
    return *form;
  }
  QStringList Codes() const {
    QStringList codes = form->SGridRep->ColTexts(0);
    codes.removeFirst();  // the header
    codes.removeLast();   // the totals row
    return codes;
  }
};

TEST_P(ReportFrame, WithoutAUserTheProgramEndsSilently) {
  TTestReport& f = Start(false);
  EXPECT_TRUE(f.Terminated());
  QApplication::processEvents();
  EXPECT_FALSE(f.isVisible());
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 0);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_FALSE(f.ReportShown());
}

TEST_P(ReportFrame, BeforeARunPrintAndExportOnlyRefuse) {
  TTestReport& f = Start();
  ASSERT_FALSE(f.Terminated());
  EXPECT_TRUE(f.SGridRep->isHidden());
  f.SpButPrint->click();
  f.SpButExport->click();
  EXPECT_EQ(messages, (QStringList{"Please run the report first.",
                                   "There is nothing to print, please run the report."}));
  EXPECT_EQ(previews, 0);
  EXPECT_EQ(fileDialogs, 0);
  EXPECT_EQ(kui::ModalSeam::ShownCount(), 2);
}

TEST_P(ReportFrame, ARunFillsAndShowsTheGridBehindTheWaitWindow) {
  TTestReport& f = Start();
  EXPECT_EQ(kui::PickItems(f.ComboBoxBranch), (QStringList{"EAST=3", "NORTH=1", "WEST=2"}));
  EXPECT_EQ(f.ComboBoxBranch->currentIndex(), -1);
  f.SpButView->click();
  EXPECT_EQ(f.waitTexts, (QStringList{"Please wait...", "Processing item: A001"}));
  EXPECT_FALSE(f.enabledDuringRun);
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(WaitText().isEmpty());
  EXPECT_TRUE(f.ReportShown());
  EXPECT_FALSE(f.lastSql.contains("branch_id ="));
  EXPECT_EQ(Codes(), (QStringList{"A001", "A002", "A003", "A004"}));
  EXPECT_EQ(f.SGridRep->RowTexts(5), (QStringList{"", "Totals", "15", ""}));
  kvtest::SaveScreenshot(&f, "ReportFrame");

  // One branch, then "Clear": all branches again.
  ASSERT_TRUE(kui::SelectPickValue(f.ComboBoxBranch, "2"));
  f.SpButView->click();
  EXPECT_TRUE(f.lastSql.contains(" and branch_id = 2 order by code"));
  EXPECT_EQ(Codes(), (QStringList{"A002", "A003"}));
  f.SpButClearBranch->click();
  EXPECT_EQ(f.ComboBoxBranch->currentIndex(), -1);
  f.SpButView->click();
  EXPECT_EQ(Codes().size(), 4);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(ReportFrame, ACancelledInputLeavesThePreviousResult) {
  TTestReport& f = Start();
  f.SpButView->click();
  const QStringList before = f.SGridRep->ColTexts(1);
  f.cancelInput = true;
  f.SpButView->click();
  EXPECT_EQ(f.runs, 1);
  EXPECT_TRUE(f.ReportShown());
  EXPECT_EQ(f.SGridRep->ColTexts(1), before);
}

TEST_P(ReportFrame, AFailedRunIsLoggedAndLeavesTheWindowEnabledAndTheGridHidden) {
  TTestReport& f = Start();
  f.SpButView->click();
  f.failRun = true;
  f.SpButView->click();
  EXPECT_TRUE(f.isEnabled());
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(WaitText().isEmpty());
  EXPECT_TRUE(LogText().contains("::SpButViewClick"));
  EXPECT_TRUE(LogText().contains("the test's run failed"));
  EXPECT_TRUE(messages.isEmpty());
  f.SpButPrint->click();
  EXPECT_EQ(messages, QStringList{"Please run the report first."});
}

TEST_P(ReportFrame, ExportWritesEveryRowAndColumnOfTheGrid) {
  TTestReport& f = Start();
  f.SpButView->click();
  fileChoice = reptest::FreshFolder("export") + "stock";
  f.SpButExport->click();
  EXPECT_EQ(ReadAll(fileChoice + ".csv"), QByteArray("Code,Name,Qty,Branch\r\n"
                                                 "A001,\"DRESS, RED\",4,1\r\n"
                                                 "A002,SKIRT,-1,2\r\n"
                                                 "A003,COAT,10,2\r\n"
                                                 "A004,SCARF,2,3\r\n"
                                                 ",Totals,15,\r\n"));
  EXPECT_EQ(messages, QStringList{"Export complete."});
}

TEST_P(ReportFrame, PrintPreviewsTheGridUnderThePanelTitle) {
  TTestReport& f = Start();
  f.SpButView->click();
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);
  EXPECT_EQ(previewPages, 1);
  EXPECT_TRUE(messages.isEmpty());

  auto print = f.PreparedPrintForm();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Zoom, 120);
  const auto pages = print->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  const auto details = pages[0].BandsOf(kr::BandType::Detail);
  ASSERT_EQ(details.size(), 5u);  // rows 1 to 5; the header row is not a detail
  EXPECT_EQ(details[0]->FindText("QRLabCol1")->PrintedText(), "DRESS, RED");
  EXPECT_EQ(details[4]->FindText("QRLabCol2")->PrintedText(), "15");
  EXPECT_EQ(details[4]->FindText("QRLabCol2")->alignment, kr::Alignment::Right);
  EXPECT_EQ(details[0]->FindText("QRLabCol3"), nullptr);  // hidden on screen, not printed
  EXPECT_EQ(pages[0].BandsOf(kr::BandType::PageHeader)[0]->FindText("QRLabelTitle")->PrintedText(),
            "Test Stock Listing");
}

TEST_P(ReportFrame, TheGridPaintsFixedHeaderCurrentAndPlainRows) {
  TTestReport& f = Start();
  f.SpButView->click();
  f.SGridRep->SetRow(2);
  const QImage shot = f.SGridRep->viewport()->grab().toImage();
  auto colourOf = [&](int row) { return QColor(shot.pixel(f.SGridRep->CellRect(0, row).topLeft() + QPoint(1, 1))); };
  EXPECT_EQ(kvColourValue(colourOf(0)), 0xC6FFFFu);  // fixed row
  EXPECT_EQ(kvColourValue(colourOf(5)), 0xC6FFFFu);  // the report's header-like totals row
  EXPECT_EQ(kvColourValue(colourOf(2)), 0xE9E9E9u);  // the current row
  EXPECT_EQ(kvColourValue(colourOf(1)), 0xFFFFFFu);
}

KV_DB_ENGINES(ReportFrame);

}  // namespace
