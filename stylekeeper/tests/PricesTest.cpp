// Margins, the price boxes and the price calculator, checked against figures
// worked out by hand, the calculator as a person works it, and the currency
// conversion of a save. No database: the window is built and told to end.
#include "SkTestUtil.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "Format.h"
#include "KvEdit.h"
#include "PickList.h"
#include "Pricecalcform.h"

namespace {

Currency Money(const char* text) { return kos::TextToCurrency(text); }

// ----- margins in 64-bit money, cut toward zero -------------------------------------

TEST(MarginPercent, IsCutTowardZeroNotRounded) {
  // (3 - 1) / 3 = 66.666...% -> 66.66
  EXPECT_EQ(TForm1::MarginPercent(Money("3.00"), Money("1.00")), "66.66");
  // (75 - 50) / 75 = 33.333...% -> 33.33
  EXPECT_EQ(TForm1::MarginPercent(Money("75.00"), Money("50.00")), "33.33");
  // A loss: (1 - 3) / 1 = -200%; (3 - 5) / 3 = -66.666...% cut toward zero -> -66.66
  EXPECT_EQ(TForm1::MarginPercent(Money("1.00"), Money("3.00")), "-200.00");
  EXPECT_EQ(TForm1::MarginPercent(Money("3.00"), Money("5.00")), "-66.66");
  // 0.0001 of 0.0003 is 33.33...%: the ten-thousandths count.
  EXPECT_EQ(TForm1::MarginPercent(Money("0.0003"), Money("0.0002")), "33.33");
}

TEST(MarginPercent, APriceOfZeroGivesZero) {
  EXPECT_EQ(TForm1::MarginPercent(Money("0"), Money("5.00")), "0.00");
}

TEST(MarginPercent, TheLargestPriceABoxHoldsDoesNotOverflow) {
  // 9999999999 is ten characters: (9999999999 - 1) / 9999999999 = 99.99999999%
  EXPECT_EQ(TForm1::MarginPercent(Money("9999999999"), Money("1")), "99.99");
}

TEST(MarkupText, RetailMarginIsTakenBeforeVAT) {
  // Net retail 120 / 1.2 = 100: (100 - 50) / 100 = 50%; wholesale (75 - 50) / 75.
  EXPECT_EQ(TForm1::MarkupText("50.00", "120.00", "75.00", "20"), "(33.33) 50.00");
  // 17.5% VAT: net 47 / 1.175 = 40; (40 - 30) / 40 = 25%; wholesale 0 gives 0.
  EXPECT_EQ(TForm1::MarkupText("30.00", "47.00", "0.00", "17.5"), "(0.00) 25.00");
}

TEST(MarkupText, TextThatIsNoNumberGivesZero) {
  EXPECT_EQ(TForm1::MarkupText(".", "120.00", "75.00", "20"), "0.00");
  EXPECT_EQ(TForm1::MarkupText("50.00", "", "75.00", "20"), "0.00");
  EXPECT_EQ(TForm1::MarkupText("50.00", "120.00", "75.00", "-100"), "0.00");  // division by zero
}

// ----- the price calculator's 32-bit floats ----------------------------------------------

class PriceCalcTest : public ::testing::Test {
 protected:
  TFormPriceCalc calc;
  void Cost(const char* text) { calc.EditCostPrice->setText(text); }
};

TEST_F(PriceCalcTest, PriceFromMarkupWorksInSinglePrecision) {
  Cost("10");
  EXPECT_EQ(calc.PriceFromMarkup("2.5"), "25.00");
  // 2.675 as a float is 2.67499995...: two decimals give 2.67 (in double 2.68).
  Cost("2.675");
  EXPECT_EQ(calc.PriceFromMarkup("1"), "2.67");
  Cost("10");
  EXPECT_EQ(calc.PriceFromMarkup("abc"), "0.00");
}

TEST_F(PriceCalcTest, MarkupFromPriceHasThreeDecimals) {
  Cost("3");
  EXPECT_EQ(calc.MarkupFromPrice("1"), "0.333");
  EXPECT_EQ(calc.MarkupFromPrice("4"), "1.333");
  EXPECT_EQ(calc.MarkupFromPrice("."), "0.000");
}

TEST_F(PriceCalcTest, ACostOfZeroGivesZeroEverywhere) {
  Cost("0");
  EXPECT_EQ(calc.MarkupFromPrice("25.00"), "0.000");
  EXPECT_EQ(calc.PriceFromMarkup("2.5"), "0.00");
  Cost("");
  EXPECT_EQ(calc.MarkupFromPrice("25.00"), "0.000");
}

TEST(PriceCalcRound, RoundInputKeepsFourDecimalsThenShowsTwo) {
  EXPECT_EQ(TFormPriceCalc::RoundInput("12.34567"), "12.35");
  EXPECT_EQ(TFormPriceCalc::RoundInput("2.5"), "2.50");
  EXPECT_EQ(TFormPriceCalc::RoundInput("."), "0.00");
  EXPECT_EQ(TFormPriceCalc::RoundInput(""), "0.00");
}

TEST(PriceCalcKeys, DigitsOnePointAndEditingKeysPass) {
  EXPECT_TRUE(TFormPriceCalc::KeyPasses("12", '3'));
  EXPECT_TRUE(TFormPriceCalc::KeyPasses("12", '.'));
  EXPECT_FALSE(TFormPriceCalc::KeyPasses("12.5", '.'));
  EXPECT_FALSE(TFormPriceCalc::KeyPasses("12", 'a'));
  EXPECT_FALSE(TFormPriceCalc::KeyPasses("12", '-'));
  EXPECT_TRUE(TFormPriceCalc::KeyPasses("12.5", '\b'));
  EXPECT_TRUE(TFormPriceCalc::KeyPasses("12.5", QChar(22)));  // Ctrl+V
}

TEST_F(PriceCalcTest, PrepareValuesShowsMarkupsWithoutTouchingThePrices) {
  Cost("33.33");
  calc.EditRetailPrice->setText("100.00");
  calc.EditWSPrice->setText("50.00");
  calc.PrepareValues();
  EXPECT_EQ(calc.EditRetailMarkup->text(), "3.000");
  EXPECT_EQ(calc.EditWSMarkup->text(), "1.500");
  // 33.33 x 3.000 would be 99.99: opening the calculator changes no price.
  EXPECT_EQ(calc.EditRetailPrice->text(), "100.00");
  EXPECT_TRUE(calc.EditCostPrice->isReadOnly());
  EXPECT_TRUE(calc.EditVATRate->isReadOnly());
}

TEST_F(PriceCalcTest, LeavingABoxRoundsItAndUpdatesItsPartner) {
  Cost("10");
  calc.EditRetailMarkup->setText("2.5");
  calc.EditRetailMarkup->setModified(true);  // as typed
  calc.BoxExit(calc.EditRetailMarkup);
  EXPECT_EQ(calc.EditRetailMarkup->text(), "2.50");
  EXPECT_EQ(calc.EditRetailPrice->text(), "25.00");
  calc.EditWSPrice->setText("15");
  calc.EditWSPrice->setModified(true);  // as typed
  calc.BoxExit(calc.EditWSPrice);
  EXPECT_EQ(calc.EditWSPrice->text(), "15.00");
  EXPECT_EQ(calc.EditWSMarkup->text(), "1.500");
  calc.EditSalePrice->setText("12.34567");
  calc.EditSalePrice->setModified(true);  // as typed
  calc.BoxExit(calc.EditSalePrice);
  EXPECT_EQ(calc.EditSalePrice->text(), "12.35");
  EXPECT_EQ(calc.EditRetailPrice->text(), "25.00");
}

// ----- the product's age ------------------------------------------------------------------

using kvtest::At;

TEST(ProductAge, MonthsThenWeeksOrDays) {
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-01-10T09:00:00"), At("2024-03-25T09:00:00")),
            "2 months 2 weeks");
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-02-25T09:00:00"), At("2024-03-27T10:00:00")), "1 months");
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-03-01T09:00:00"), At("2024-03-16T09:00:00")), "2 weeks");
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-03-20T09:00:00"), At("2024-03-25T08:00:00")), "4 days");
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-03-25T09:00:00"), At("2024-03-25T10:00:00")), "0 days");
  // The day of the month not reached yet: one month less.
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-01-31T09:00:00"), At("2024-02-28T09:00:00")), "4 weeks");
  // A month on from the 31st ends on the last day of a shorter month.
  EXPECT_EQ(TForm1::ProductAgeText(At("2024-01-31T09:00:00"), At("2024-02-29T09:00:00")), "1 months");
}

