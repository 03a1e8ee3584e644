// The style editor's top-bar searches and the kept result list on both
// engines, through the real window: what each search lists, what it tells
// when it finds nothing or fails, and the kept list reused by the search
// button and stepped through by the navigation buttons.
#include "SearchDbFixture.h"

#include <QToolButton>

#include "NavigationBarF.h"
#include "SearchBarF.h"

namespace {

using sktest::AddColour;

class StyleSearchDbTest : public sktest::SearchDbFixture {
 protected:
  // Beside JEAN01 (DENIM 00000042 at 60.00, BLACK 00000043 at 65.00, both
  // cost 25.00 and on the website): TEE10 in three colours at 12.50, COAT7
  // whose large size is dearer, CLEAR9 sold below cost; external codes
  // stored as typed.
  void AddSearchStyles() {
    AddColour(db(), {"00000050", "TEE10", "WHITE", "5.00", "12.50"});
    AddColour(db(), {"00000051", "TEE10", "NAVY", "5.00", "12.50"});
    AddColour(db(), {"00000052", "TEE10", "RED", "5.00", "12.50"});
    AddColour(db(), {"00000060", "COAT7", "GREY MARL", "40.00", "80.00"});
    SetPluColumn("0000006002", "RETAIL_PRICE", "95");
    AddColour(db(), {"00000070", "CLEAR9", "KHAKI", "30.00", "20.00"});
    SetPluColumn("0000006001", "EXTERNAL_BARCODE", "'ab-123'");
    SetPluColumn("0000004201", "SKU", "'Sku-9'");
  }

  const QStringList tees{"00000051", "00000052", "00000050"};  // NAVY, RED, WHITE

