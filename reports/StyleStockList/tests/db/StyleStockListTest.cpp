// StyleStockList on both engines: the batch reads against the report's
// one-line-at-a-time statements, runs through the picker with the options and
// the branch, a failed run, printing and export.
#include "../../../tests/StockCatalogueTestUtil.h"

#include "KvCheckListBox.h"
#include "KvColour.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "LoadingForm.h"
#include "PickList.h"
#include "PreviewDialog.h"
#include "StyleStockQueryClass.h"
#include "StyleStockRepForm.h"
#include "StylesListForm.h"
#include "StylesListReportsForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

using reptest::kHarrogate;

// ----- the reference: the statements of the report's original design ---------------------

// The (branch, colour) lines of one style: one row per pair with stock rows,
// its columns from the pair's lowest PLU with a stock row; then per line and
// block of 20 sizes the stock rows of that line; COUNTER; the size names read
// one after another in offset order.
struct Reference {
  TStyleStock style;
  TSizeScale scale;
};

Reference ReadAsDesigned(kdb::Database& db, const QString& style, const QString& branchCondition) {
  Reference ref;
  ref.style.Style = style;
  kdb::Query lines(&db);
  lines.SQL =
      "select bs.branch_id, p.root_plu, p.colour_name, p.sizesscale_id, p.supplier_name, p.brandlabel_name,"
      " p.style, p.style_ref, p.season_name, p.description, p.department_name, p.current_cost_price,"
      " p.retail_price from branchstock bs inner join products p on (bs.plu = p.plu)"
      " where p.style = " +
      kdb::sql::Quote(style) + branchCondition +
      " and p.plu = (select min(p2.plu) from branchstock b2 inner join products p2 on (b2.plu = p2.plu)"
      " where p2.root_plu = p.root_plu and b2.branch_id = bs.branch_id)"
      " order by coalesce(p.colour_name, ''), bs.branch_id, p.root_plu";
  lines.ExecSQL();
  if (lines.IsEmpty()) return ref;
  const QString scaleId = lines.FieldByName("sizesscale_id").AsString();
  kdb::Query q(&db);
  q.SQL = "select counter from sizesscale where id = " + scaleId;
  q.ExecSQL();
  ref.scale.Counter = q.IsEmpty() ? 0 : static_cast<int>(q.Fields(0).AsInteger());
  q.SQL = "select name, \"offset\" from sizes where sizesscale_id = " + scaleId +
          " and \"offset\" >= 0 order by \"offset\"";
  q.ExecSQL();
  for (q.First(); !q.Eof(); q.Next()) ref.scale.Names.push_back(q.Fields(0).AsString());

  for (lines.First(); !lines.Eof(); lines.Next()) {
    TStyleStockLine l;
    l.BranchId = lines.Fields(0).AsString();
    l.RootPLU = lines.Fields(1).AsString();
    l.Colour = lines.Fields(2).AsString();
    l.SizesScaleId = lines.Fields(3).AsString();
    l.Supplier = lines.Fields(4).AsString();
    l.Brand = lines.Fields(5).AsString();
    l.Style = lines.Fields(6).AsString();
    l.StyleRef = lines.Fields(7).AsString();
    l.Season = lines.Fields(8).AsString();
    l.Description = lines.Fields(9).AsString();
    l.Department = lines.Fields(10).AsString();
    l.Cost = QString::number(lines.Fields(11).AsCurrency().ToDouble(), 'f', 2);
    l.Retail = QString::number(lines.Fields(12).AsCurrency().ToDouble(), 'f', 2);
    for (int first = 0; first < ref.scale.Counter; first += 20) {
      q.SQL = "select p.plu, bs.stock_quantity, p.size_offset from branchstock bs"
              " inner join products p on (p.plu = bs.plu) where p.root_plu = " +
              kdb::sql::Quote(l.RootPLU) + " and bs.branch_id = " + l.BranchId +
              " and p.size_offset >= " + QString::number(first) + " and p.size_offset < " +
              QString::number(first + 20);
      q.ExecSQL();
      for (q.First(); !q.Eof(); q.Next())
        l.Stock.emplace_back(static_cast<int>(q.Fields(2).AsInteger()), q.Fields(1).AsInteger());
    }
    std::sort(l.Stock.begin(), l.Stock.end());
    ref.style.Lines.push_back(l);
  }
  return ref;
}

