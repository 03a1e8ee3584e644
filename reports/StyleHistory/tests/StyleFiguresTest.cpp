// Before VAT, profit, margin and markup of the style grid.
#include <gtest/gtest.h>

#include "StyleFiguresClass.h"

namespace {

Currency M(const char* text) { return Currency::FromDouble(std::stod(text)); }

TEST(StyleFigures, BeforeVATIsCutTowardZeroInFixedPoint) {
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("12.00"), 20), M("10.00"));
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("60.00"), 20), M("50.00"));
  // 10.00 / 1.175 = 8.51063...: cut, not rounded, at the fourth decimal.
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("10.00"), 17.5f).Raw(), 85106);
  // 0.01 / 1.2 = 0.008333...
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("0.01"), 20).Raw(), 83);
  // A negative price is cut toward zero too.
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("-0.01"), 20).Raw(), -83);
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("48.00"), 0), M("48.00")) << "no VAT: the retail price";
  // A price near the top of the money range does not wrap.
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(Currency::FromRaw(900'000'000'000'000'000), 20).Raw(),
            750'000'000'000'000'000);
}

TEST(StyleFigures, TheDivisorRoundsAndRefusesRatesThatLeaveNothing) {
  EXPECT_EQ(TStyleFiguresClass::VATDivisor(20), 12000);
  EXPECT_EQ(TStyleFiguresClass::VATDivisor(17.5f), 11750);
  EXPECT_EQ(TStyleFiguresClass::VATDivisor(0.005f), 10000);  // 10000.5 (nearly): to the nearest
  EXPECT_EQ(TStyleFiguresClass::VATDivisor(-100), 0);
  EXPECT_EQ(TStyleFiguresClass::VATDivisor(-150), 0);
  EXPECT_EQ(TStyleFiguresClass::BeforeVAT(M("12.00"), -100), Currency()) << "no division by zero";
}

TEST(StyleFigures, ProfitMarginAndMarkup) {
  TStyleFigures f = TStyleFiguresClass::Calc(M("25.00"), M("60.00"), 20);
  EXPECT_EQ(f.BeforeVAT, M("50.00"));
  EXPECT_EQ(f.Profit, M("25.00"));
  EXPECT_DOUBLE_EQ(f.Margin, 50);
  EXPECT_DOUBLE_EQ(f.Markup, 2.4);

  // Retail 0.00: nothing before VAT, the cost lost, no margin.
  f = TStyleFiguresClass::Calc(M("5.00"), M("0.00"), 0);
  EXPECT_EQ(f.BeforeVAT, Currency());
  EXPECT_EQ(f.Profit, -M("5.00"));
  EXPECT_DOUBLE_EQ(f.Margin, 0);
  EXPECT_DOUBLE_EQ(f.Markup, 0);

  // Cost 0.00: no markup, all of the price is profit.
  f = TStyleFiguresClass::Calc(M("0.00"), M("12.00"), 20);
  EXPECT_DOUBLE_EQ(f.Markup, 0);
  EXPECT_EQ(f.Profit, M("10.00"));
  EXPECT_DOUBLE_EQ(f.Margin, 100);

  EXPECT_DOUBLE_EQ(CalcMarginPercent(0, 7), 0);
  EXPECT_DOUBLE_EQ(CalcMarginPercent(40, -10), -25);
  EXPECT_DOUBLE_EQ(CalcMarkup(0, 0), 0);
}

}  // namespace
