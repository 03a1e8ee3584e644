// The stock evaluation on both engines: its statement against the
// straightforward one, the run with and without a search, department
// grouping, a failed run, and printing with the logo.
#include "../../../tests/StockReportFixture.h"

#include "AdvancedSearchForm.h"
#include "KvEdit.h"
#include "StockEvaluationForm.h"
#include "StockEvaluationPrintForm.h"

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QRegularExpression>

#include <algorithm>

#include <sys/stat.h>

namespace {

using namespace stocktest;

// The evaluation's statement as first written. Only what each engine needs
// to run it is changed: plain aliases, and on PostgreSQL the shown columns
// that are not grouped taken with min() (SQLite takes them from any row of
// the group) and NULLs sorted first as on SQLite.
QString Reference(int index, const QString& branch, const QString& condition, bool pg) {
  const TGroupChoice& g = TStockGroupByClass::ValuationChoices()[size_t(index)];
  QStringList shown{"branch_name", "department_id", "department_name", "category_name"};
  for (const QString& name : g.NameColumn.split(", ")) shown << name;
  QStringList select{"branch_id"};
  for (const QString& c : shown) select << (pg ? "min(" + c + ") as " + c : c);
  select.insert(5, g.IdColumn);
  QString sql = "select " + select.join(", ") +
                ", SUM(CURRENT_COST_PRICE*STOCK_QUANTITY) as TOTAL_COST, SUM(RETAIL_PRICE*STOCK_QUANTITY) as"
                " TOTAL_RETAIL, AVG(RETAIL_PRICE) as UNIT_RETAIL, AVG(CURRENT_COST_PRICE) as UNIT_COST,"
                " SUM(STOCK_QUANTITY) as UNITS FROM BRANCHSTOCK, PRODUCTS WHERE BRANCHSTOCK.PLU = PRODUCTS.PLU ";
  if (!branch.isEmpty()) sql += " AND BRANCH_ID = " + branch;
  sql += condition + " GROUP BY BRANCH_ID, " + g.IdColumn + " order by ";
  return sql + (pg ? QString(g.NameColumn).replace(",", " nulls first,") + " nulls first" : g.NameColumn);
}

TEvaluationRecord ReferenceRecord(kdb::DataSet& q, int index) {
  TEvaluationRecord r = TStockEvaluationClass::ReadFigures(q);
  r.Group = index == TStockGroupByClass::kDepartment
                ? TStockEvaluationClass::DepartmentText(q.FieldByName("category_name").AsString(),
                                                        q.FieldByName("department_name").AsString())
                : q.FieldByName(TStockGroupByClass::ValuationChoices()[size_t(index)].NameColumn).AsString();
  return r;
}

struct Evaluated {
  std::vector<QStringList> rows;  // the records' rows and the totals row
  QStringList groups;             // the group column in the statement's order
};

Evaluated Evaluate(kdb::Database& db, const QString& sql, int index, bool reference) {
  TStockEvaluationClass e;
  e.Begin();
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  Evaluated out;
  for (q.First(); !q.Eof(); q.Next()) {
    TEvaluationRecord r = reference ? ReferenceRecord(q, index) : TStockEvaluationClass::ReadRecord(q, index);
    out.rows.push_back(e.AddRecord(r));
    out.groups << r.Group;
  }
  std::sort(out.rows.begin(), out.rows.end());  // the statements' order is compared by the groups
  out.rows.push_back(e.TotalsRow());
  return out;
}

class ValuationReport : public StockReportTest<TMainForm> {
 protected:
  // The advanced search answered: a root PLU typed and OK, or Cancel.
  void AnswerSearch(const QString& rootPlu, bool ok) {
    dialogAnswer = [=](QDialog& d) {
      auto* search = qobject_cast<TFormAdvancedSearch*>(&d);
      if (!search) return d.accept();  // a message
      search->EditRootPLU->setText(rootPlu);
      (ok ? search->BitBtnOK : search->BitBtnCancel)->click();
    };
  }
  QStringList Column(int col) const { return form->StringGrid1->ColTexts(col); }
};

TEST_P(ValuationReport, EveryGroupBranchAndSearchValuesWhatTheStraightforwardStatementGives) {
  PrepareDatabase(ShopWithStock());
  for (int index = 0; index < 6; ++index)
    for (const QString& branch : {QString(), QString("5")})
      for (const QString& condition :
           {QString(), QString(" and supplier_name like '%ACME%'"), QString(" and colour_name like '%NAVY%'")}) {
        const QString cond = branch.isEmpty() ? QString() : " and branch_id = " + branch;
        const Evaluated mine = Evaluate(db(), TStockEvaluationClass::Statement(index, cond, condition), index, false);
        const Evaluated ref = Evaluate(db(), Reference(index, branch, condition, isPg()), index, true);
        const std::string where = std::to_string(index) + " " + branch.toStdString() + condition.toStdString();
        EXPECT_EQ(mine.rows, ref.rows) << where;
        EXPECT_EQ(mine.groups, ref.groups) << where;
        EXPECT_GE(mine.rows.size(), 2u) << where;
      }
}

TEST_P(ValuationReport, ACancelledSearchValuesEverythingAndPrintsWithTheLogo) {
  TMainForm& f = Start("ValuationReport");
  ASSERT_FALSE(terminated);
  EXPECT_EQ(f.ComboBoxGroupBy->currentText(), "Department");
  EXPECT_TRUE(f.SpButExport->isHidden());
  EXPECT_EQ(f.ComboBoxBranch->itemText(0), "HARROGATE=4");  // the whole item shows
  f.ComboBoxGroupBy->setCurrentIndex(5);                    // Supplier
  AnswerSearch("0000001", false);
  f.SpeedButtonRunReport->click();
  ASSERT_TRUE(f.ReportShown());
  EXPECT_FALSE(f.LastStatement().contains(" like "));
  const QString e;
  const std::vector<QStringList> expected{
      {"Branch", "Supplier", "Units", "AVG Unit Cost", "AVG Unit Retail", "Total Cost", "Total Retail", "Total G.Profit"},
      {"MAIN STORE", "ACME KNITS", "10", "10.50", "25.99", "105.00", "259.90", "154.90"},
      {"HARROGATE", "ACME KNITS", "3", "10.50", "25.99", "31.50", "77.97", "46.47"},
      // -3 at 10.50 and 7 at 1.2345; the retail of the product without a price is left out.
      {"YORK", "ACME KNITS", "4", "5.87", "25.99", "-22.86", "-77.97", "-55.11"},
      {"MAIN STORE", "BOLT & CO", "10", "3.33", "7.50", "33.33", "75.00", "41.67"},
      {"HARROGATE", "BOLT & CO", "0", "3.33", "7.50", "0.00", "0.00", "0.00"},
      {"YORK", "BOLT & CO", "1000", "3.33", "7.50", "3,333.30", "7,500.00", "4,166.70"},
      QStringList(8, e),
      {e, "TOTALS:", "1027", "6.14", "16.75", "3,480.27", "7,834.90", "4,354.63"},
  };
  EXPECT_EQ(Grid(), expected);
  EXPECT_EQ(f.PanelTotalUnits->text(), "1027");
  EXPECT_EQ(f.PanelTotalCost->text(), "3,480.27");
  EXPECT_EQ(f.PanelTotalRetail->text(), "7,834.90");
  EXPECT_EQ(f.PanelGrossProfit->text(), "4,354.63");
  kvtest::SaveScreenshot(&f, "ValuationReport");

  const QString share = kvtest::FreshFolder("share");
  QImage logo(188, 62, QImage::Format_RGB32);
  logo.fill(Qt::darkBlue);
  ASSERT_TRUE(QDir().mkpath(share + "Images") && logo.save(share + "Images/Logo.jpg"));
  dm->Setup->DBSharePath = share;
  dm->Setup->LOUseImages = true;
  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  auto& report = static_cast<TFormReport&>(*print);
  EXPECT_EQ(report.Title(), "Stock Evaluation By Supplier");
  const QString text = PrintOut(report, "ValuationReport-print");
  EXPECT_TRUE(report.QRImage1->Enabled);
  EXPECT_TRUE(text.contains("Branch"));  // the title row prints as the first line
  EXPECT_TRUE(text.contains("TOTALS:"));
  EXPECT_TRUE(text.contains("4,354.63"));
  EXPECT_TRUE(text.contains("Retail Price - Cost Price"));
  f.ButtonPrintOn->click();
  EXPECT_EQ(previews, 1);
  EXPECT_TRUE(messages.isEmpty());

  // A pipe in the logo's place is never opened (reading it would hang the
  // print): the page prints without the logo.
  print.reset();
  ASSERT_TRUE(QFile::remove(share + "Images/Logo.jpg"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(share + "Images/Logo.jpg").constData(), 0600), 0);
  print = f.PreparedPrintForm();
  auto& again = static_cast<TFormReport&>(*print);
  EXPECT_TRUE(PrintOut(again, "ValuationReport-print-nologo").contains("TOTALS:"));
  EXPECT_FALSE(again.QRImage1->Enabled);
}

TEST_P(ValuationReport, DepartmentsOfOneNameStayApartAndASearchNarrowsTheProducts) {
  TMainForm& f = Start("ValuationReport");
  AnswerSearch("", true);
  f.SpeedButtonRunReport->click();
  const QString casual = "CASUALS / KNITWEAR C", outer = "OUTERWEA / KNITWEAR C";
  EXPECT_EQ(Column(1), (QStringList{"Department", casual, casual, casual, outer, outer, outer, "", "TOTALS:"}));
  // A root PLU matches anywhere in the column that both tables hold.
  AnswerSearch("0000001", true);
  f.SpeedButtonRunReport->click();
  EXPECT_TRUE(f.LastStatement().contains("root_plu like '%0000001%'"));
  EXPECT_EQ(Column(1), (QStringList{"Department", outer, outer, outer, "", "TOTALS:"}));
  EXPECT_EQ(Column(2), (QStringList{"Units", "7", "3", "-3", "", "7"}));
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(ValuationReport, ProductsWithoutAnyStockValueAtZeroWithZeroAverages) {
  TMainForm& f = Start("ValuationReport");
  // A run with stock first, so that nothing of it may linger in the totals.
  AnswerSearch("", true);
  f.SpeedButtonRunReport->click();
  ASSERT_EQ(f.PanelTotalUnits->text(), "1027");
  // R0000005 has products but not one stock row.
  AnswerSearch("0000005", true);
  f.SpeedButtonRunReport->click();
  ASSERT_TRUE(f.ReportShown());
  EXPECT_TRUE(f.LastStatement().contains("root_plu like '%0000005%'"));
  const QString e;
  const std::vector<QStringList> expected{
      {"Branch", "Department", "Units", "AVG Unit Cost", "AVG Unit Retail", "Total Cost", "Total Retail",
       "Total G.Profit"},
      QStringList(8, e),
      {e, "TOTALS:", "0", "0.00", "0.00", "0.00", "0.00", "0.00"},
  };
  EXPECT_EQ(Grid(), expected);
  EXPECT_EQ(f.PanelTotalUnits->text(), "0");
  EXPECT_EQ(f.PanelTotalCost->text(), "0.00");
  EXPECT_EQ(f.PanelTotalRetail->text(), "0.00");
  EXPECT_EQ(f.PanelGrossProfit->text(), "0.00");
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  // The empty valuation prints its totals as the grid shows them.
  std::unique_ptr<TGridReportForm> print = f.PreparedPrintForm();
  const QString text = PrintOut(*print, "ValuationReport-nostock");
  EXPECT_TRUE(text.contains("TOTALS:"));
  const QRegularExpression notANumber("\\bnan\\b", QRegularExpression::CaseInsensitiveOption);
  EXPECT_FALSE(text.contains(notANumber)) << text.toStdString();
}

TEST_P(ValuationReport, AFailedRunTellsTheUserAndShowsNoValuation) {
  TMainForm& f = Start("ValuationReport");
  Exec("DROP TABLE BRANCHSTOCK");
  AnswerSearch("", false);
  f.SpeedButtonRunReport->click();
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("The report could not be run:")) << messages[0].toStdString();
  EXPECT_FALSE(f.ReportShown());
  EXPECT_TRUE(f.isEnabled());
  f.ButtonPrintOn->click();
  EXPECT_EQ(messages.last(), "Please Run Report first!");
}

TEST_P(ValuationReport, ABranchReadsAsBranchesNamesItOrAsItsStockRowsWhenGone) {
  PrepareDatabase(kvfwtest::StarterData([](kdb::Database& db) {
    Catalogue(db);
    db.Execute("UPDATE BRANCHSTOCK SET BRANCH_NAME = 'YORK OLD NAME' WHERE BRANCH_ID = 5");
    db.Execute("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, BRANCH_NAME, STOCK_QUANTITY)"
               " VALUES ('R000000300', 'R0000003', 77, 'CLOSED SHOP', 2)");
  }));
  QStringList branches;
  kdb::Query q(&db());
  q.SQL = TStockEvaluationClass::Statement(5, "", "");
  q.ExecSQL();
  for (q.First(); !q.Eof(); q.Next()) branches << TStockEvaluationClass::ReadRecord(q, 5).Branch;
  EXPECT_EQ(branches, (QStringList{"MAIN STORE", "HARROGATE", "YORK", "MAIN STORE", "HARROGATE", "YORK",
                                   "CLOSED SHOP"}));
}

KV_DB_ENGINES(ValuationReport);

}  // namespace
