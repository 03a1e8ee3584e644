// The stock, min stock, max stock and barcode pages through the window on
// both engines: what a branch's grid shows, the modes, Apply in each mode
// and page, the right "Edit Stock", two programs writing at once, an Apply
// that cannot write, and figures that cannot be read.
#include "StockDbFixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTest>
#include <QToolButton>

#include <chrono>
#include <functional>
#include <future>
#include <thread>

#include "BranchStockClass.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "QuantityPageF.h"

namespace {

using kvtest::Engine;

// Another program on the same database: in a transaction of its own it
// does its work, then keeps what it wrote (and its locks) for a while as
// this window goes on, and commits or undoes it. Made when its work is done.
class AnotherProgram {
 public:
  AnotherProgram(kvtest::DbHandle handle, std::function<void(kdb::Database&)> work, int holdMs, bool commit)
      : handle_(std::move(handle)) {
    std::future<void> done = worked_.get_future();
    thread_ = std::thread([this, work = std::move(work), holdMs, commit] {
      kdb::Database& db = *handle_.db;
      bool told = false;
      try {
        db.StartTransaction();
        work(db);
        worked_.set_value();
        told = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(holdMs));
        commit ? db.Commit() : db.Rollback();
      } catch (...) {
        db.Rollback();
        if (!told) worked_.set_exception(std::current_exception());
      }
    });
    try {
      done.get();
    } catch (const kdb::DbError& e) {
      ADD_FAILURE() << e.Message().toStdString();
    }
  }
  ~AnotherProgram() { Wait(); }
  // Until it has ended.
  void Wait() {
    if (thread_.joinable()) thread_.join();
  }

 private:
  kvtest::DbHandle handle_;
  std::promise<void> worked_;
  std::thread thread_;
};

class StockPagesDbTest : public sktest::StockDbFixture {
 protected:
  // Types a figure into a cell and leaves it with Enter, as a person does.
  static void Type(kui::KvStringGrid* grid, int col, int row, const QString& digits) {
    ASSERT_TRUE(grid->SetCurrent(col, row));
    QTest::keyClicks(grid, digits);
    QTest::keyClick(grid, Qt::Key_Return);
  }

  static bool Shown(QWidget* w) { return !w->isHidden(); }
};

// ----- what a page shows ------------------------------------------------------------------

TEST_P(StockPagesDbTest, TheStockPageShowsOneBranchsFiguresByColourAndSize) {
  PutRow("0000004201", "HARROGATE", "STOCK_QUANTITY", "5");
  PutRow("0000004300", "HARROGATE", "STOCK_QUANTITY", "-2");
  PutRow("0000004202", "YORK", "STOCK_QUANTITY", "9");
  TForm1& f = StartOnStyle();
  DMDB->Setup->LOBranchID = 0;  // every branch, in either edition
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShStock);
  EXPECT_EQ(kui::PickItems(page.BranchCombo).size(), 6);
  EXPECT_EQ(kui::SelectedPickName(page.BranchCombo), "HARROGATE");  // first by name
  kui::KvStringGrid* g = page.Grid;
  EXPECT_EQ(g->objectName(), "StringGridStock");
  ASSERT_EQ(g->RowCount(), 4);
  ASSERT_EQ(g->ColCount(), 7);
  EXPECT_EQ(g->RowTexts(0).mid(3), (QStringList{"30", "32", "34", "TOTALS"}));
  EXPECT_EQ(g->ColTexts(2), (QStringList{"", "BLACK", "DENIM", "TOTALS"}));  // by colour name
  EXPECT_EQ(g->RowTexts(kBlack).mid(3), (QStringList{"-2", "0", "0", "-2"}));
  EXPECT_EQ(g->RowTexts(kDenim).mid(3), (QStringList{"0", "5", "0", "5"}));  // placed by the PLU's digits
  EXPECT_EQ(g->RowTexts(3).mid(3), (QStringList{"-2", "5", "0", "3"}));
  EXPECT_EQ(page.StylePanel->text(), "JEAN01");
  EXPECT_EQ(page.Mode(), "View");
  EXPECT_TRUE(Shown(page.ButtonAdd) && Shown(page.ButtonEdit));
  EXPECT_FALSE(Shown(page.ButtonApply) || Shown(page.ButtonCancel));
  // Read-only in View: typing changes nothing.
  ASSERT_TRUE(g->SetCurrent(4, kDenim));
  QTest::keyClicks(g, "7");
  EXPECT_EQ(g->Cell(4, kDenim), "5");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(TakeShown().isEmpty());
  kvtest::SaveScreenshot(&f, "StyleKeeperStock");

  // The branch chosen here is preselected on the next page.
  ChooseBranch(page.BranchCombo, "YORK");
  EXPECT_EQ(g->Cell(5, kDenim), "9");
  f.SpButShowMinStock->click();
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShMinStock);
  EXPECT_EQ(kui::SelectedPickName(f.MinStockPage->BranchCombo), "YORK");
  EXPECT_EQ(f.MinStockPage->Grid->objectName(), "SGridMinStock");
}