TEST(ProductAge, NoAgeForAnInvalidOrFutureDate) {
  EXPECT_ANY_THROW(TForm1::ProductAgeText(QDateTime(), At("2024-03-25T09:00:00")));
  EXPECT_ANY_THROW(TForm1::ProductAgeText(At("2024-04-25T09:00:00"), At("2024-03-25T09:00:00")));
}

// ----- the window's price boxes, without a database ------------------------------------------

// The message the window gives without settings is not what these tests look at.
class PriceBoxTest : public sktest::FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ClearShownTexts();
  }
};

TEST_F(PriceBoxTest, WithoutSettingsTheWindowAsksToEnd) {
  EXPECT_TRUE(form->TerminateRequested());
}

TEST_F(PriceBoxTest, ASecondPointIsRefusedWithItsMessageOnce) {
  form->EditCostPrice->setText("12.5.0");
  EXPECT_EQ(form->EditCostPrice->text(), "12.50");
  EXPECT_EQ(ShownTexts(), QStringList{"Cost Price value can only have one decimal point!"});
  ClearShownTexts();
  form->EditWSPrice->setText("1..");
  EXPECT_EQ(form->EditWSPrice->text(), "1.");
  EXPECT_EQ(ShownTexts(), QStringList{"Wholesale price can only have one decimal point!"});
  // The message box is not the logged message window.
  EXPECT_FALSE(dm->LoggingOn);
}