QStringList Dump(const TStyleStock& s) {
  QStringList out;
  for (const TStyleStockLine& l : s.Lines) {
    QStringList stock;
    for (const auto& [offset, quantity] : l.Stock) stock << QString("%1:%2").arg(offset).arg(quantity);
    out << QStringList{l.BranchId, l.RootPLU,    l.Colour,     l.SizesScaleId, l.Supplier, l.Brand,
                       l.Style,    l.StyleRef,   l.Season,     l.Description,  l.Department, l.Cost,
                       l.Retail,   stock.join(" ")}
               .join("|");
  }
  return out;
}

// The texts the wait window paints, each once, in order.
class WaitTextSpy : public QObject {
 public:
  QStringList painted;
  WaitTextSpy() { qApp->installEventFilter(this); }
  ~WaitTextSpy() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint)
      if (auto* w = qobject_cast<QWidget*>(o))
        if (auto* wait = qobject_cast<TFormLoading*>(w->window()))
          if (painted.isEmpty() || painted.last() != wait->PanelMsg->text()) painted << wait->PanelMsg->text();
    return false;
  }
};

class StyleStockList : public reptest::StockReportDbTest {
 protected:
  std::unique_ptr<TForm1> form;

  void TearDown() override {
    form.reset();
    StockReportDbTest::TearDown();
  }
  TForm1& Start() {
    dm = Module("StyleStockList");
    form = std::make_unique<TForm1>();
    new TFormStylesList(form.get());
    form->resize(1400, 700);
    form->show();
    QApplication::processEvents();
    EXPECT_FALSE(form->Terminated()) << dm->LastError.toStdString();
    return *form;
  }
  void Run(const QStringList& styles, int option = 0) {
    pick = styles;
    form->SetStockFigureOption(option);
    form->SpButView->click();
  }
  kui::KvStringGrid& Grid() const { return *form->SGridRep; }
  QStringList Col(int col) const {
    QStringList c = Grid().ColTexts(col);
    c.removeFirst();
    return c;
  }
  QStringList Row(int row, int from, int n) const { return Grid().RowTexts(row).mid(from, n); }
};

TEST_P(StyleStockList, BatchReadsGiveTheLinesOfTheOneLineAtATimeStatements) {
  TDMDB& m = Connected("StyleStockList");
  for (const QString& condition : {QString(), QString(" and branch_id = 4"), QString(" and branch_id = 6")}) {
    SCOPED_TRACE(condition.toStdString());
    TStyleStockQueryClass reads(m, condition);
    const std::vector<TStyleStock> fast = reads.LoadStyles(reptest::CatalogueStyles());
    ASSERT_EQ(fast.size(), 5u);
    int lines = 0;
    for (const TStyleStock& s : fast) {
      SCOPED_TRACE(s.Style.toStdString());
      const Reference ref = ReadAsDesigned(db(), s.Style, condition);
      EXPECT_EQ(Dump(s), Dump(ref.style));
      lines += static_cast<int>(s.Lines.size());
      if (s.Lines.empty()) continue;
      const TSizeScale& scale = reads.Scale(s.Lines.front().SizesScaleId);
      EXPECT_EQ(scale.Counter, ref.scale.Counter);
      EXPECT_EQ(scale.Names, ref.scale.Names);
    }
    EXPECT_GT(lines, 0);
  }
}

// Stock is read by root PLU: a row of that root PLU whose PLU is none of the
// styles' (no PRODUCTS row) still counts for nothing, as the join on the PLU
// has it, and a size whose first stock row lies at another branch than the
// rows before it is still placed under its own line.
TEST_P(StyleStockList, AStockRowOfAPLUWithoutAProductIsNotCounted) {
  reptest::AddStock(db(), "1000000199", kHarrogate, 50);
  reptest::AddStock(db(), "1000000105", reptest::kYork, 7);
  TDMDB& m = Connected("StyleStockList");
  TStyleStockQueryClass reads(m, QString());
  const std::vector<TStyleStock> fast = reads.LoadStyles({"AWK"});
  ASSERT_EQ(fast.size(), 1u);
  EXPECT_EQ(Dump(fast[0]), Dump(ReadAsDesigned(db(), "AWK", QString()).style));
  EXPECT_FALSE(Dump(fast[0]).join("\n").contains(":50"));
}

