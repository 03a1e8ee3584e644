// The values of the options, charges and per-PLU prices pages without a
// window: computed case units and case price, what a typed option is stored
// as, the charges' cells after Enter and on save, prices to the penny.
#include <gtest/gtest.h>

#include "PLUCodesClass.h"
#include "StyleExtrasClass.h"

namespace {

using X = TStyleExtrasClass;

// The ratio total as the options page hands it over, counting its calls.
struct RatioTotal {
  int total = 12;
  int asked = 0;
  std::function<int()> Fn() {
    return [this] {
      ++asked;
      return total;
    };
  }
};

TEST(StyleOptions, CaseUnitsAndCasePriceAreComputedOnlyWhenNothingUsableIsStored) {
  RatioTotal ratio;
  const Currency retail = Currency::FromRaw(600000);  // 60.00
  EXPECT_EQ(X::ShownOption("CASE UNITS", "", retail, ratio.Fn()), "12");
  EXPECT_EQ(X::ShownOption("CASE UNITS", "0", retail, ratio.Fn()), "12");
  EXPECT_EQ(X::ShownOption("CASE UNITS", "2.5", retail, ratio.Fn()), "12");
  EXPECT_EQ(X::ShownOption("CASE UNITS", "6", retail, ratio.Fn()), "6");
  EXPECT_EQ(X::ShownOption("CASE PRICE", "", retail, ratio.Fn()), "720.00");
  EXPECT_EQ(X::ShownOption("CASE PRICE", "0.00", retail, ratio.Fn()), "720.00");
  EXPECT_EQ(X::ShownOption("CASE PRICE", "abc", retail, ratio.Fn()), "720.00");
  // A stored price with pence is that price, not a whole number gone wrong.
  EXPECT_EQ(X::ShownOption("CASE PRICE", "12.50", retail, ratio.Fn()), "12.50");
  EXPECT_EQ(ratio.asked, 6);
  // Other options never need the ratios.
  EXPECT_EQ(X::ShownOption("FABRIC", "", retail, ratio.Fn()), "");
  EXPECT_EQ(X::ShownOption("FABRIC", "0", retail, ratio.Fn()), "0");
  EXPECT_EQ(ratio.asked, 6);
}

TEST(StyleOptions, ATypedValueIsStoredInItsOptionsForm) {
  EXPECT_EQ(X::StoredOption("CASE UNITS", " 24 "), "24");
  EXPECT_EQ(X::StoredOption("CASE UNITS", "a dozen"), "0");
  EXPECT_EQ(X::StoredOption("CASE UNITS", "2.5"), "0");
  EXPECT_EQ(X::StoredOption("CASE UNITS", "-1"), "0");
  EXPECT_EQ(X::StoredOption("CASE UNITS", ""), "0");
  EXPECT_EQ(X::StoredOption("CASE PRICE", "12.5"), "12.50");
  EXPECT_EQ(X::StoredOption("CASE PRICE", "12.345"), "12.35");
  EXPECT_EQ(X::StoredOption("CASE PRICE", "twelve"), "0");
  EXPECT_EQ(X::StoredOption("FABRIC", "  Cotton "), "Cotton");
}

TEST(StyleCharges, EnterFormatsANumberAndLeavesAnythingElse) {
  EXPECT_EQ(X::ChargeTextAfterEnter("4"), QString("4.00"));
  EXPECT_EQ(X::ChargeTextAfterEnter("0.125"), QString("0.13"));
  EXPECT_EQ(X::ChargeTextAfterEnter(""), QString(""));
  EXPECT_EQ(X::ChargeTextAfterEnter("."), std::nullopt);
  EXPECT_EQ(X::ChargeAmount(" "), Currency());
  EXPECT_EQ(X::ChargeAmount("2.5"), Currency::FromRaw(25000));
  EXPECT_EQ(X::ChargeAmount("."), std::nullopt);
  EXPECT_EQ(X::ChargeAmount("99999999999999999"), std::nullopt);  // beyond what money holds
}

TEST(PLUCodes, PricesAreWrittenToThePennyAndCodesTrimmed) {
  using C = TPLUCodesClass;
  EXPECT_EQ(C::Price("12.345"), Currency::FromRaw(123500));
  EXPECT_EQ(C::Price(" 7 "), Currency::FromRaw(70000));
  EXPECT_EQ(C::Price(""), std::nullopt);
  EXPECT_EQ(C::Price("abc"), std::nullopt);
  EXPECT_EQ(C::SalePrice("abc"), Currency());
  EXPECT_EQ(C::PriceText(Currency::FromRaw(123456)), "12.35");
  EXPECT_EQ(C::SKU("  ab-1 c "), "AB-1 C");
  EXPECT_EQ(C::ExternalCode("  Ab-1 "), "Ab-1");
}

}  // namespace