TEST_F(PriceBoxTest, PastedLettersAreDroppedAndTheCaretStays) {
  form->EditRetailPrice->setText("");
  form->EditRetailPrice->insert("1ab2");
  EXPECT_EQ(form->EditRetailPrice->text(), "12");
  EXPECT_EQ(form->EditRetailPrice->cursorPosition(), 2);
  EXPECT_TRUE(ShownTexts().isEmpty());
  EXPECT_TRUE(form->PricesTouched);
  EXPECT_FALSE(form->EditRetailPrice->isUndoAvailable());
}

TEST_F(PriceBoxTest, ALonePointCountsZeroWhenTheBoxIsLeft) {
  form->PanelVATRate->setText("20");
  form->EditCostPrice->setText(".");
  form->EditRetailPrice->setText("120");
  form->EditWSPrice->setText("75");
  form->CalcMarkup();
  EXPECT_EQ(form->PanelMarkup->text(), "0.00");  // nothing thrown, margin 0
  form->EditCostPriceExit();
  EXPECT_EQ(form->EditCostPrice->text(), "0.00");
  EXPECT_EQ(form->EditRetailPrice->text(), "120.00");
  EXPECT_EQ(form->EditWSPrice->text(), "75");  // wholesale is formatted on save only
  EXPECT_EQ(form->PanelMarkup->text(), "(100.00) 100.00");
}

TEST_F(PriceBoxTest, PriceBoxesAreUpperCaseAndTenLong) {
  for (QLineEdit* e : {static_cast<QLineEdit*>(form->EditCostPrice),
                       static_cast<QLineEdit*>(form->EditRetailPrice),
                       static_cast<QLineEdit*>(form->EditWSPrice)})
    EXPECT_EQ(e->maxLength(), 10);
  EXPECT_EQ(form->EditDescription->Case(), kui::KvEdit::CharCase::Upper);
}

TEST_F(PriceBoxTest, TheCalculatorTakesOverRetailWholesaleAndSalePrice) {
  dm->Setup->SFPriceCalc = true;
  form->EditCostPrice->setText("10.00");
  form->EditRetailPrice->setText("30.00");
  form->EditWSPrice->setText("15.00");
  form->PanelVATRate->setText("20");
  form->SalePrice = Money("9.5");
  QStringList seen;
  onDialog = [&](QDialog& d) {
    auto* calc = qobject_cast<TFormPriceCalc*>(&d);
    ASSERT_NE(calc, nullptr);
    seen << calc->EditCostPrice->text() << calc->EditVATRate->text() << calc->EditRetailMarkup->text()
         << calc->EditSalePrice->text();
    calc->EditRetailMarkup->setText("2.5");
    calc->EditRetailMarkup->setModified(true);  // as typed
    calc->BoxExit(calc->EditRetailMarkup);
    calc->EditSalePrice->setText("12.34567");
    calc->EditSalePrice->setModified(true);  // as typed
    calc->BoxExit(calc->EditSalePrice);
    kvtest::SaveScreenshot(calc, "FormPriceCalc");
    calc->BitBtnOK->click();
  };
  form->EditRetailPriceEnter();
  EXPECT_EQ(seen, (QStringList{"10.00", "20", "3.000", "9.50"}));
  EXPECT_EQ(form->EditRetailPrice->text(), "25.00");
  EXPECT_EQ(form->EditWSPrice->text(), "15.00");
  EXPECT_EQ(form->SalePrice, Money("12.35"));
  // Net retail 25 / 1.2 = 20.8333 -> 20.8333; (20.8333 - 10) / 20.8333 = 51.99%.
  EXPECT_EQ(form->PanelMarkup->text(), "(33.33) 51.99");
}

