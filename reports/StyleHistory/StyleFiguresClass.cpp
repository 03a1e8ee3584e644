#include "StyleFiguresClass.h"

#include <cmath>

namespace {
__extension__ typedef __int128 Wide;  // GCC and Clang
}

double CalcMarginPercent(double base, double profit) { return base == 0 ? 0 : profit / base * 100; }

double CalcMarkup(double retail, double cost) { return cost == 0 ? 0 : retail / cost; }

qint64 TStyleFiguresClass::VATDivisor(float vatRate) {
  // std::nearbyint rounds ties to even in the default rounding mode.
  const double divisor = std::nearbyint((1 + static_cast<double>(vatRate) * 0.01) * 10000);
  // NaN, a rate of -100 per cent or less, or one beyond any price: nothing to divide by.
  if (!(divisor > 0 && divisor < 9.0e18)) return 0;
  return static_cast<qint64>(divisor);
}

Currency TStyleFiguresClass::BeforeVAT(Currency retail, float vatRate) {
  const qint64 divisor = VATDivisor(vatRate);
  // A rate that leaves nothing to divide by has no price before VAT.
  if (divisor == 0) return {};
  // 128 bits: the product of a large price and 10000 must not wrap.
  const Wide scaled = static_cast<Wide>(retail.Raw()) * 10000;
  return Currency::FromRaw(static_cast<qint64>(scaled / divisor));
}

TStyleFigures TStyleFiguresClass::Calc(Currency cost, Currency retail, float vatRate) {
  TStyleFigures f;
  f.Cost = cost;
  f.Retail = retail;
  f.VATRate = vatRate;
  f.BeforeVAT = BeforeVAT(retail, vatRate);
  f.Profit = f.BeforeVAT - cost;
  f.Margin = CalcMarginPercent(f.BeforeVAT.ToDouble(), f.Profit.ToDouble());
  f.Markup = CalcMarkup(retail.ToDouble(), cost.ToDouble());
  return f;
}