TEST_P(StockPagesDbTest, WithABranchInTheSettingsOnlyThatBranchIsOffered) {
  TForm1& f = StartOnStyle();
  DMDB->Setup->LOBranchID = BranchId("LEEDS").toInt();
  f.SpButShowMaxStock->click();
  EXPECT_EQ(kui::PickItems(f.MaxStockPage->BranchCombo), QStringList{"LEEDS=" + BranchId("LEEDS")});
  EXPECT_EQ(f.MaxStockPage->BranchCombo->currentIndex(), 0);
}

TEST_P(StockPagesDbTest, AStyleWithoutProductsHasAnEmptyGridAndApplyWritesNothing) {
  TForm1& f = Start();
  f.SpButTabStockClick();
  EXPECT_EQ(f.StockPage->Grid->RowCount(), 2);
  EXPECT_EQ(f.StockPage->Grid->ColCount(), 4);
  f.ButtonEditStockClick();
  f.ButtonApplyStockClick();
  EXPECT_EQ(TakeShown(), QStringList{"Stock saved successfully."});
  EXPECT_EQ(Rows(), 0);
}

// ----- Apply ----------------------------------------------------------------------------------

TEST_P(StockPagesDbTest, AddAddsTheStockAndSetsTheCheckedMinimumToTheFigureItself) {
  PutRow("0000004200", "MAIN STORE", "STOCK_QUANTITY", "10");
  Exec("UPDATE BRANCHSTOCK SET MIN_STOCK_QUANTITY = 3, BARCODES_QUANTITY = 1");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  page.CheckBoxMinStock->setChecked(true);
  page.CheckBoxCreateBarcodes->setChecked(true);
  page.ButtonAdd->click();
  EXPECT_EQ(page.Mode(), "Add");
  EXPECT_EQ(page.Grid->RowTexts(kDenim).mid(3), (QStringList{"0", "0", "0", "0"}));
  EXPECT_TRUE(Shown(page.ButtonApply) && !Shown(page.ButtonAdd));
  Type(page.Grid, 3, kDenim, "4");
  Type(page.Grid, 4, kBlack, "2");
  EXPECT_EQ(page.Grid->Cell(6, 3), "6");
  page.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Stock saved successfully."});

  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "14");
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "MIN_STOCK_QUANTITY"), "4");
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "BARCODES_QUANTITY"), "5");
  // A PLU without a row gets one, named after its root PLU and branch.
  EXPECT_EQ(Rows("PLU='0000004301' AND ROOT_PLU='00000043' AND BRANCH_NAME='MAIN STORE' AND BRANCH_ID=" +
                 BranchId("MAIN STORE") + " AND STOCK_QUANTITY=2 AND MIN_STOCK_QUANTITY=2 AND BARCODES_QUANTITY=2"),
            1);
  // Every cell is written: a row for each PLU, the checked minimum 0 where 0 was added.
  EXPECT_EQ(Rows("BRANCH_ID=" + BranchId("MAIN STORE")), 6);
  EXPECT_EQ(Stored("0000004202", "MAIN STORE", "MIN_STOCK_QUANTITY"), "0");
  EXPECT_EQ(Stored("0000004202", "MAIN STORE", "MAX_STOCK_QUANTITY"), "0");  // unchecked: the default
  EXPECT_TRUE(LogText().contains("[x]after post: BRANCHSTOCK[=]"));
  // Reloaded in View.
  EXPECT_EQ(page.Mode(), "View");
  EXPECT_EQ(page.Grid->Cell(3, kDenim), "14");
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(StockPagesDbTest, EditReplacesFiguresButNeverOneAnotherUserChangedMeanwhile) {
  PutRow("0000004200", "MAIN STORE", "STOCK_QUANTITY", "10");
  PutRow("0000004201", "MAIN STORE", "STOCK_QUANTITY", "6");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  page.ButtonEdit->click();
  EXPECT_EQ(page.Mode(), "Edit");
  EXPECT_EQ(page.Grid->Cell(3, kDenim), "10");  // the figures stay
  Type(page.Grid, 3, kDenim, "12");
  Exec("UPDATE BRANCHSTOCK SET STOCK_QUANTITY = 11 WHERE PLU = '0000004200'");  // another user
  page.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"The stock was not saved.\n\nThe stock of DENIM 30 was changed by another user "
                                     "since it was loaded. Please reload and make your change again.\n\n"
                                     "Nothing was written."});
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "11");
  EXPECT_EQ(Rows(), 2);  // not even the missing rows were made
  EXPECT_EQ(page.Mode(), "Edit");
  EXPECT_EQ(page.Grid->Cell(3, kDenim), "12");
  EXPECT_TRUE(f.isEnabled());

  // Reloaded, a change of another figure than this one's is kept.
  page.ButtonCancel->click();
  EXPECT_EQ(page.Grid->Cell(3, kDenim), "11");
  page.ButtonEdit->click();
  Type(page.Grid, 4, kDenim, "8");
  Exec("UPDATE BRANCHSTOCK SET STOCK_QUANTITY = 20 WHERE PLU = '0000004200'");
  page.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Stock saved successfully."});
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "20");
  EXPECT_EQ(Stored("0000004201", "MAIN STORE", "STOCK_QUANTITY"), "8");
  EXPECT_EQ(Rows(), 6);
}

