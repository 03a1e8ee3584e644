// The search dialogs over a real PRODUCTS table on both engines: the advanced
// search's condition in a statement, and the results dialog loaded from it.
#include "AdvancedSearchForm.h"
#include "KvDbTestSupport.h"
#include "KvBusyGuard.h"
#include "KvEdit.h"
#include "KvStringGrid.h"
#include "KvTestSupport.h"
#include "LoadingForm.h"
#include "ModalSeam.h"
#include "SearchResultsForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

// Records what a wait window would show.
struct WaitRecorder : kui::KvWaitIndicator {
  QStringList texts;
  int closed = 0;
  void ShowWait(const QString& message, const QString& info) override {
    texts << message + (info.isEmpty() ? QString() : "|" + info);
  }
  void CloseWait() override { ++closed; }
};

class SearchFormsDbTest : public kvtest::DbTest {
 protected:
  kdb::Query query{nullptr};

  void SetUp() override {
    DbTest::SetUp();
    query.SetDatabase(&db());
    const QString text = isPg() ? " VARCHAR(40) COLLATE \"C\"" : " VARCHAR(40)";
    QStringList cols{"ID INTEGER PRIMARY KEY", "PLU" + text};
    for (const char* c : {"ROOT_PLU", "SUPPLIER_NAME", "STYLE", "STYLE_REF", "DESCRIPTION",
                          "COLOUR_NAME", "SEASON_NAME", "CATEGORY_NAME", "DEPARTMENT_NAME",
                          "SUBDEPARTMENT_NAME", "BRANDLABEL_NAME", "SIZESSCALE_NAME"})
      cols << c + text;
    cols << "VAT_RATE DOUBLE PRECISION" << "CURRENT_COST_PRICE NUMERIC(19,4)"
         << "RETAIL_PRICE NUMERIC(19,4)";
    db().Execute("CREATE TABLE PRODUCTS (" + cols.join(", ") + ")");
    // 25 styles of one colour each; every fifth from a supplier with a quote.
    for (int i = 1; i <= 25; ++i) {
      const QString n = QString::number(i);
      const QString supplier = i % 5 == 0 ? "'O''BRIEN'" : "'ACME'";
      db().Execute(QString("INSERT INTO PRODUCTS VALUES (%1, '%2', '%3', %4, 'ST%1', 'REF%1', "
                           "'DESC %1', 'NAVY', 'SS24', 'KNIT', 'WOMEN', 'TOPS', 'LABEL', "
                           "'S-XL', 17.5, %5, 19.99)")
                       .arg(n, QString("%1").arg(i, 8, 10, QLatin1Char('0')) + "00",
                            QString("%1").arg(i, 8, 10, QLatin1Char('0')), supplier,
                            QString::number(i) + ".345"));
    }
  }
  void TearDown() override {
    query.Close();
    kui::ModalSeam::ClearAnswerers();
    DbTest::TearDown();
  }

  // The style list the style editor runs, with the dialog's condition.
  void Search(const QString& where) {
    query.SQL = "select root_plu, supplier_name, style, style_ref, description,"
                "colour_name, season_name, category_name, department_name,"
                "subdepartment_name, brandlabel_name, sizesscale_name, vat_rate,"
                "current_cost_price, retail_price from products" +
                where + " order by style, colour_name";
    query.ExecSQL();
  }
  int Count(const QString& sql) {
    kdb::Query q(&db());
    q.SQL = sql;
    q.ExecSQL();
    return static_cast<int>(q.Fields(0).AsInteger());
  }
};

TEST_P(SearchFormsDbTest, LoadingShowsProgressEveryTenRowsAndTheCount) {
  TFormSearchResults f;
  WaitRecorder wait;
  f.WaitIndicator = &wait;
  Search(QString());
  ASSERT_EQ(query.RecordCount(), 25);
  query.Last();  // loading starts from the first row whatever the position
  f.LoadResults(query);

  EXPECT_EQ(wait.texts, (QStringList{"Loading Result : 1 of 25", "Loading Result : 11 of 25",
                                     "Loading Result : 21 of 25"}));
  EXPECT_EQ(wait.closed, 1);
  EXPECT_EQ(f.PanelFound->text(), "Found: 25");
  ASSERT_EQ(f.SGridRes->RowCount(), 26);
  ASSERT_EQ(f.RootPLUs.size(), 25);
  // Ordered by style text: ST1, ST10, ST11 ...
  EXPECT_EQ(f.RootPLUs.mid(0, 3), (QStringList{"00000001", "00000010", "00000011"}));
  EXPECT_EQ(f.SGridRes->RowTexts(2),
            (QStringList{"00000010", "O'BRIEN", "ST10", "REF10", "DESC 10", "NAVY", "SS24",
                         "KNIT", "WOMEN", "TOPS", "LABEL", "S-XL", "17.50", "10.35", "19.99"}));
  EXPECT_EQ(f.SGridRes->Cell(13, 1), "1.35");  // 1.345 rounds half away from zero
  EXPECT_FALSE(f.HasResults());  // nothing chosen yet

  // A search without rows leaves one empty data row.
  Search(" where style = 'NONE'");
  f.LoadResults(query);
  EXPECT_EQ(f.SGridRes->RowCount(), 2);
  EXPECT_EQ(f.SGridRes->RowTexts(1), QStringList(15, QString()));
  EXPECT_EQ(f.PanelFound->text(), "Found: 0");
  EXPECT_TRUE(f.RootPLUs.isEmpty());
  EXPECT_EQ(wait.closed, 2);
}

