// BrokenSizeReport on both engines: the batch reads against the report's
// one-colour-and-branch-at-a-time statements, runs with Min Missing, "Hide
// with all zeros" and the branch, start without branches, a failed run, print.
#include "../../../tests/StockCatalogueTestUtil.h"

#include "BrokenSizeQueryClass.h"
#include "BrokenStyleFrom.h"
#include "BrokenStyleRepForm.h"
#include "KvCheckListBox.h"
#include "KvColour.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "PreviewDialog.h"
#include "StylesListForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

namespace {

const QStringList kBranchIds = {"1", "2", "3", "4", "5", "6"};

// A style's colours, their size names and their stock records as the report's
// original design reads them: the colours grouped by root PLU, the size names
// of a colour one after another in offset order, the records of one colour at
// one branch.
QStringList ReadAsDesigned(kdb::Database& db, const QString& style, const QStringList& branches) {
  QStringList out;
  kdb::Query colours(&db), q(&db);
  colours.SQL = "select p.root_plu, min(p.colour_name) as colour_name from products p where p.style = " +
                kdb::sql::Quote(style) +
                " group by p.root_plu order by coalesce(min(p.colour_name), ''), p.root_plu";
  colours.ExecSQL();
  for (colours.First(); !colours.Eof(); colours.Next()) {
    const QString root = colours.Fields(0).AsString();
    QStringList names;
    q.SQL = "select plu, size_name, size_offset from products where root_plu = " + kdb::sql::Quote(root) +
            " order by size_offset";
    q.ExecSQL();
    for (q.First(); !q.Eof(); q.Next()) names << q.Fields(1).AsString();
    QStringList line{root, colours.Fields(1).AsString(), names.join(",")};
    for (const QString& branch : branches) {
      q.SQL = "select plu, stock_quantity from branchstock where branch_id = " + branch +
              " and root_plu = " + kdb::sql::Quote(root);
      q.ExecSQL();
      QStringList records;
      for (q.First(); !q.Eof(); q.Next())
        records << QString("%1=%2").arg(TBrokenSizeQueryClass::SizeIndex(q.Fields(0).AsString())).arg(q.Fields(1).AsString());
      records.sort();
      line << branch + ":" + records.join(" ");
    }
    out << line.join("|");
  }
  return out;
}

QStringList Dump(const TBrokenStyle& style, const QStringList& branches) {
  QStringList out;
  for (const TBrokenColour& c : style.Colours) {
    QStringList names;
    for (const QString& n : c.SizeNames) names << n;
    QStringList line{c.RootPLU, c.Colour, names.join(",")};
    for (const QString& branch : branches) {
      QStringList records;
      for (const TBrokenStockRecord& r : c.StockAt(branch))
        records << QString("%1=%2").arg(r.SizeIndex).arg(r.Null ? QString() : QString::number(r.Quantity));
      records.sort();
      line << branch + ":" + records.join(" ");
    }
    out << line.join("|");
  }
  return out;
}

class BrokenSizeReport : public reptest::StockReportDbTest {
 protected:
  std::unique_ptr<TMainForm> form;