  void Search(QToolButton* button, const QString& value) {
    typed = value;
    button->click();
  }
};

TEST_P(StyleSearchDbTest, EachTopBarSearchListsEveryRootPLUWithARowItFinds) {
  AddSearchStyles();
  TForm1& f = Start({"", "00000042"});
  f.SpButEditClick();  // the top bar works in every mode
  TSearchBar& bar = *f.SearchBar;
  struct Case {
    QToolButton* button;
    QString typed, prompt;
    QStringList listed;
  };
  const Case cases[] = {
      // Codes in any case: typed in lower case, stored in mixed case.
      {bar.SpButTopExtSearch, "sku-9", "External Barcode:", {"00000042"}},
      {bar.SpButTopExtSearch, "AB-123", "External Barcode:", {"00000060"}},
      // A style whose colours all match lists each colour; a colour whose
      // sizes differ in price is listed once when any size matches.
      {bar.SpButTopRetailPriceSearch, "12.5", "Retail Price:", tees},
      {bar.SpButTopRetailPriceSearch, "95", "Retail Price:", {"00000060"}},
      {bar.SpButTopRetailPriceSearch, "80.00", "Retail Price:", {"00000060"}},
      {bar.SpButTopCostPriceSearch, "25", "Cost Price:", {"00000043", "00000042"}},
      {bar.SpButTopCostGtRetailSearch, "", "", {"00000070"}},
      {bar.SpButTopEComSearch, "", "", {"00000043", "00000042"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button->text().toStdString() + " " + c.typed.toStdString());
    prompts.clear();
    resultLists.clear();
    if (c.typed == "12.5") shots["TFormSearchResults"] = "StyleKeeperSearchResults";
    if (c.typed == "sku-9") shots["TFormSimpleSearch"] = "StyleKeeperSimpleSearch";
    Search(c.button, c.typed);
    EXPECT_EQ(prompts, c.prompt.isEmpty() ? QStringList() : QStringList{c.prompt});
    ASSERT_EQ(resultLists.size(), 1);
    EXPECT_EQ(resultLists[0], c.listed);
    // OK on the first row shows it.
    EXPECT_EQ(f.LoadedRootPLU(), c.listed[0]);
    EXPECT_EQ(f.Mode(), "View");
  }
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(StyleSearchDbTest, NothingFoundSaysSoAndKeepsTheLastList) {
  AddSearchStyles();
  TForm1& f = Start();
  Search(f.SearchBar->SpButTopRetailPriceSearch, "12.5");
  ASSERT_EQ(FormSearchResults->RootPLUs, tees);

  Search(f.SearchBar->SpButTopRetailPriceSearch, "1.23");
  // A quote is a character like any other: the code is searched for, not run.
  Search(f.SearchBar->SpButTopExtSearch, "O'NEIL");
  EXPECT_EQ(messages, QStringList(2, TSearchBar::kNoMatch));
  EXPECT_EQ(resultLists.size(), 1);
  EXPECT_EQ(FormSearchResults->RootPLUs, tees);
  EXPECT_EQ(f.LoadedRootPLU(), "00000051");
}

TEST_P(StyleSearchDbTest, CancelABlankValueOrNoPriceRunsNoSearch) {
  AddSearchStyles();
  TForm1& f = Start();
  promptOK = false;
  Search(f.SearchBar->SpButTopRetailPriceSearch, "12.5");
  promptOK = true;
  Search(f.SearchBar->SpButTopCostPriceSearch, "   ");
  Search(f.SearchBar->SpButTopExtSearch, "");
  EXPECT_EQ(prompts, (QStringList{"Retail Price:", "Cost Price:", "External Barcode:"}));
  EXPECT_TRUE(resultLists.isEmpty());
  EXPECT_EQ(ShownTexts(), QStringList());

  Search(f.SearchBar->SpButTopRetailPriceSearch, "12,50");
  Search(f.SearchBar->SpButTopCostPriceSearch, "1 OR 1=1");
  EXPECT_EQ(messages, (QStringList{"\"12,50\" is not a price.", "\"1 OR 1=1\" is not a price."}));
  EXPECT_TRUE(resultLists.isEmpty());
}

TEST_P(StyleSearchDbTest, AFailedSearchSaysItFailedAndKeepsTheLastList) {
  AddSearchStyles();
  TForm1& f = Start();
  Search(f.SearchBar->SpButTopRetailPriceSearch, "12.5");
  DropTable("PRODUCTS");
  Search(f.SearchBar->SpButTopEComSearch, "");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TSearchBar::kSearchFailed)) << messages[0].toStdString();
  EXPECT_NE(messages[0], TSearchBar::kSearchFailed);  // with the reason
  EXPECT_EQ(resultLists.size(), 1);
  EXPECT_EQ(FormSearchResults->RootPLUs, tees);
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
  EXPECT_TRUE(f.isEnabled());
}

TEST_P(StyleSearchDbTest, TheSearchButtonShowsTheKeptListAgainUntilItIsCleared) {
  AddSearchStyles();
  TForm1& f = Start();
  resultsRow = 2;
  Search(f.SearchBar->SpButTopRetailPriceSearch, "12.5");
  EXPECT_EQ(f.LoadedRootPLU(), "00000052");
  // Were the search run again, it would find nothing now.
  Exec("UPDATE PRODUCTS SET RETAIL_PRICE = 99");

  resultsRow = 0;  // Cancel: the list stays
  f.NavigationBar->SpButNavSearch->click();
  resultsRow = 3;
  f.NavigationBar->SpButNavSearch->click();
  EXPECT_EQ(resultLists, QList<QStringList>(3, tees));
  EXPECT_EQ(f.LoadedRootPLU(), "00000050");
  EXPECT_EQ(advancedShown, 0);

  // "Clear" empties the list and goes on to the advanced search.
  resultsRow = -1;
  fillAdvanced = [this](TFormAdvancedSearch& d) {
    d.EditSupplierStyle->setText("COAT");
    resultsRow = 1;
  };
  f.NavigationBar->SpButNavSearch->click();
  EXPECT_EQ(advancedShown, 1);
  EXPECT_EQ(resultLists.last(), QStringList{"00000060"});
  EXPECT_EQ(f.LoadedRootPLU(), "00000060");

  // Cleared again, then Cancel in the advanced search: nothing is run.
  resultsRow = -1;
  fillAdvanced = nullptr;
  f.NavigationBar->SpButNavSearch->click();
  EXPECT_EQ(advancedShown, 2);
  EXPECT_EQ(resultLists.size(), 6);
  EXPECT_FALSE(FormSearchResults->HasResults());
  EXPECT_EQ(f.LoadedRootPLU(), "00000060");
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(StyleSearchDbTest, TheKeptListDrivesTheNavigationButtonsAndStopsAtItsEnds) {
  AddSearchStyles();
  TForm1& f = Start();
  Search(f.SearchBar->SpButTopEComSearch, "");  // BLACK 00000043, DENIM 00000042
  ASSERT_EQ(f.LoadedRootPLU(), "00000043");
  TNavigationBar& nav = *f.NavigationBar;
  QStringList shown;
  for (QToolButton* b : {nav.SpButNavNext, nav.SpButNavNext, nav.SpButNavFirst, nav.SpButNavPrev, nav.SpButNavLast}) {
    b->click();
    shown << f.LoadedRootPLU();
  }
  // The catalogue would step from 00000043 to TEE10; the list knows only two.
  EXPECT_EQ(shown, (QStringList{"00000042", "00000042", "00000043", "00000043", "00000042"}));
  EXPECT_EQ(resultLists.size(), 1);
  EXPECT_EQ(ShownTexts(), QStringList());
}

TEST_P(StyleSearchDbTest, TheAdvancedSearchListsEachColourOnceAndEveryColourWithoutAField) {
  AddSearchStyles();
  TForm1& f = Start();
  fillAdvanced = [](TFormAdvancedSearch& d) { d.EditColour->setText("R"); };  // RED, not GREY MARL
  f.NavigationBar->SpButNavSearch->click();
  fillAdvanced = [](TFormAdvancedSearch&) {};
  resultsRow = 0;
  f.NavigationBar->SpButNavSearch->click();  // the kept list again: Cancel leaves it
  ASSERT_EQ(resultLists.size(), 2);
  EXPECT_EQ(resultLists[0], QStringList{"00000052"});
  FormSearchResults->BitBtnNewSearchClick();  // as "Clear" leaves it
  f.NavigationBar->SpButNavSearch->click();
  ASSERT_EQ(resultLists.size(), 3);
  EXPECT_EQ(resultLists[2], (QStringList{"00000070", "00000060", "00000043", "00000042", "00000051", "00000052",
                                         "00000050"}));  // CLEAR9, COAT7, JEAN01 BLACK, DENIM, TEE10 ...
  EXPECT_EQ(ShownTexts(), QStringList());
}

KV_DB_ENGINES(StyleSearchDbTest);

}  // namespace