TEST_P(StyleStockList, ARunInSmallBatchesGivesWhatOneBatchGivesInThePickedOrder) {
  TDMDB& m = Connected("StyleStockList");
  const QStringList picked = {"ONE", "AWK", "BIG", "AWK", "NOSTOCK", "O'HARA"};
  TStyleStockQueryClass whole(m, QString());
  const std::vector<TStyleStock> once = whole.LoadStyles(picked);
  ASSERT_EQ(once.size(), 6u);
  EXPECT_EQ(Dump(once[3]), Dump(once[1]));  // a style picked twice is listed twice
  EXPECT_EQ(once[1].Lines.size(), 4u);

  TStyleStockQueryClass reads(m, QString());
  reptest::ExpectBatchesGiveTheWhole(reads, picked, once, [](const TStyleStock& s) { return Dump(s); });
}

TEST_P(StyleStockList, ARunListsEveryColourAtEveryBranchWithItsTotals) {
  TForm1& f = Start();
  EXPECT_EQ(kui::PickItems(f.ComboBoxBranch).first(), "HARROGATE=4");
  EXPECT_EQ(f.GetBranchCode("5"), "YRK");
  EXPECT_EQ(f.RadioGrpOptItems->checkedButton()->text(), "Show all values.");
  WaitTextSpy waits;
  Run({"AWK", "ONE"});
  ASSERT_TRUE(f.ReportShown());
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(waits.painted.value(0), "Please wait...");
  EXPECT_EQ(waits.painted.value(1), "Processing style: AWK");
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());

  EXPECT_EQ(Col(0), (QStringList{"Root PLU", "10000002", "10000001", "10000001", "10000001", "", "",  //
                                 "Root PLU", "20000001", "20000001", "20000001", "", ""}));
  EXPECT_EQ(Col(9), (QStringList{"Branch", "YRK", "MAIN", "HGT", "LDS", "", "", "Branch", "MAIN", "HGT", "LDS", "", ""}));
  EXPECT_EQ(Row(1, 12, 7), (QStringList{"8", "10", "12", "14", "16", "18", ""}));
  EXPECT_EQ(Row(2, 1, 11), (QStringList{"", "TESSARIN", "AWK", "", "AUTUMN WINTER 2025", "", "REF-AWK", "DRESSES",
                                        "YRK", "0.00", "0.00"}));
  EXPECT_EQ(Row(3, 10, 2), (QStringList{"10.00", "24.00"}));  // the first size's own retail
  EXPECT_EQ(Row(5, 10, 2), (QStringList{"10.00", "25.00"}));  // LEEDS has no record of the first size
  EXPECT_EQ(Row(4, 12, 7), (QStringList{"3", "0", "-2", "", "5", "", ""}));
  EXPECT_EQ(Row(6, 10, 9), (QStringList{"Totals", "", "4", "6", "1", "4", "10", "6", ""}));
  EXPECT_EQ(Grid().Cell(32, 6), "31");
  EXPECT_EQ(Row(11, 12, 2), (QStringList{"0", ""}));  // a NULL quantity reads 0
  EXPECT_EQ(Grid().Cell(32, 12), "2");
  EXPECT_EQ(f.PanelOverallTotal->text(), "33");
  kvtest::SaveScreenshot(&f, "StyleStockList");

  // Only lines with a negative: one line of AWK, nothing of ONE.
  Run({"AWK", "ONE"}, TStyleStockGridClass::kOnlyNegative);
  EXPECT_EQ(Col(0), (QStringList{"Root PLU", "10000001", "", ""}));
  EXPECT_EQ(Grid().Cell(32, 3), "31");
  EXPECT_EQ(f.PanelOverallTotal->text(), "31");

  // One branch, then "Clear": all branches again.
  ASSERT_TRUE(kui::SelectPickValue(f.ComboBoxBranch, QString::number(kHarrogate)));
  Run({"AWK", "ONE"});
  EXPECT_EQ(Col(9), (QStringList{"Branch", "HGT", "", "", "Branch", "HGT", "", ""}));
  EXPECT_EQ(f.PanelOverallTotal->text(), "6");
  f.SpButClearBranch->click();
  Run({"O'HARA"});
  EXPECT_EQ(Col(9), (QStringList{"Branch", "YRK", "", ""}));
  EXPECT_EQ(f.PanelOverallTotal->text(), "1");
}

