// The stock evaluation dialog on both engines, through the real window: the
// group sums against sums worked out by hand, departments of one name under
// two categories, no stock at all, and a run that fails.
#include "SearchDbFixture.h"

#include <QToolButton>

#include "SearchBarF.h"

namespace {

using sktest::AddColour;

class EvaluationDbTest : public sktest::SearchDbFixture {
 protected:
  // JEAN01 (MENSWEAR / JEANS, SOLENT DENIM, TESSARIN) DENIM 00000042 at
  // 25.00 / 60.00 and BLACK 00000043 at 25.00 / 65.00; LJEAN (LADIESWEAR /
  // a JEANS department of its own) 00000048 at 10.00 / 40.00; BAG1
  // (ACCESSORIES / BAGS) 00000049 without any stock row.
  void AddStock() {
    Exec("INSERT INTO PARAMETERS (NAME, TYPE, PARENT_ID) SELECT 'JEANS', 'DEPARTMENT', ID FROM PARAMETERS"
         " WHERE TYPE = 'CATEGORY' AND NAME = 'LADIESWEAR'");
    sktest::ColourRow ladies{"00000048", "LJEAN", "DENIM", "10.00", "40.00"};
    ladies.category = "LADIESWEAR";
    AddColour(db(), ladies);
    sktest::ColourRow bag{"00000049", "BAG1", "BLACK", "3.00", "9.00"};
    bag.category = "ACCESSORIES";
    bag.department = "BAGS";
    AddColour(db(), bag);
    Exec("UPDATE PRODUCTS SET BRANDLABEL_NAME = 'HARBOUR LANE' WHERE STYLE = 'LJEAN'");
    sktest::FillCodeListIds(db());
    // Every branch counts, negative stock with its sign; size 02 of DENIM
    // has no stock row at all.
    const QStringList rows{"'0000004200', '00000042', 1, 2", "'0000004200', '00000042', 4, 3",
                           "'0000004201', '00000042', 1, -1", "'0000004300', '00000043', 1, 500",
                           "'0000004801', '00000048', 5, 10"};
    for (const QString& r : rows)
      Exec("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, STOCK_QUANTITY) VALUES (" + r + ")");
  }

  // Runs the dialog for the item and gives its grid's rows.
  QStringList Evaluate(TForm1& f, int item, const QString& screenshot = {}) {
    QStringList rows;
    bool shown = false;
    inEvaluation = [&](TFormEvaluation& e) {
      EXPECT_FALSE(e.SGridRep->isVisible());  // hidden until the first run
      Choose(e, item);
      shown = e.SGridRep->isVisible();
      if (shown) rows = GridRows(*e.SGridRep);
      if (!screenshot.isEmpty()) kvtest::SaveScreenshot(&e, screenshot);
    };
    f.SearchBar->ButtonEvaluationSearch->click();
    if (!shown) rows = QStringList{"(grid hidden)"};
    return rows;
  }
};

TEST_P(EvaluationDbTest, GroupSumsMatchTheSumsWorkedOutByHand) {
  AddStock();
  TForm1& f = Start();
  // DENIM: stock 2 + 3 - 1 = 4, cost 4 x 25 = 100, retail 4 x 60 = 240.
  // BLACK: 500 at 25 / 65: 12,500 and 32,500. LJEAN: 10 at 10 / 40.
  EXPECT_EQ(Evaluate(f, 1, "StyleKeeperEvaluation"),
            (QStringList{"Department|Stock|Cost|Retail|Gross Profit",
                         "MENSWEAR JEANS|504|12,600.00|32,740.00|20,140.00",
                         "LADIESWEAR JEANS|10|100.00|400.00|300.00",
                         "TOTALS:|514|12,700.00|33,140.00|20,440.00"}));
  EXPECT_EQ(Evaluate(f, 0), (QStringList{"Category|Stock|Cost|Retail|Gross Profit",
                                         "MENSWEAR|504|12,600.00|32,740.00|20,140.00",
                                         "LADIESWEAR|10|100.00|400.00|300.00",
                                         "TOTALS:|514|12,700.00|33,140.00|20,440.00"}));
  EXPECT_EQ(Evaluate(f, 2), (QStringList{"Supplier|Stock|Cost|Retail|Gross Profit",
                                         "SOLENT DENIM|514|12,700.00|33,140.00|20,440.00",
                                         "TOTALS:|514|12,700.00|33,140.00|20,440.00"}));
  EXPECT_EQ(Evaluate(f, 4), (QStringList{"Brand|Stock|Cost|Retail|Gross Profit",
                                         "TESSARIN|504|12,600.00|32,740.00|20,140.00",
                                         "HARBOUR LANE|10|100.00|400.00|300.00",
                                         "TOTALS:|514|12,700.00|33,140.00|20,440.00"}));
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(EvaluationDbTest, GroupsOfEqualStockComeInNameOrder) {
  AddStock();
  Exec("UPDATE PRODUCTS SET SEASON_NAME = 'CONTINUITY' WHERE ROOT_PLU = '00000043'");
  Exec("UPDATE PRODUCTS SET SEASON_NAME = 'AUTUMN WINTER 2025' WHERE ROOT_PLU = '00000048'");
  Exec("UPDATE BRANCHSTOCK SET STOCK_QUANTITY = 4 WHERE PLU = '0000004300'");
  sktest::FillCodeListIds(db());
  TForm1& f = Start();
  EXPECT_EQ(Evaluate(f, 3), (QStringList{"Season|Stock|Cost|Retail|Gross Profit",
                                         "AUTUMN WINTER 2025|10|100.00|400.00|300.00",
                                         "CONTINUITY|4|100.00|260.00|160.00",
                                         "SPRING SUMMER 2025|4|100.00|240.00|140.00",
                                         "TOTALS:|18|300.00|900.00|600.00"}));
}

TEST_P(EvaluationDbTest, NoStockAtAllGivesTheHeaderAndZeroTotals) {
  TForm1& f = Start();
  EXPECT_EQ(Evaluate(f, 0),
            (QStringList{"Category|Stock|Cost|Retail|Gross Profit", "TOTALS:|0|0.00|0.00|0.00"}));
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(EvaluationDbTest, AFailedRunSaysSoAndShowsNoFigures) {
  AddStock();
  TForm1& f = Start();
  DropTable("BRANCHSTOCK");
  EXPECT_EQ(Evaluate(f, 0), QStringList{"(grid hidden)"});
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TFormEvaluation::kRunFailed)) << messages[0].toStdString();
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
}

KV_DB_ENGINES(EvaluationDbTest);

}  // namespace
