// The style window without a database: start-up without settings, the keys
// of the root PLU box and the price calculator, the calculator as a person
// clicks it, the currency conversion of a save, and how the colour list and
// the panels look.
#include "SkTestUtil.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTest>

#include "KvEdit.h"
#include "KvStringGrid.h"
#include "PickList.h"
#include "Pricecalcform.h"
#include "SeasonsForm.h"

namespace {

class ReviewSkTest : public sktest::FormTest {
 protected:
  // Opens the calculator from the retail box with these prices and lets
  // `person` work it.
  void OpenCalculator(const char* cost, const char* retail, const char* wholesale,
                      const std::function<void(TFormPriceCalc&)>& person) {
    dm->Setup->SFPriceCalc = true;
    form->EditCostPrice->setText(cost);
    form->EditRetailPrice->setText(retail);
    form->EditWSPrice->setText(wholesale);
    form->PanelVATRate->setText("20");
    int shown = 0;
    onDialog = [&](QDialog& d) {
      auto* calc = qobject_cast<TFormPriceCalc*>(&d);
      ASSERT_NE(calc, nullptr);
      ++shown;
      Activate(calc);
      ASSERT_EQ(calc->focusWidget(), calc->EditRetailMarkup);
      person(*calc);
    };
    form->EditRetailPriceEnter();
    EXPECT_EQ(shown, 1);
  }
};

// ----- start-up ------------------------------------------------------------------------------

TEST_F(ReviewSkTest, WithoutSettingsTheToolStillTriesItsDatabase) {
  // The tool goes on with the built-in defaults after the message; here no
  // database answers there, so it ends at the connection, quietly.
  EXPECT_EQ(ShownTexts(), QStringList{"Error: There are no settings available."});
  EXPECT_TRUE(form->TerminateRequested());
  EXPECT_FALSE(dm->LastError.isEmpty()) << "no connection was attempted";
}

// ----- keys ----------------------------------------------------------------------------------

TEST_F(ReviewSkTest, TabMovesThroughTheCalculator) {
  OpenCalculator("10.00", "30.00", "15.00", [](TFormPriceCalc& calc) {
    QTest::keyClick(calc.EditRetailMarkup, Qt::Key_Tab);
    EXPECT_EQ(calc.focusWidget(), calc.EditRetailPrice);
    QTest::keyClick(calc.EditRetailPrice, Qt::Key_Backtab);
    EXPECT_EQ(calc.focusWidget(), calc.EditRetailMarkup);
    calc.BitBtnCancel->click();
  });
}

// ----- the calculator as a person clicks it -------------------------------------------------------

TEST_F(ReviewSkTest, OpeningTheCalculatorAndClickingOkKeepsThePrices) {
  // 100.00 / 33.33 shows as 3.000; taken back as 3.00 x 33.33 it would be 99.99.
  OpenCalculator("33.33", "100.00", "50.00", [](TFormPriceCalc& calc) {
    EXPECT_EQ(calc.EditRetailMarkup->text(), "3.000");
    QTest::mouseClick(calc.BitBtnOK, Qt::LeftButton);
  });
  EXPECT_EQ(form->EditRetailPrice->text(), "100.00");
  EXPECT_EQ(form->EditWSPrice->text(), "50.00");
}

TEST_F(ReviewSkTest, ATypedMarkupIsRoundedAndPricedWhenOkIsClicked) {
  OpenCalculator("10.00", "30.00", "15.00", [](TFormPriceCalc& calc) {
    calc.EditRetailMarkup->selectAll();
    QTest::keyClicks(calc.EditRetailMarkup, "2.5a");  // the letter is dropped
    EXPECT_EQ(calc.EditRetailPrice->text(), "25.00");  // at once
    QTest::mouseClick(calc.BitBtnOK, Qt::LeftButton);
    EXPECT_EQ(calc.EditRetailMarkup->text(), "2.50");
  });
  EXPECT_EQ(form->EditRetailPrice->text(), "25.00");
  EXPECT_EQ(form->EditWSPrice->text(), "15.00");
}

// ----- currency conversion of a save ----------------------------------------------------------------

TEST_F(ReviewSkTest, OnlyTheRateIsSinglePrecisionInTheConversion) {
  kui::SetPickItems(form->ComboBoxCurrency, {"EUR=1.17"});
  form->ComboBoxCurrency->setCurrentIndex(0);
  form->EditCostPrice->setText("1006.51");
  form->EditRetailPrice->setText("1006.51");
  form->EditWSPrice->setText("1006.51");
  form->ConvertPricesByCurrency();
  // 1006.51 / 1.17f = 860.26499 (a single-precision price gives 860.26502).
  EXPECT_EQ(form->EditCostPrice->text(), "860.26");
  EXPECT_EQ(form->EditRetailPrice->text(), "860.26");
  EXPECT_EQ(form->EditWSPrice->text(), "1006.51");
}

// ----- how it looks ----------------------------------------------------------------------------------

// The columns [from, image width) in which a row band holds a dark pixel.
std::pair<int, int> DarkSpan(const QImage& img, int from, int top, int bottom) {
  int left = img.width(), right = -1;
  for (int y = top; y < bottom; ++y)
    for (int x = from; x < img.width(); ++x)
      if (qGray(img.pixel(x, y)) < 128) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  return {left, right};
}

TEST_F(ReviewSkTest, TheColourEntryShowsThePictureStateWhole) {
  dm->Setup->LOUseImages = true;
  form->ImagesFolder = kvtest::TempRoot() + "/review-sk-images/";
  kvtest::WriteFile(form->ImagesFolder + "00000042.jpg", "x");
  kui::KvStringGrid* g = form->SGridStyleColours;
  g->SetRowTexts(0, {QString(), "00000042", "BLACK", "16777215", "65.00", QString()});
  QImage img(188, 48, QImage::Format_RGB32);
  img.fill(Qt::white);
  {
    QPainter p(&img);
    p.setFont(g->font());
    form->SGridStyleColoursDrawCell(p, 0, 0, img.rect());
  }
  const QFontMetrics fm(g->font());
  // Right-aligned at 188 - 2 - 24 = 162; the price ends well before x 60.
  const auto [left, right] = DarkSpan(img, 60, 26, 46);
  ASSERT_GE(right, 0) << "no picture state drawn";
  EXPECT_LE(right, 162);
  EXPECT_LE(left, 162 - fm.horizontalAdvance("Has image") + 3) << "the text lost its first letters";
  kvtest::SaveScreenshot(g, "StyleKeeperColourEntry");
}

TEST_F(ReviewSkTest, PanelsShowAllFourEdges) {
  form->show();
  QApplication::processEvents();
  for (QLabel* panel : {form->PanelMarkup, form->PanelSizes}) {
    const QImage img = panel->grab().toImage();
    const int w = img.width(), h = img.height();
    ASSERT_GT(w, 4);
    const QRgb back = form->palette().color(QPalette::Window).rgb();
    for (const QPoint edge : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w / 2, h - 1), QPoint(w - 1, h / 2)})
      EXPECT_NE(img.pixel(edge), back) << panel->objectName().toStdString() << " edge at " << edge.x() << ","
                                       << edge.y();
  }
}

TEST_F(ReviewSkTest, TheSeasonPickerListsTheOtherSeasons) {
  TFormSeasons seasons(form.get());
  for (const char* item : {"AUTUMN WINTER 2025=3", "CONTINUITY=5", "SPRING SUMMER 2026=9"})
    seasons.ListBox1->addItem(item);
  seasons.ListBox1->setCurrentRow(0);
  seasons.show();
  QApplication::processEvents();
  EXPECT_EQ(seasons.windowTitle(), "Clone New Season");
  EXPECT_EQ(seasons.Panel1->text(), "Clone New Season");
  EXPECT_EQ(seasons.ListBox1->item(1)->text(), "CONTINUITY=5");  // shown as stored
  EXPECT_EQ(seasons.size(), QSize(417, 510));
  kvtest::SaveScreenshot(&seasons, "FormSeasons");
}

}  // namespace