TEST_P(StyleStockList, ThePickerKeepsItsListAndTicksAndACancelKeepsTheResult) {
  TForm1& f = Start();
  Run({"BIG"});
  ASSERT_TRUE(f.ReportShown());
  // Twenty-five sizes: two blocks.
  EXPECT_EQ(Col(0), (QStringList{"Root PLU", "30000001", "", "", "Root PLU", "30000001", "", ""}));
  EXPECT_EQ(Row(5, 12, 6), (QStringList{"B21", "B22", "B23", "B24", "B25", ""}));
  EXPECT_EQ(f.PanelOverallTotal->text(), QString::number(300 - 75));

  // The second time the picker still lists every style with BIG ticked.
  QStringList seen;
  onDialog = [&](QDialog& d) {
    auto* p = qobject_cast<TFormStylesList*>(&d);
    ASSERT_NE(p, nullptr);
    seen = p->ChListBoxStyles->CheckedItems();
    EXPECT_EQ(p->ChListBoxStyles->Count(), 5);
    p->BitBtnCancel->click();
  };
  const QStringList before = Col(0);
  f.SpButView->click();
  EXPECT_EQ(seen, QStringList{"BIG"});
  EXPECT_TRUE(f.ReportShown());
  EXPECT_EQ(Col(0), before);
}

TEST_P(StyleStockList, AFailedRunTellsTheUserAndShowsNoReport) {
  TForm1& f = Start();
  Run({"AWK"});
  ASSERT_TRUE(f.ReportShown());
  Exec("ALTER TABLE BRANCHSTOCK RENAME TO BRANCHSTOCK_GONE");
  Run({"AWK"});
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(f.isEnabled());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TForm1::kRunFailed)) << messages[0].toStdString();
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
  f.SpButPrint->click();
  EXPECT_EQ(messages.value(1), "Please Run Report first!");
  EXPECT_EQ(previews, 0);
}

TEST_P(StyleStockList, ThePrintFitsThePageAndTheExportKeepsTheHiddenBrand) {
  TForm1& f = Start();
  f.SpButPrint->click();
  f.SpButExport->click();
  EXPECT_EQ(messages, (QStringList{"Please Run Report first!", "There is nothing to print, please run the report."}));
  messages.clear();
  Run({"AWK", "BIG", "ONE"});
  ASSERT_TRUE(f.ReportShown());
  f.SpButPrint->click();
  EXPECT_EQ(previews, 1);

  auto print = f.PreparedPrintForm();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Zoom, 120);
  const auto pages = print->QuickRep1.RenderPages();
  ASSERT_FALSE(pages.empty());
  int details = 0;
  for (const auto& page : pages)
    for (const auto* band : page.BandsOf(kr::BandType::Detail)) {
      ++details;
      for (const kr::RenderedText* t : band->Texts()) {
        EXPECT_LE(t->rect.right(), page.printable.right() + 0.01) << t->name.toStdString();
        EXPECT_FALSE(t->clipped && t->name.startsWith("QRLabSize")) << t->name.toStdString();
      }
    }
  EXPECT_EQ(details, Grid().RowCount() - 1);
  const auto first = pages[0].BandsOf(kr::BandType::Detail);
  ASSERT_GE(first.size(), 3u);
  EXPECT_EQ(kvColourValue(first[0]->colour), TFormRep::kHeaderBandColour);  // a header row
  EXPECT_TRUE(first[0]->FindText("QRLabSize00")->font.bold());
  EXPECT_EQ(first[1]->FindText("QRLabBrand")->PrintedText(), "TESSARIN");
  EXPECT_FALSE(first[1]->FindText("QRLabSize00")->font.bold());
  EXPECT_EQ(kvColourValue(first[1]->colour), 0xFFFFFFu);

  const QString pdf = kvtest::FreshFolder("print") + "listing.pdf";
  ASSERT_TRUE(print->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  EXPECT_TRUE(text.contains("Styles Listing Stock Report"));
  EXPECT_TRUE(text.contains("Overall Total:"));
  EXPECT_TRUE(text.contains(f.PanelOverallTotal->text()));
  EXPECT_TRUE(text.contains("B25"));
  EXPECT_TRUE(text.contains("REF-AWK"));
  reptest::SavePrintedPage(print->QuickRep1, "StyleStockList-print");

  fileChoice = kvtest::FreshFolder("export") + "listing";
  f.SpButExport->click();
  const QList<QByteArray> rows = kvtest::ReadAll(fileChoice + ".csv").split('\n');
  ASSERT_GT(rows.size(), 3);
  EXPECT_EQ(rows[0], QByteArray(32, ',') + "\r");
  EXPECT_TRUE(rows[1].startsWith("Root PLU,Supplier,Brand,Style,Colour,"));
  EXPECT_TRUE(rows[2].startsWith("10000002,,TESSARIN,AWK,,")) << rows[2].toStdString();
  EXPECT_EQ(messages, QStringList{"Export complete."});
}

KV_DB_ENGINES(StyleStockList);

}  // namespace
