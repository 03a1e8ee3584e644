// The product search results dialog on both engines, alone and as the
// enquiry's "Advanced Search".
#include "StyleHistoryFixture.h"

#include "AdvancedSearchForm.h"
#include "FormSearchResF.h"
#include "KvEdit.h"

#include <QPushButton>

namespace {

using L = QStringList;

class FormSearchRes : public histtest::StyleHistoryFixture {
 protected:
  QStringList searchedFor;  // what was typed into the advanced search
  QString supplierText;     // "" : the criteria are cancelled
  QString styleText;
  int chooseRow = 1;        // 0: close the results with Cancel
  QStringList shownStyles;  // the styles the results listed
  int resultsShown = 0;
  QString screenshot;       // the results are saved under this name when set

  void SetUp() override {
    StyleHistoryFixture::SetUp();
    ASSERT_TRUE(dm->Init());
    ASSERT_TRUE(dm->ConnectAndLoadUser(false)) << dm->LastError.toStdString();
    onDialog = [this](QDialog& d) {
      if (auto* criteria = qobject_cast<TFormAdvancedSearch*>(&d)) {
        if (supplierText.isEmpty() && styleText.isEmpty()) return d.reject();
        criteria->EditSupplier->setText(supplierText);
        criteria->EditSupplierStyle->setText(styleText);
        criteria->BitBtnOK->click();
      } else if (auto* results = qobject_cast<kvrep::TFormSearchResults*>(&d)) {
        ++resultsShown;
        shownStyles = results->SGrid->ColTexts(1).mid(1);
        if (!screenshot.isEmpty()) kvtest::SaveScreenshot(results, screenshot);
        results->SGrid->SetRow(chooseRow > 0 ? chooseRow : 1);  // a row highlighted in any case
        (chooseRow > 0 ? results->BitBtnOK : results->BitBtnCancel)->click();
      } else {
        d.reject();
      }
    };
  }
};

TEST_P(FormSearchRes, OneRowPerStyleInStyleOrderAndTheChosenOne) {
  supplierText = "SOLENT";
  chooseRow = 2;
  screenshot = "StyleHistory-SearchResults";
  kvrep::TFormSearchResults dlg;
  EXPECT_TRUE(dlg.Execute());
  EXPECT_EQ(resultsShown, 1);
  EXPECT_EQ(shownStyles, (L{"CAP01", "JEAN01", "SHOE01", "TEE01"}));
  EXPECT_EQ(dlg.GetSelected(1), "JEAN01");
  // The values of the style's first products row.
  EXPECT_EQ(dlg.SGrid->RowTexts(2), (L{"00000042", "JEAN01", "REF-JEAN01", "JEAN01 DESCRIPTION", "DENIM",
                                       "SPRING SUMMER 2025", "MENSWEAR", "JEANS", "TESSARIN", "20", "25.00"}));
  EXPECT_EQ(dlg.SGrid->RowTexts(0).first(), "Root PLU");
  EXPECT_EQ(dlg.SGrid->ColWidth(1), 104);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_P(FormSearchRes, CancelNothingFoundAndAFailedSearchGiveNoChoice) {
  {
    kvrep::TFormSearchResults dlg;  // criteria cancelled: no results shown
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(resultsShown, 0);
  }
  {
    styleText = "JEAN";
    chooseRow = 0;  // a row highlighted, then Cancel
    kvrep::TFormSearchResults dlg;
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(resultsShown, 1);
    EXPECT_EQ(shownStyles, L{"JEAN01"}) << "three colours, one style";
  }
  {
    styleText = "O'NEIL";  // a quote is text, not SQL
    kvrep::TFormSearchResults dlg;
    EXPECT_FALSE(dlg.Execute());
    EXPECT_EQ(messages, L{"No matching styles found."});
  }
  messages.clear();
  Exec("DROP TABLE PRODUCTS");
  styleText = "JEAN";
  kvrep::TFormSearchResults dlg;
  EXPECT_FALSE(dlg.Execute());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("The search could not be run:\n")) << messages[0].toStdString();
  EXPECT_EQ(resultsShown, 1);
}

TEST_P(FormSearchRes, TheEnquiryOpensTheStyleChosen) {
  dm.reset();  // the window brings its own start-up
  dm = Module("StyleHistory");
  TFormStyleHistoryF& f = Start();
  styleText = "SHOE";
  f.SpButAdvSearch->click();
  EXPECT_EQ(f.CurrentStyle, "SHOE01");
  EXPECT_EQ(kui::PickItems(f.ComboByColour), (L{"NAVY=00000070", "TAN=00000071"}));
  EXPECT_FALSE(f.PanelInfo->isHidden());
  // Cancelled criteria leave the style shown.
  styleText.clear();
  f.SpButAdvSearch->click();
  EXPECT_EQ(f.CurrentStyle, "SHOE01");
  EXPECT_TRUE(messages.isEmpty());
}

KV_DB_ENGINES(FormSearchRes);

}  // namespace