  void TearDown() override {
    form.reset();
    StockReportDbTest::TearDown();
  }
  TMainForm& Start() {
    dm = Module("BrokenSizeReport");
    form = std::make_unique<TMainForm>();
    form->resize(1300, 700);
    form->show();
    QApplication::processEvents();
    return *form;
  }
  void Run(const QStringList& styles) {
    pick = styles;
    form->ImageRunReport->click();
  }
  kui::KvStringGrid& Grid() const { return *form->SGridRep; }
  // Branch, root PLU and the sizes of each row; "" for a blank row, "#" and the names for a header.
  QStringList Rows(int sizes = 6) const {
    QStringList rows;
    for (int r = 0; r < Grid().RowCount(); ++r) {
      const QStringList cells = Grid().RowTexts(r);
      if (cells.mid(1).join("").isEmpty()) {
        rows << "";
        continue;
      }
      const QString mark = cells[0] == "1" ? "#" : "";
      rows << mark + QStringList{cells.mid(1, 2).join(" "), cells.mid(5, sizes).join(",")}.join(" ");
    }
    return rows;
  }
};

TEST_P(BrokenSizeReport, BatchReadsGiveWhatTheOneColourAtATimeStatementsGive) {
  TDMDB& m = Connected("BrokenSizeReport");
  for (const QString& branch : {QString(), QString("4"), QString("5")}) {
    SCOPED_TRACE(branch.toStdString());
    const QStringList branches = branch.isEmpty() ? kBranchIds : QStringList{branch};
    TBrokenSizeQueryClass reads(m, branch);
    const std::vector<TBrokenStyle> fast = reads.LoadStyles(reptest::CatalogueStyles());
    ASSERT_EQ(fast.size(), 5u);
    for (const TBrokenStyle& s : fast) {
      SCOPED_TRACE(s.Style.toStdString());
      EXPECT_EQ(Dump(s, branches), ReadAsDesigned(db(), s.Style, branches));
    }
  }
}

TEST_P(BrokenSizeReport, ARunInSmallBatchesGivesWhatOneBatchGivesInThePickedOrder) {
  TDMDB& m = Connected("BrokenSizeReport");
  const QStringList picked = {"ONE", "AWK", "BIG", "AWK", "NOSTOCK", "O'HARA"};
  TBrokenSizeQueryClass whole(m, QString());
  const std::vector<TBrokenStyle> once = whole.LoadStyles(picked);
  ASSERT_EQ(once.size(), 6u);
  EXPECT_EQ(Dump(once[3], kBranchIds), Dump(once[1], kBranchIds));  // a style picked twice is listed twice
  EXPECT_EQ(once[1].Colours.size(), 3u);

  TBrokenSizeQueryClass reads(m, QString());
  reptest::ExpectBatchesGiveTheWhole(reads, picked, once, [](const TBrokenStyle& s) { return Dump(s, kBranchIds); });
}

TEST_P(BrokenSizeReport, ARunListsBrokenColoursByBranchUnderTheirSizeNames) {
  TMainForm& f = Start();
  ASSERT_FALSE(f.Terminated());
  EXPECT_EQ(f.ComboBoxBranch->itemText(0), "HARROGATE=4");  // the whole pick-list text
  EXPECT_EQ(f.ComboBoxBranch->currentIndex(), -1);
  EXPECT_EQ(f.ComboBoxMissing->count(), 10);
  EXPECT_EQ(f.ComboBoxMissing->currentText(), "1");
  EXPECT_TRUE(f.CheckBoxHideAllZero->isChecked());
  EXPECT_TRUE(f.SpButExport->isHidden());
  EXPECT_EQ(f.PanelMessage->text(), "Finds sizes without stock within a size range");

  Run({"AWK", "NOSTOCK", "O'HARA"});  // in the picker's order
  ASSERT_TRUE(f.ReportShown());
  EXPECT_TRUE(messages.isEmpty());
  // The middle style has no broken colour: two blank rows in a row.
  EXPECT_EQ(Rows(), (QStringList{"#Branch Root PLU 8,10,12,14,16,18",  //
                                 "YORK 10000002 0,4,,,,",               //
                                 "HARROGATE 10000001 3,0,-2,,5,",       //
                                 "", "",                                //
                                 "#Branch Root PLU S,M,L,XL,XXL,",      //
                                 "YORK 50000001 1,0,,,,",               //
                                 ""}));
  EXPECT_EQ(Grid().RowTexts(2).mid(3, 2), (QStringList{"AWK", "RED"}));
  EXPECT_EQ(Grid().ColWidth(0), -1);
  kvtest::SaveScreenshot(&f, "BrokenSizeReport");

  // All-zero runs shown: LEEDS's three zeros, and ONE at HARROGATE (0) and LEEDS (no quantity).
  f.CheckBoxHideAllZero->setChecked(false);
  Run({"AWK", "ONE"});
  EXPECT_EQ(Rows(3), (QStringList{"#Branch Root PLU 8,10,12", "YORK 10000002 0,4,", "HARROGATE 10000001 3,0,-2",
                                  "LEEDS 10000001 ,0,0", "", "#Branch Root PLU ONE,,", "HARROGATE 20000001 0,,",
                                  "LEEDS 20000001 ,,", ""}));

  // Min Missing 2: only HARROGATE's two missing sizes; the first broken colour heads the block.
  f.CheckBoxHideAllZero->setChecked(true);
  f.ComboBoxMissing->setCurrentIndex(1);
  Run({"AWK", "ONE", "O'HARA"});
  EXPECT_EQ(Rows(3), (QStringList{"#Branch Root PLU 8,10,12", "HARROGATE 10000001 3,0,-2", "", "", ""}));
}

TEST_P(BrokenSizeReport, TheBranchLimitsARunUntilCleared) {
  TMainForm& f = Start();
  ASSERT_TRUE(kui::SelectPickValue(f.ComboBoxBranch, QString::number(reptest::kYork)));
  Run({"AWK", "O'HARA"});
  EXPECT_EQ(f.BranchFilterId, "5");
  EXPECT_EQ(Rows(2), (QStringList{"#Branch Root PLU 8,10", "YORK 10000002 0,4", "", "#Branch Root PLU S,M",
                                  "YORK 50000001 1,0", ""}));
  f.SpButClearBranch->click();
  Run({"AWK"});
  EXPECT_TRUE(f.BranchFilterId.isEmpty());
  EXPECT_EQ(Grid().ColTexts(1), (QStringList{"Branch", "YORK", "HARROGATE", ""}));
}

TEST_P(BrokenSizeReport, MoreThanTwentySizesWidenTheGridAndPrintTheFirstTwenty) {
  TMainForm& f = Start();
  f.SpButPrint->click();
  EXPECT_EQ(messages, QStringList{"Please run the report before priniting."});
  EXPECT_EQ(previews, 0);
  messages.clear();

  Run({"BIG"});
  ASSERT_TRUE(f.ReportShown());
  EXPECT_EQ(Grid().ColCount(), 5 + 25);
  EXPECT_EQ(f.SizeColumnCount(), 30);
  EXPECT_EQ(Grid().Cell(29, 0), "B25");
  EXPECT_EQ(Grid().Cell(29, 1), "21");
  f.ButtonPrint->click();
  EXPECT_EQ(previews, 1);

  auto print = f.PreparedPrintForm();
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->QuickRep1.Page.Zoom, 100);
  const auto pages = print->QuickRep1.RenderPages();
  ASSERT_EQ(pages.size(), 1u);
  const auto details = pages[0].BandsOf(kr::BandType::Detail);
  ASSERT_EQ(static_cast<int>(details.size()), Grid().RowCount());  // from row 0: no fixed row
  EXPECT_EQ(kvColourValue(details[0]->colour), TFormRep::kHeaderBandColour);
  EXPECT_EQ(kvColourValue(details[1]->colour), 0xFFFFFFu);
  EXPECT_EQ(details[0]->FindText("QRLabSize19")->PrintedText(), "B20");
  EXPECT_EQ(details[1]->FindText("QRLabSize0")->PrintedText(), "-3");
  EXPECT_EQ(details[1]->FindText("QRLabBranch")->PrintedText(), "MAIN STORE");
  for (const kr::RenderedText* t : details[0]->Texts())
    EXPECT_LE(t->rect.right(), pages[0].printable.right() + 0.01) << t->name.toStdString();

