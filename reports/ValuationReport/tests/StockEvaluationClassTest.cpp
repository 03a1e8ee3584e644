// The stock evaluation's rows and totals, without a database or a window.
#include <gtest/gtest.h>

#include "KvTestSupport.h"
#include "StockEvaluationClass.h"
#include "StockGroupByClass.h"

namespace {

TEST(StockEvaluation, RowsTotalsAndTheirMeans) {
  TStockEvaluationClass e;
  e.Begin();
  // Nothing to average: the totals show 0.00, never NaN.
  EXPECT_EQ(e.TotalsRow(), (QStringList{"", "TOTALS:", "0", "0.00", "0.00", "0.00", "0.00", "0.00"}));
  EXPECT_EQ(e.AddRecord({"YORK", "ACME", 1000, 3.3333, 7.5, 3333.3, 7500, }),
            (QStringList{"YORK", "ACME", "1000", "3.33", "7.50", "3,333.30", "7,500.00", "4,166.70"}));
  // Negative stock: a negative gross profit.
  EXPECT_EQ(e.AddRecord({"LEEDS", "ACME", -3, 10.5, 25.99, -31.5, -77.97}).mid(2),
            (QStringList{"-3", "10.50", "25.99", "-31.50", "-77.97", "-46.47"}));
  // The totals' averages are the means of the rows' averages.
  EXPECT_EQ(e.TotalsRow(), (QStringList{"", "TOTALS:", "997", "6.92", "16.75", "3,301.80", "7,422.03", "4,120.23"}));
  EXPECT_EQ(e.Units(), 997);
  EXPECT_DOUBLE_EQ(e.GrossProfit(), 7422.03 - 3301.8);
  e.Begin();
  EXPECT_EQ(e.Rows(), 0);
  EXPECT_EQ(e.TotalsRow()[3], "0.00");
}

TEST(StockEvaluation, DepartmentTextAndStatement) {
  EXPECT_EQ(TStockEvaluationClass::DepartmentText("OUTERWEARXYZ", "KNITWEAR CARDIGAN"), "OUTERWEA / KNITWEAR C");
  EXPECT_EQ(TStockEvaluationClass::DepartmentText("", "HATS"), " / HATS");
  EXPECT_EQ(TStockEvaluationClass::Titles("Colour")[1], "Colour");
  const QString sql = TStockEvaluationClass::Statement(TStockGroupByClass::kDepartment, " and branch_id = 5",
                                                       " and root_plu like '%01%'");
  // The search names PRODUCTS columns only, inside the products' own table.
  EXPECT_TRUE(sql.contains("from products where 1 = 1 and root_plu like '%01%') p inner join branchstock bs"))
      << sql.toStdString();
  EXPECT_TRUE(sql.contains("where 1 = 1 and branch_id = 5 group by bs.branch_id, p.department_id"));
  EXPECT_TRUE(sql.contains("order by r.group_name nulls first, r.group_department nulls first, r.branch_id"));
}

}  // namespace