TEST_P(SearchFormsDbTest, OwnWaitWindowIsGoneAfterLoading) {
  TFormSearchResults f;
  Search(QString());
  f.LoadResults(query);
  EXPECT_EQ(f.RootPLUs.size(), 25);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<TFormLoading*>(w) && w->isVisible()) << "a wait window was left behind";
}

TEST_P(SearchFormsDbTest, DoubleClickChoosesAndNavigationStepsThroughTheList) {
  TFormSearchResults f;
  Search(QString());
  f.LoadResults(query);
  kui::ScopedAnswerer answer([&](QDialog&) {
    if (GetParam() == kvtest::Engine::SQLite) kvtest::SaveScreenshot(&f, "FormSearchResults");
    const QRect cell = f.SGridRes->CellRect(2, 3);
    QTest::mouseClick(f.SGridRes->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(f.SGridRes->viewport(), Qt::LeftButton, {}, cell.center());
  });
  ASSERT_TRUE(f.Execute());
  EXPECT_EQ(f.CurrentRootPLU, "00000011");
  EXPECT_EQ(f.CurrentIndex, 2);
  ASSERT_TRUE(f.HasResults());

  EXPECT_EQ(f.Navigate(TFormSearchResults::navPrior), "00000010");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navFirst), "00000001");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navPrior), "00000001");
  EXPECT_EQ(f.Navigate(TFormSearchResults::navLast), f.RootPLUs.last());
  EXPECT_EQ(f.Navigate(TFormSearchResults::navNext), f.RootPLUs.last());
  EXPECT_EQ(f.CurrentIndex, 24);
}

TEST_P(SearchFormsDbTest, ClearEmptiesTheListAndClosesWithoutAChoice) {
  TFormSearchResults f;
  Search(QString());
  f.LoadResults(query);
  f.CurrentRootPLU = f.RootPLUs[4];
  f.CurrentIndex = 4;
  kui::ScopedAnswerer answer([&](QDialog&) { f.BitBtnNewSearch->click(); });
  EXPECT_FALSE(f.Execute());
  EXPECT_FALSE(f.HasResults());
  EXPECT_EQ(f.CurrentRootPLU, "");
  EXPECT_TRUE(f.RootPLUs.isEmpty());
  EXPECT_EQ(f.SGridRes->RowCount(), 2);
  EXPECT_EQ(f.SGridRes->RowTexts(1), QStringList(15, QString()));
  EXPECT_EQ(f.SGridRes->Cell(0, 0), "Root PLU");
  EXPECT_EQ(f.PanelFound->text(), "Found: 0");
}

TEST_P(SearchFormsDbTest, ConditionsFindRowsAndAQuoteCannotChangeTheStatement) {
  TFormAdvancedSearch dlg;
  TFormSearchResults f;

  dlg.EditRootPLU->setText("12");
  Search(dlg.GetWhereClause());
  f.LoadResults(query);
  EXPECT_EQ(f.RootPLUs, QStringList{"00000012"});

  dlg.FormShow();
  dlg.EditSupplier->setText("O'BRIEN");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 5);

  dlg.FormShow();
  dlg.EditSupplier->setText("X' OR '1'='1");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 0);

  dlg.FormShow();
  dlg.EditDescription->setText("X'; DELETE FROM PRODUCTS; --");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 0);
  EXPECT_EQ(Count("select count(*) from products"), 25);

  // Matching is case-sensitive on both engines.
  dlg.FormShow();
  dlg.EditColour->setText("NAV");
  const QString colour = dlg.GetWhereClause();
  Search(colour);
  EXPECT_EQ(query.RecordCount(), 25);
  db().Execute("UPDATE PRODUCTS SET COLOUR_NAME = 'navy' WHERE ID <= 5");
  Search(colour);
  EXPECT_EQ(query.RecordCount(), 20);
}

// A backslash typed into a box is a backslash on both engines (PostgreSQL
// would take it as an escape character by default); % and _ stay wildcards.
TEST_P(SearchFormsDbTest, ABackslashFindsTheSameRowsOnBothEngines) {
  db().Execute("UPDATE PRODUCTS SET STYLE_REF = 'A\\%B' WHERE ID = 1");
  db().Execute("UPDATE PRODUCTS SET STYLE_REF = 'A%B' WHERE ID = 2");
  TFormAdvancedSearch dlg;
  dlg.EditStyleRef->setText("A\\");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 1);
  dlg.FormShow();
  dlg.EditStyleRef->setText("A\\%B");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 1);
  dlg.FormShow();
  dlg.EditStyleRef->setText("A_B");
  Search(dlg.GetWhereClause());
  EXPECT_EQ(query.RecordCount(), 1);  // A%B; A\%B has one character more
  TFormAdvancedSearch valuation(nullptr, TFormAdvancedSearch::TUse::Valuation);
  valuation.EditStyleRef->setText("\\");
  EXPECT_EQ(Count("select count(*) from products where id > 0" + valuation.GetWhereClause()), 1);
}

TEST_P(SearchFormsDbTest, ValuationConditionAppendsToTheCallersWhere) {
  TFormAdvancedSearch dlg(nullptr, TFormAdvancedSearch::TUse::Valuation);
  dlg.EditStyleRef->setText("F1");  // REF1, REF10 .. REF19
  dlg.EditSupplier->setText("BRIEN");
  EXPECT_EQ(Count("select count(*) from products where id > 0" + dlg.GetWhereClause()), 2);
}

KV_DB_ENGINES(SearchFormsDbTest);

}  // namespace