  const QString pdf = kvtest::FreshFolder("print") + "broken.pdf";
  ASSERT_TRUE(print->QuickRep1.ExportToPdf(pdf));
  const QString text = kvtest::PdfText(pdf);
  EXPECT_TRUE(text.contains("Broken Styles Report"));
  EXPECT_TRUE(text.contains("Start Date:"));
  EXPECT_TRUE(text.contains("30000001"));
  EXPECT_TRUE(text.contains("MAIN STORE"));
  EXPECT_FALSE(text.contains("B21"));
  reptest::SavePrintedPage(print->QuickRep1, "BrokenSizeReport-print");
}

TEST_P(BrokenSizeReport, ACancelledPickerRunsNothing) {
  TMainForm& f = Start();
  onDialog = [this](QDialog& d) {
    auto* p = qobject_cast<TFormStylesList*>(&d);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Use(), TFormStylesList::TUse::Broken);
    ++pickers;
    Pick(*p);  // every style ticked, then Cancel
  };
  Run({});
  EXPECT_EQ(pickers, 1);
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(BrokenSizeReport, AFailedRunTellsTheUserAndShowsNoReport) {
  TMainForm& f = Start();
  Exec("ALTER TABLE BRANCHSTOCK RENAME TO BRANCHSTOCK_GONE");
  Run({"AWK"});
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(f.isEnabled());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TMainForm::kRunFailed)) << messages[0].toStdString();
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
}

TEST_P(BrokenSizeReport, WithoutBranchesTheProgramSaysSoAndEnds) {
  Exec("DELETE FROM BRANCHES");
  TMainForm& f = Start();
  EXPECT_TRUE(f.Terminated());
  EXPECT_EQ(boxes, QStringList{TMainForm::kNoBranches});
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_FALSE(LogText().contains(TMainForm::kNoBranches));  // the plain box is not logged
}

KV_DB_ENGINES(BrokenSizeReport);

}  // namespace
