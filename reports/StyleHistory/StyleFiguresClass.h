#pragma once
// The price figures of one colour in the style grid: the retail price before
// VAT, the profit on it, the margin and the markup.
//
//   TStyleFigures f = TStyleFiguresClass::Calc(cost, retail, vatRate);
//   f.BeforeVAT, f.Profit                // money
//   f.Margin, f.Markup                   // per cent and factor
//
// Before VAT is retail x 10000 / divisor in 64-bit fixed point, cut toward
// zero, the divisor being (1 + rate / 100) x 10000 rounded to the nearest
// integer (ties to even): retail 12.00 at 20 per cent gives 10.00.
#include "Currency.h"

struct TStyleFigures {
  Currency Cost;
  Currency Retail;
  float VATRate = 0;
  Currency BeforeVAT;
  Currency Profit;   // before VAT - cost
  double Margin = 0;  // profit as a share of the price before VAT, per cent
  double Markup = 0;  // retail / cost
};

// profit / base x 100; 0 when base is 0.
double CalcMarginPercent(double base, double profit);
// retail / cost; 0 when cost is 0.
double CalcMarkup(double retail, double cost);

class TStyleFiguresClass {
 public:
  static TStyleFigures Calc(Currency cost, Currency retail, float vatRate);
  // The divisor that takes the VAT out of a price; 0 for a rate of -100 per
  // cent or less (or no number), which no price can be divided by: the
  // price before VAT is then 0.
  static qint64 VATDivisor(float vatRate);
  static Currency BeforeVAT(Currency retail, float vatRate);
};
