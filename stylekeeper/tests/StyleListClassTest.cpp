// The conditions of the style editor's one-click searches without a database:
// what a person types reaches a statement only as a checked number or quoted.
#include <gtest/gtest.h>

#include "EvaluationClass.h"
#include "KvDb.h"
#include "StyleListClass.h"
#include "StyleNavigationClass.h"

namespace {

TEST(StyleListClassTest, APriceIsWrittenFromItsMoneyValue) {
  EXPECT_EQ(TStyleListClass::PriceWhere("retail_price", "12.5"), " where retail_price = 12.5000");
  EXPECT_EQ(TStyleListClass::PriceWhere("retail_price", " 12.50 "), " where retail_price = 12.5000");
  EXPECT_EQ(TStyleListClass::PriceWhere("current_cost_price", "7"), " where current_cost_price = 7.0000");
  EXPECT_EQ(TStyleListClass::PriceWhere("retail_price", "-3.25"), " where retail_price = -3.2500");
  // Half a ten-thousandth goes to the even neighbour, as money does everywhere.
  EXPECT_EQ(TStyleListClass::PriceWhere("retail_price", "0.00005"), " where retail_price = 0.0000");
}

TEST(StyleListClassTest, TextThatIsNoPriceGivesNoCondition) {
  for (const char* typed : {"", "ABC", "12.5.0", "12,50", "1 OR 1=1", "12.5; DROP TABLE PRODUCTS", "12'", "£12"})
    EXPECT_EQ(TStyleListClass::PriceWhere("retail_price", typed), std::nullopt) << typed;
}

TEST(StyleListClassTest, AnExternalCodeIsQuotedAndSearchedInCapitals) {
  EXPECT_EQ(TStyleListClass::ExternalCodeWhere("sku-12a"),
            " where (upper(external_barcode) = 'SKU-12A' or upper(sku) = 'SKU-12A')");
  EXPECT_EQ(TStyleListClass::ExternalCodeWhere("O'NEIL"),
            " where (upper(external_barcode) = 'O''NEIL' or upper(sku) = 'O''NEIL')");
}

TEST(StyleListClassTest, AConditionOnAColoursFirstSizeKeepsItsOwnPrecedence) {
  const QString sql = TStyleListClass::FirstSizeStyleListSQL(" where style like 'A%' or style like 'B%'");
  EXPECT_TRUE(sql.contains(" where (style like 'A%' or style like 'B%') and size_offset = 0")) << sql.toStdString();
  EXPECT_TRUE(TStyleListClass::FirstSizeStyleListSQL("").contains(" from products where size_offset = 0 order by"));
  EXPECT_THROW(TStyleListClass::FirstSizeStyleListSQL(" or 1 = 1"), kdb::DbError);
}

TEST(StyleNavigationClassTest, StepsWithoutALoadedStyleStartAtAnEnd) {
  const QString first = TStyleNavigationClass::StepSQL(TStyleNavigationClass::navFirst, "", "");
  const QString last = TStyleNavigationClass::StepSQL(TStyleNavigationClass::navLast, "", "");
  EXPECT_EQ(TStyleNavigationClass::StepSQL(TStyleNavigationClass::navNext, "", "X"), first);
  EXPECT_EQ(TStyleNavigationClass::StepSQL(TStyleNavigationClass::navPrior, "", "X"), last);
  // A loaded root PLU and style stand quoted in the step.
  const QString next = TStyleNavigationClass::StepSQL(TStyleNavigationClass::navNext, "0000'042", "A'B");
  EXPECT_TRUE(next.contains("plu > '0000''04200'")) << next.toStdString();
  EXPECT_TRUE(next.contains("'A''B'")) << next.toStdString();
  EXPECT_THROW(TStyleNavigationClass::StepSQL(7, "00000042", "X"), kdb::DbError);
}

TEST(EvaluationClassTest, OnlyTheFiveItemsHaveAStatement) {
  EXPECT_EQ(TEvaluationClass::Items(), (QStringList{"Category", "Department", "Supplier", "Season", "Brand"}));
  EXPECT_THROW(TEvaluationClass::ReportSQL(5), kdb::DbError);
  EXPECT_THROW(TEvaluationClass::ReportSQL(-1), kdb::DbError);
}

}  // namespace