TEST_P(StockPagesDbTest, MinAndMaxStockAddOrReplaceAndBarcodesAlwaysReplace) {
  PutRow("0000004300", "MAIN STORE", "MIN_STOCK_QUANTITY", "2");
  Exec("UPDATE BRANCHSTOCK SET MAX_STOCK_QUANTITY = 5, BARCODES_QUANTITY = 1");
  TForm1& f = StartOnStyle();

  f.SpButShowMinStock->click();
  TQuantityPage& min = *f.MinStockPage;
  min.ButtonEdit->click();  // no right needed
  Type(min.Grid, 3, kBlack, "7");
  min.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Min Stock saved successfuly!"});
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "MIN_STOCK_QUANTITY"), "7");
  EXPECT_EQ(min.Mode(), "View");
  kvtest::SaveScreenshot(&f, "StyleKeeperMinStock");

  f.SpButShowMaxStock->click();
  TQuantityPage& max = *f.MaxStockPage;
  EXPECT_EQ(kui::SelectedPickName(max.BranchCombo), "MAIN STORE");
  max.ButtonAdd->click();
  Type(max.Grid, 3, kBlack, "3");
  max.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Max Stock saved successfuly!"});
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "MAX_STOCK_QUANTITY"), "8");
  kvtest::SaveScreenshot(&f, "StyleKeeperMaxStock");

  f.SpButTabBCodes->click();
  TQuantityPage& codes = *f.BarcodesPage;
  EXPECT_TRUE(codes.Editable());  // no modes
  EXPECT_EQ(codes.ButtonApply->objectName(), "SpeedButton3");
  Type(codes.Grid, 3, kBlack, "4");
  codes.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Barcodes saved successfuly!"});
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "BARCODES_QUANTITY"), "4");
  // Not reloaded, but the next Apply knows what this one wrote.
  Exec("UPDATE BRANCHSTOCK SET BARCODES_QUANTITY = 9 WHERE PLU = '0000004300'");
  Type(codes.Grid, 3, kBlack, "6");
  codes.ButtonApply->click();
  ASSERT_EQ(TakeShown().size(), 1);
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "BARCODES_QUANTITY"), "9");
  kvtest::SaveScreenshot(&f, "StyleKeeperBarcodes");
}

