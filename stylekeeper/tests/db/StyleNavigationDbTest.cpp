// Stepping through the whole catalogue in PLU order on both engines, through
// the real window: the same style skipped, a colour added later met again,
// the ends of the table, the step taken from the loaded root PLU, the open
// tab kept; and every statement of the searches and steps answered from an
// index, never by reading the whole products table.
#include "SearchDbFixture.h"

#include <QStackedWidget>
#include <QToolButton>

#include "ImagePageF.h"
#include "NavigationBarF.h"
#include "StyleListClass.h"
#include "StyleNavigationClass.h"

namespace {

using sktest::AddColour;

class StyleNavigationDbTest : public sktest::SearchDbFixture {
 protected:
  // In PLU order: JEAN01 DENIM 42 and BLACK 43, ZED1 44, ALPHA 45, JEAN01
  // WHITE 46 (a colour added later), MID3 47.
  void AddCatalogue() {
    AddColour(db(), {"00000044", "ZED1", "BLACK"});
    AddColour(db(), {"00000045", "ALPHA", "NAVY"});
    AddColour(db(), {"00000046", "JEAN01", "WHITE"});
    AddColour(db(), {"00000047", "MID3", "RED"});
  }

  // The root PLU shown after loading `from` and pressing `button`.
  QString StepFrom(TForm1& f, const QString& from, QToolButton* TNavigationBar::*button) {
    f.OpenRootPLU(from);
    (f.NavigationBar->*button)->click();
    return f.LoadedRootPLU();
  }
};

TEST_P(StyleNavigationDbTest, StepsGoInPLUOrderSkippingTheSameStyleAndStayAtTheEnds) {
  AddCatalogue();
  TForm1& f = Start();
  using Nav = TNavigationBar;
  EXPECT_EQ(StepFrom(f, "00000045", &Nav::SpButNavFirst), "00000042");
  EXPECT_EQ(StepFrom(f, "00000045", &Nav::SpButNavLast), "00000047");
  // Next skips the other colour of JEAN01; the colour added later is met again.
  EXPECT_EQ(StepFrom(f, "00000042", &Nav::SpButNavNext), "00000044");
  EXPECT_EQ(StepFrom(f, "00000044", &Nav::SpButNavNext), "00000045");
  EXPECT_EQ(StepFrom(f, "00000045", &Nav::SpButNavNext), "00000046");
  // Next from the last style stays on the last row's root PLU.
  EXPECT_EQ(StepFrom(f, "00000047", &Nav::SpButNavNext), "00000047");
  // Previous lands on the last colour before, in PLU order.
  EXPECT_EQ(StepFrom(f, "00000044", &Nav::SpButNavPrev), "00000043");
  EXPECT_EQ(StepFrom(f, "00000046", &Nav::SpButNavPrev), "00000045");
  // Previous from the second colour of the first style shows its first colour.
  EXPECT_EQ(StepFrom(f, "00000043", &Nav::SpButNavPrev), "00000042");
  EXPECT_EQ(StepFrom(f, "00000042", &Nav::SpButNavPrev), "00000042");
  EXPECT_EQ(f.Mode(), "View");
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(StyleNavigationDbTest, AStepStartsFromTheLoadedRootPLUNotFromTheBoxText) {
  AddCatalogue();
  TForm1& f = Start({"", "00000044"});
  f.ComboBoxRootPLU->setEditText("47");  // typed, not loaded
  f.NavigationBar->SpButNavNext->click();
  EXPECT_EQ(f.LoadedRootPLU(), "00000045");
}

TEST_P(StyleNavigationDbTest, AStepKeepsTheOpenTabAndAFailedStepKeepsTheStyle) {
  AddCatalogue();
  TForm1& f = Start({"", "00000042"});
  // The image tab as its button opens it.
  QObject::connect(f.SpButTabImage, &QToolButton::clicked, f.ImagePage, [&f] { f.ImagePage->ShowSheet(); });
  f.SpButTabImage->click();
  f.NavigationBar->SpButNavNext->click();
  EXPECT_EQ(f.LoadedRootPLU(), "00000044");
  EXPECT_EQ(f.PageCtrlSF->currentWidget(), f.TabShImage);

  DropTable("PRODUCTS");
  f.NavigationBar->SpButNavNext->click();
  EXPECT_EQ(f.LoadedRootPLU(), "00000044");
  EXPECT_EQ(f.EditSupplierStyle->text(), "ZED1");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TNavigationBar::kStepFailed)) << messages[0].toStdString();
  EXPECT_TRUE(LogText().contains("TForm1::SpButNavNextClick"));
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(StyleNavigationDbTest, AnEmptyCatalogueShowsAnEmptyWindow) {
  Exec("DELETE FROM PRODUCTS");
  TForm1& f = Start();
  for (QToolButton* b : {f.NavigationBar->SpButNavFirst, f.NavigationBar->SpButNavNext,
                         f.NavigationBar->SpButNavPrev, f.NavigationBar->SpButNavLast}) {
    b->click();
    EXPECT_EQ(f.EditSupplierStyle->text(), "");
  }
  EXPECT_EQ(ShownTexts(), QStringList());
}

// ----- no statement reads the whole products table ----------------------------------

class SearchPlanDbTest : public sktest::SearchDbFixture {
 protected:
  // What of the plan reads the products table whole: a scan of the table, or
  // of an index holding every row (unless the statement stops at its first
  // row).
  QStringList WholeTableReads(const QString& sql) {
    QStringList found;
    kdb::Query q(&db());
    if (isPg()) {
      // Forbidden scans cost so much that PostgreSQL takes one only when no
      // index can answer.
      Exec("SET enable_seqscan = off");
      q.SQL = "EXPLAIN " + sql;
      q.ExecSQL();
      for (q.First(); !q.Eof(); q.Next()) {
        const QString line = q.Fields(0).AsString();
        if (line.contains("Seq Scan on products")) found << line.trimmed();
        if (line.contains("Full Scan")) found << line.trimmed();
      }
      return found;
    }
    const bool firstRowOnly = sql.endsWith("limit 1");
    q.SQL = "EXPLAIN QUERY PLAN " + sql;
    q.ExecSQL();
    for (q.First(); !q.Eof(); q.Next()) {
      const QString line = q.FieldByName("detail").AsString();
      if (!line.startsWith("SCAN products") && !line.startsWith("SCAN p ")) continue;
      const bool partial = line.contains("IX_PRODUCTS_ECOM") || line.contains("IX_PRODUCTS_COST_OVER_RETAIL");
      if (!partial && !(firstRowOnly && line.contains("UX_PRODUCTS_PLU"))) found << line;
    }
    return found;
  }
};

TEST_P(SearchPlanDbTest, TheSearchesAndStepsReadOnlyTheRowsTheyNeed) {
  const QStringList statements{
      TStyleListClass::StyleListSQL(TStyleListClass::ExternalCodeWhere("SKU-9")),
      TStyleListClass::StyleListSQL(*TStyleListClass::PriceWhere("retail_price", "12.5")),
      TStyleListClass::StyleListSQL(*TStyleListClass::PriceWhere("current_cost_price", "12.5")),
      TStyleListClass::StyleListSQL(TStyleListClass::CostAboveRetailWhere()),
      TStyleListClass::StyleListSQL(TStyleListClass::WebsiteWhere()),
      TStyleListClass::StyleSheetSQL(QString("JEAN01")),
      TStyleNavigationClass::StepSQL(TStyleNavigationClass::navFirst, "", ""),
      TStyleNavigationClass::StepSQL(TStyleNavigationClass::navLast, "", ""),
      TStyleNavigationClass::StepSQL(TStyleNavigationClass::navNext, "00000042", "JEAN01"),
      TStyleNavigationClass::StepSQL(TStyleNavigationClass::navPrior, "00000042", "JEAN01"),
  };
  for (const QString& sql : statements) EXPECT_EQ(WholeTableReads(sql), QStringList()) << sql.toStdString();
  // What the check catches: a condition no index can answer.
  EXPECT_NE(WholeTableReads("select root_plu from products where sku like '%9'"), QStringList());
  EXPECT_NE(WholeTableReads("select root_plu from products where coalesce(description, '') <> 'X' limit 1"), QStringList());
}

KV_DB_ENGINES(StyleNavigationDbTest);
KV_DB_ENGINES(SearchPlanDbTest);

}  // namespace
