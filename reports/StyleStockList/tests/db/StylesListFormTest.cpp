// The style picker on both engines: searches by part of the style code and
// through the advanced search, the found count, ticking, the refusals of OK,
// and a failed search that is not taken for "nothing found".
#include "../../../tests/StockCatalogueTestUtil.h"

#include "AdvancedSearchForm.h"
#include "KvCheckListBox.h"
#include "KvEdit.h"
#include "StylesListForm.h"

#include <QLabel>
#include <QPushButton>

namespace {

class StylesList : public reptest::StockReportDbTest {
 protected:
  std::unique_ptr<TFormStylesList> picker;

  void SetUp() override {
    StockReportDbTest::SetUp();
    Connected("StyleStockList");
    picker = std::make_unique<TFormStylesList>();
  }
  void TearDown() override {
    picker.reset();
    StockReportDbTest::TearDown();
  }
  void Search(const QString& text) {
    picker->Edit1->setText(text);
    picker->Edit1KeyPress(QChar(13));
  }
  QStringList Listed() const { return picker->ChListBoxStyles->Items(); }
};

TEST_P(StylesList, ASearchListsTheMatchingStylesInOrder) {
  EXPECT_EQ(FormStylesList, picker.get());
  Search("");
  EXPECT_EQ(Listed(), reptest::CatalogueStyles());
  EXPECT_EQ(picker->PanelFound->text(), "5");
  EXPECT_EQ(picker->CountChecked(), 0);
  picker->ChListBoxStyles->SetChecked(1, true);
  kvtest::SaveScreenshot(picker.get(), "StylesList");

  Search("O");  // anywhere in the code
  EXPECT_EQ(Listed(), (QStringList{"NOSTOCK", "O'HARA", "ONE"}));
  EXPECT_EQ(picker->PanelFound->text(), "3");
  Search("O'H");  // a quote is searched for like any other character
  EXPECT_EQ(Listed(), QStringList{"O'HARA"});
  picker->Edit1->setText("aw");
  EXPECT_EQ(picker->Edit1->text(), "AW");
  EXPECT_TRUE(messages.isEmpty());

  Search("ZZZ");
  EXPECT_EQ(messages, QStringList{TFormStylesList::kNoStyles});
  EXPECT_TRUE(Listed().isEmpty());
  EXPECT_EQ(picker->PanelFound->text(), "0");
}

TEST_P(StylesList, TheAdvancedSearchFindsStylesByTheirOtherFields) {
  QString colour = "BL";
  onDialog = [&](QDialog& d) {
    auto* search = qobject_cast<TFormAdvancedSearch*>(&d);
    ASSERT_NE(search, nullptr);
    search->EditColour->setText(colour);
    search->BitBtnOK->click();
  };
  picker->ButtonAdvancedSearch->click();
  EXPECT_EQ(Listed(), (QStringList{"AWK", "ONE"}));  // BLUE and BLACK
  EXPECT_EQ(picker->PanelFound->text(), "2");

  colour = "GREY";
  picker->ButtonAdvancedSearch->click();
  EXPECT_EQ(messages, QStringList{TFormStylesList::kNoStylesAdvanced});
  EXPECT_TRUE(Listed().isEmpty());

  onDialog = [](QDialog& d) { d.reject(); };  // cancelled: the list stays
  Search("BIG");
  picker->ButtonAdvancedSearch->click();
  EXPECT_EQ(Listed(), QStringList{"BIG"});
}

TEST_P(StylesList, TicksGiveTheSelectedStylesInListOrder) {
  Search("");
  picker->SpButSelectAll->click();
  EXPECT_EQ(picker->CountChecked(), 5);
  picker->SpButSelectNone->click();
  EXPECT_EQ(picker->CountChecked(), 0);
  picker->ChListBoxStyles->SetChecked(3, true);
  picker->ChListBoxStyles->SetChecked(0, true);
  QStringList styles{"LEFT OVER"};
  picker->GetSelectedStyles(styles);
  EXPECT_EQ(styles, (QStringList{"AWK", "O'HARA"}));
}

TEST_P(StylesList, OkNeedsATickedStyleInTheListingButNotInTheBrokenStylesUse) {
  int shown = 0;
  onDialog = [&](QDialog& d) {
    auto* p = qobject_cast<TFormStylesList*>(&d);
    ASSERT_NE(p, nullptr);
    ++shown;
    p->Edit1->setText("ONE");
    p->SpeedButton1->click();
    p->BitBtnOK->click();  // nothing ticked
    EXPECT_EQ(p->isVisible(), p->Use() == TFormStylesList::TUse::Listing);
    if (p->isVisible()) {
      p->ChListBoxStyles->SetChecked(0, true);
      p->BitBtnOK->click();
    }
  };
  EXPECT_EQ(picker->ExecuteResult(), kui::KvDialog::mrOk);
  EXPECT_EQ(messages, QStringList{TFormStylesList::kSelectOne});
  EXPECT_TRUE(picker->Execute());  // the tick stays for the next time

  TFormStylesList broken(nullptr, TFormStylesList::TUse::Broken);
  EXPECT_EQ(FormStylesList, picker.get());  // the broken-styles picker is made per run
  EXPECT_EQ(broken.ChListBoxStyles->objectName(), "CheckListBoxStyle");
  messages.clear();
  EXPECT_FALSE(broken.Execute());  // closed with OK, nothing ticked
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(shown, 3);
}

TEST_P(StylesList, AFailedSearchSaysSoAndKeepsTheList) {
  Search("AWK");
  Exec("ALTER TABLE PRODUCTS RENAME TO PRODUCTS_GONE");
  Search("");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith(TFormStylesList::kSearchFailed)) << messages[0].toStdString();
  EXPECT_FALSE(messages[0].contains(TFormStylesList::kNoStyles));
  EXPECT_EQ(Listed(), QStringList{"AWK"});
  EXPECT_EQ(picker->PanelFound->text(), "1");
  EXPECT_TRUE(LogText().contains("TDMDB::RunQuery"));
}

KV_DB_ENGINES(StylesList);

}  // namespace