TEST_P(StockPagesDbTest, AFigureBeyondWhatTheColumnHoldsIsRefusedInTheCellAndOnApply) {
  TForm1& f = StartOnStyle();
  f.SpButTabStock->click();
  f.StockPage->ButtonEdit->click();
  kui::KvStringGrid* g = f.StockPage->Grid;
  ASSERT_TRUE(g->SetCurrent(3, kBlack));
  QTest::keyClicks(g, "21474836479");
  EXPECT_EQ(g->Cell(3, kBlack), "2147483647");
  QTest::keyClick(g, Qt::Key_Return);
  EXPECT_EQ(g->Cell(6, kBlack), "2147483647");
  // Text that came in some other way than typing (a paste in the cell) is
  // counted and refused on Apply, before anything is written.
  g->SetCell(4, kDenim, "2147483648");
  g->SetCell(5, kBlack, "1.5");
  f.StockPage->ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"The stock was not saved.\n\n2 of 6 cells hold no valid stock: DENIM 32, "
                                     "BLACK 34.\n\nNothing was written."});
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(f.StockPage->Mode(), "Edit");
}

// ----- the right "Edit Stock" ------------------------------------------------------------------

TEST_P(StockPagesDbTest, WithoutEditStockTheStockPageAndEveryUseRatioRefuse) {
  Exec("DELETE FROM SECURITY");
  TForm1& f = StartOnStyle();
  const QString refused = "Sorry, you do not have the required security level.\n\nRequires: Edit Stock";
  int prompts = 0;
  onDialog = [&prompts](QDialog& d) {
    ++prompts;
    d.reject();
  };
  f.SpButTabStock->click();
  f.StockPage->ButtonAdd->click();
  f.StockPage->ButtonEdit->click();
  EXPECT_EQ(TakeShown(), (QStringList{refused, refused}));
  EXPECT_EQ(f.StockPage->Mode(), "View");
  for (TQuantityPage* page : {f.StockPage.Get(), f.MinStockPage.Get(), f.MaxStockPage.Get(), f.BarcodesPage.Get()}) {
    f.ShowTabSheet(page->Sheet);
    page->ButtonUseRatio->click();
    EXPECT_EQ(TakeShown(), QStringList{refused}) << page->Column().toStdString();
  }
  EXPECT_EQ(prompts, 0);
  EXPECT_EQ(f.StockPage->Mode(), "View");
  // Minimum and maximum stock ask for no right.
  f.SpButShowMinStock->click();
  f.MinStockPage->ButtonAdd->click();
  EXPECT_EQ(f.MinStockPage->Mode(), "Add");
  EXPECT_TRUE(TakeShown().isEmpty());
}

// ----- two programs ------------------------------------------------------------------------------

