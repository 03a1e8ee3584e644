// The product stock listing's rows and totals, worked out by hand, without a
// database or a window.
#include <gtest/gtest.h>

#include <limits>

#include "Format.h"
#include "ItemStockListingClass.h"
#include "KvDb.h"
#include "KvTestSupport.h"
#include "StockGroupByClass.h"

namespace {

TItemStockRecord Record(const QString& plu, const char* cost, const char* retail, qint64 qty) {
  TItemStockRecord r;
  r.Plu = plu;
  r.Style = "ST100";
  r.Cost = Currency::FromRaw(QString(cost).toLongLong());
  r.Retail = Currency::FromRaw(QString(retail).toLongLong());
  r.Qty = qty;
  return r;
}

TEST(ItemStockListing, RowsAndTotalsAreExactMoney) {
  TItemStockListingClass l;
  l.BeginRun();
  l.BeginGroup();
  // 3.3333 x 3 is 9.9999: the row shows 10.00, the totals keep the exact sum.
  EXPECT_EQ(l.AddRecord(Record("A00000100", "33333", "75000", 3)),
            (QStringList{"A00000100", "", "", "ST100", "", "", "", "", "", "3.33", "7.50", "3", "10.00", "22.50"}));
  // Negative stock lowers the totals.
  EXPECT_EQ(l.AddRecord(Record("A00000101", "105000", "259900", -2)).mid(9),
            (QStringList{"10.50", "25.99", "-2", "-21.00", "-51.98"}));
  const QStringList group = l.GroupTotalsRow();
  EXPECT_EQ(group, (QStringList{"Totals", "", "", "", "", "", "", "", "", "", "", "1", "-11.00", "-29.48"}));
  l.BeginGroup();
  l.AddRecord(Record("B00000100", "1", "1", 1));  // 0.0001 each
  l.AddRecord(Record("B00000101", "49", "0", 1));
  EXPECT_EQ(l.GroupTotalsRow().mid(11), (QStringList{"2", "0.01", "0.00"}));
  // The grand totals add the groups' exact sums: -11.0001 + 0.0050.
  EXPECT_EQ(l.GrandTotalsRow().mid(11), (QStringList{"3", "-11.00", "-29.48"}));
  l.BeginRun();
  EXPECT_EQ(l.GrandTotalsRow().mid(11), (QStringList{"0", "0.00", "0.00"}));
}

// The listings format their money themselves; it must read as the shared
// formatter has it, halves, signs and long amounts alike.
struct MoneyProbe : TItemStockListingClass {
  using TStockListingClass::MoneyText;
};

TEST(ItemStockListing, MoneyReadsAsTheSharedFormatter) {
  for (qint64 raw : {0LL, 1LL, 49LL, 50LL, 51LL, 149LL, 150LL, 9950LL, 9999LL, 10000LL, 123456789LL,
                     922337203685477580LL, std::numeric_limits<qint64>::max()}) {
    for (qint64 v : {raw, -raw}) {
      const Currency c = Currency::FromRaw(v);
      EXPECT_EQ(MoneyProbe::MoneyText(c), kos::FormatFloat("0.00", c)) << v;
    }
  }
  EXPECT_EQ(MoneyProbe::MoneyText(Currency::FromRaw(-50)), "-0.01");
  EXPECT_EQ(MoneyProbe::MoneyText(Currency::FromRaw(-49)), "0.00");
}

TEST(ItemStockListing, HeaderBoldRowsAndStatement) {
  TItemStockListingClass l;
  const QStringList header = l.HeaderRow("Season");
  EXPECT_EQ(header.size(), 14);
  EXPECT_EQ(header.mid(0, 4), (QStringList{"PLU", "Supplier", "Season", "Style"}));
  EXPECT_EQ(header.last(), "T. Retail");
  EXPECT_TRUE(l.IsBoldText("TOTALS"));
  EXPECT_TRUE(l.IsBoldText("plu"));
  EXPECT_FALSE(l.IsBoldText("R000000100"));

  const TGroupChoice& season = TStockGroupByClass::ListingChoices()[TStockGroupByClass::kSeason];
  const QString sql = l.RunStatement(season, {"12", "7"}, false, " and branch_id = 4");
  // Only the values' stock rows, of the branch, are summed per PLU.
  EXPECT_TRUE(sql.contains("where 1 = 1 and bs.plu in (select g.plu from products g where g.season_id in (12, 7))"
                           " and branch_id = 4 group by bs.plu"))
      << sql.toStdString();
  EXPECT_TRUE(sql.contains("p.season_name as group_name"));
  // The values rank in the value list's order; the rows sort by that rank.
  EXPECT_TRUE(sql.contains("row_number() over (order by v.name nulls first, v.id) as group_rank from parameters v"
                           " where v.id in (12, 7)"));
  EXPECT_TRUE(sql.contains("where p.season_id in (12, 7) order by gr.group_rank, p.style nulls first"));
  // Every value checked: the whole stock is summed, without the narrowing.
  EXPECT_FALSE(l.RunStatement(season, {"12"}, true, "").contains("bs.plu in"));
  // The product listing has no use for the number of stock rows.
  EXPECT_FALSE(sql.contains("count(*)"));
  // An id that is no integer never reaches the statement.
  EXPECT_THROW(l.RunStatement(season, {"12", "1) or (1=1"}, false, ""), kdb::DbError);
}

}  // namespace