TEST_F(PriceBoxTest, CancelInTheCalculatorChangesNothing) {
  dm->Setup->SFPriceCalc = true;
  form->EditCostPrice->setText("10.00");
  form->EditRetailPrice->setText("30.00");
  form->SalePrice = Money("9.5");
  int shown = 0;
  onDialog = [&](QDialog& d) {
    ++shown;
    auto* calc = qobject_cast<TFormPriceCalc*>(&d);
    calc->EditRetailPrice->setText("99.00");
    calc->BitBtnCancel->click();
  };
  form->EditRetailPriceEnter();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(form->EditRetailPrice->text(), "30.00");
  EXPECT_EQ(form->SalePrice, Money("9.5"));
}

TEST_F(PriceBoxTest, WithoutTheSettingOnlyTheMarginIsRecomputed) {
  dm->Setup->SFPriceCalc = false;
  int shown = 0;
  onDialog = [&](QDialog& d) { ++shown; d.reject(); };
  form->PanelVATRate->setText("0");
  form->EditCostPrice->setText("1.00");
  form->EditRetailPrice->setText("3.00");
  form->EditWSPrice->setText("0.00");
  form->PanelMarkup->setText("stale");
  form->EditRetailPriceEnter();
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(form->PanelMarkup->text(), "(0.00) 66.66");
}

TEST_F(PriceBoxTest, PickListLookupsByNameAndId) {
  kui::SetPickItems(form->ComboBoxColours, {"NAVY=4", "Red=9", "RED=12", "ODD=x"});
  EXPECT_EQ(TForm1::IndexOfName(form->ComboBoxColours, "red"), 1);
  EXPECT_EQ(TForm1::IndexOfName(form->ComboBoxColours, "GREEN"), -1);
  EXPECT_EQ(TForm1::IndexOfID(form->ComboBoxColours, 12), 2);
  EXPECT_EQ(TForm1::IndexOfID(form->ComboBoxColours, 0), 3);  // no number reads as 0
  EXPECT_EQ(TForm1::IndexOfID(form->ComboBoxColours, 5), -1);
}

// The calculator opened from the window's retail box, worked as a person
// clicks and types it.
class PriceCalcFormTest : public sktest::FormTest {
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

// ----- the calculator as a person works it ----------------------------------------------

TEST_F(PriceCalcFormTest, TabMovesThroughTheCalculator) {
  OpenCalculator("10.00", "30.00", "15.00", [](TFormPriceCalc& calc) {
    QTest::keyClick(calc.EditRetailMarkup, Qt::Key_Tab);
    EXPECT_EQ(calc.focusWidget(), calc.EditRetailPrice);
    QTest::keyClick(calc.EditRetailPrice, Qt::Key_Backtab);
    EXPECT_EQ(calc.focusWidget(), calc.EditRetailMarkup);
    calc.BitBtnCancel->click();
  });
}

TEST_F(PriceCalcFormTest, OpeningTheCalculatorAndClickingOkKeepsThePrices) {
  // 100.00 / 33.33 shows as 3.000; taken back as 3.00 x 33.33 it would be 99.99.
  OpenCalculator("33.33", "100.00", "50.00", [](TFormPriceCalc& calc) {
    EXPECT_EQ(calc.EditRetailMarkup->text(), "3.000");
    QTest::mouseClick(calc.BitBtnOK, Qt::LeftButton);
  });
  EXPECT_EQ(form->EditRetailPrice->text(), "100.00");
  EXPECT_EQ(form->EditWSPrice->text(), "50.00");
}

TEST_F(PriceCalcFormTest, ATypedMarkupIsRoundedAndPricedWhenOkIsClicked) {
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

TEST_F(PriceCalcFormTest, DeleteEditsACalculatorBox) {
  OpenCalculator("10.00", "30.00", "15.00", [](TFormPriceCalc& calc) {
    calc.EditRetailMarkup->setText("25");
    calc.EditRetailMarkup->setCursorPosition(0);
    // X11 sends Delete with the character 0x7F.
    QTest::sendKeyEvent(QTest::Click, calc.EditRetailMarkup, Qt::Key_Delete, QString(QChar(0x7F)), Qt::NoModifier);
    EXPECT_EQ(calc.EditRetailMarkup->text(), "5");
    calc.BitBtnCancel->click();
  });
}

// ----- currency conversion of a save ----------------------------------------------------

TEST_F(PriceBoxTest, OnlyTheRateIsSinglePrecisionInTheConversion) {
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

}  // namespace