// Another program adds stock in its open transaction, to a PLU with a row and
// to one without; this window adds to both meanwhile, waits for it and adds
// to what it wrote.
TEST_P(StockPagesDbTest, TwoProgramsAddingStockAtOnceLoseNeitherAddition) {
  PutRow("0000004200", "MAIN STORE", "STOCK_QUANTITY", "10");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  page.CheckBoxCreateBarcodes->setChecked(false);
  page.ButtonAdd->click();
  Type(page.Grid, 3, kDenim, "3");
  Type(page.Grid, 4, kDenim, "4");

  const TBranchStockClass::Branch branch{BranchId("MAIN STORE"), "MAIN STORE"};
  AnotherProgram program(Connect(), [&branch](kdb::Database& db) {
    kdb::Query q(&db);
    const TBranchStockClass::QuantityChoice add{"STOCK_QUANTITY", true};
    TBranchStockClass(q).Write(branch, {{{"0000004200", "00000042"}, TBranchStockClass::QuantityAssigns(add, 5, 0)},
                                        {{"0000004201", "00000042"}, TBranchStockClass::QuantityAssigns(add, 7, 0)}});
  }, 400, true);
  page.ButtonApply->click();
  program.Wait();
  EXPECT_EQ(TakeShown(), QStringList{"Stock saved successfully."});
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "18");
  // The row the other program made is the one this window added to.
  EXPECT_EQ(Rows("PLU='0000004201'"), 1);
  EXPECT_EQ(Stored("0000004201", "MAIN STORE", "STOCK_QUANTITY"), "11");
}

// Another program holds the rows longer than this one waits for them.
TEST_P(StockPagesDbTest, AnApplyThatCannotWriteSaysSoWritesNothingAndKeepsTheFigures) {
  PutRow("0000004200", "MAIN STORE", "STOCK_QUANTITY", "10");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  page.ButtonAdd->click();
  Type(page.Grid, 3, kBlack, "1");
  Type(page.Grid, 3, kDenim, "3");

  AnotherProgram program(Connect(), [](kdb::Database& db) {
    db.Execute("UPDATE BRANCHSTOCK SET MIN_STOCK_QUANTITY = 1 WHERE PLU = '0000004200'");
  }, 2500, false);
  page.ButtonApply->click();
  program.Wait();
  const QStringList shown = TakeShown();
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.first().startsWith("The stock was not saved.\n\n")) << shown.first().toStdString();
  EXPECT_TRUE(shown.first().endsWith("\n\nNothing was written.")) << shown.first().toStdString();
  EXPECT_EQ(Rows(), 1);  // not even the rows that could be made
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "10");
  EXPECT_EQ(page.Mode(), "Add");
  EXPECT_EQ(page.Grid->Cell(3, kDenim), "3");
  EXPECT_TRUE(f.isEnabled());
  EXPECT_TRUE(LogText().contains("TForm1::ButtonApplyStockClick"));
}

// The same on the other three pages, each with its own words: another program
// holds a row of the branch in its unfinished change while the page applies.
TEST_P(StockPagesDbTest, AnApplyOfTheOtherPagesThatCannotWriteSaysSoAndWritesNothing) {
  PutRow("0000004200", "MAIN STORE", "MIN_STOCK_QUANTITY", "2");
  Exec("UPDATE BRANCHSTOCK SET MAX_STOCK_QUANTITY = 5, BARCODES_QUANTITY = 1");
  TForm1& f = StartOnStyle();
  kvtest::DbHandle other = Connect();
  struct Case {
    QToolButton* tab;
    TQuantityPage* page;
    QString told;
    QString stored;
  };
  for (const Case& c : {Case{f.SpButShowMinStock, f.MinStockPage, "The minimum stock was not saved.\n\n", "2"},
                        Case{f.SpButShowMaxStock, f.MaxStockPage, "The maximum stock was not saved.\n\n", "5"},
                        Case{f.SpButTabBCodes, f.BarcodesPage, "The barcode quantities were not saved.\n\n", "1"}}) {
    SCOPED_TRACE(c.page->Column().toStdString());
    TQuantityPage& page = *c.page;
    c.tab->click();
    if (page.HasModes()) page.ButtonEdit->click();
    Type(page.Grid, 3, kDenim, "7");
    Type(page.Grid, 3, kBlack, "4");
    other.db->StartTransaction();
    other.db->Execute("UPDATE BRANCHSTOCK SET STOCK_QUANTITY = 1 WHERE PLU = '0000004200'");
    page.ButtonApply->click();
    other.db->Rollback();
    const QStringList shown = TakeShown();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.first().startsWith(c.told)) << shown.first().toStdString();
    EXPECT_TRUE(shown.first().endsWith("\n\nNothing was written.")) << shown.first().toStdString();
    EXPECT_EQ(Rows(), 1);
    EXPECT_EQ(Stored("0000004200", "MAIN STORE", page.Column()), c.stored);
    // The page stays as it was, the figures typed, to be applied again.
    if (page.HasModes()) {
      EXPECT_EQ(page.Mode(), "Edit");
    }
    EXPECT_TRUE(page.Editable());
    EXPECT_EQ(page.Grid->Cell(3, kDenim), "7");
    EXPECT_TRUE(f.isEnabled());
  }
  // Applied again once the other program is done, it writes against what
  // was loaded: the failed Apply left nothing behind.
  f.BarcodesPage->ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Barcodes saved successfuly!"});
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "BARCODES_QUANTITY"), "7");
  EXPECT_EQ(Stored("0000004300", "MAIN STORE", "BARCODES_QUANTITY"), "4");
}

// ----- figures that cannot be read --------------------------------------------------------------

// The branch's figures fail to read after the style was loaded: the grid
// shows nothing rather than zeros (nor the figures read before), and an
// Apply of it would write those blanks as figures: refused.
TEST_P(StockPagesDbTest, FiguresThatCannotBeReadShowNoZerosAndApplyIsRefused) {
  PutRow("0000004200", "MAIN STORE", "STOCK_QUANTITY", "10");
  TForm1& f = StartOnStyle();
  TQuantityPage& page = *f.StockPage;
  f.SpButTabStock->click();
  ASSERT_EQ(page.Grid->Cell(3, kDenim), "10");
  page.ButtonEdit->click();
  Exec("ALTER TABLE BRANCHSTOCK RENAME TO BRANCHSTOCK_AWAY");
  ChooseBranch(page.BranchCombo, "MAIN STORE");
  Exec("ALTER TABLE BRANCHSTOCK_AWAY RENAME TO BRANCHSTOCK");
  EXPECT_EQ(TakeShown(), QStringList{"The figures of branch MAIN STORE could not be read."});
  EXPECT_TRUE(LogText().contains("TForm1::ComboBoxStockBranchesSelect"));
  // Nor once a cell is taken and left with Enter in the read-only grid.
  ASSERT_TRUE(page.Grid->SetCurrent(3, kDenim));
  QTest::keyClick(page.Grid, Qt::Key_Return);
  for (int row : {kBlack, kDenim, 3})
    EXPECT_EQ(page.Grid->RowTexts(row).mid(3), (QStringList{"", "", "", ""})) << row;
  EXPECT_EQ(page.Mode(), "View");
  EXPECT_FALSE(page.Editable());
  EXPECT_TRUE(f.isEnabled());

  // Edit opens the grid, but nothing typed in it is applied.
  page.ButtonEdit->click();
  Type(page.Grid, 3, kDenim, "12");
  page.ButtonApply->click();
  EXPECT_EQ(TakeShown(), QStringList{"Please choose a branch first: its figures are not loaded."});
  EXPECT_EQ(Rows(), 1);
  EXPECT_EQ(Stored("0000004200", "MAIN STORE", "STOCK_QUANTITY"), "10");
  EXPECT_TRUE(f.isEnabled());
}

KV_DB_ENGINES(StockPagesDbTest);

}  // namespace
