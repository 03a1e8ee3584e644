// The style-and-colour listing's averages and totals, worked out by hand,
// without a database or a window.
#include <gtest/gtest.h>

#include "KvTestSupport.h"
#include "RootStockListingClass.h"

namespace {

Currency M(qint64 raw) { return Currency::FromRaw(raw); }

TRootStockRecord Root(const QString& root, qint64 avgCost, qint64 avgSell, const QString& qty, qint64 cost,
                      qint64 retail) {
  TRootStockRecord r;
  r.RootPlu = root;
  r.AvgCost = M(avgCost);
  r.AvgSell = M(avgSell);
  r.QtyText = qty;
  r.TotCost = M(cost);
  r.TotRetail = M(retail);
  return r;
}

TEST(RootStockListing, MeansRoundOnTheRowAndCutOnTheTotals) {
  using L = TRootStockListingClass;
  // A root PLU's mean: exact, then half to even at the fourth decimal.
  EXPECT_EQ(L::RoundedMean(M(100), 3), M(33));       // 0.00333..
  EXPECT_EQ(L::RoundedMean(M(5), 2), M(2));          // 2.5 -> 2
  EXPECT_EQ(L::RoundedMean(M(7), 2), M(4));          // 3.5 -> 4
  EXPECT_EQ(L::RoundedMean(M(-7), 2), M(-4));
  EXPECT_EQ(L::RoundedMean(M(-200), 3), M(-67));
  // The totals' means cut toward zero.
  EXPECT_EQ(L::CutMean(M(200), 3), M(66));
  EXPECT_EQ(L::CutMean(M(-200), 3), M(-66));
  // Nothing to average: 0, never a division by zero.
  EXPECT_EQ(L::RoundedMean(M(12345), 0), Currency());
  EXPECT_EQ(L::CutMean(M(12345), 0), Currency());
}

TEST(RootStockListing, GroupsAndGrandTotalsWeighEveryRootAndEveryGroupTheSame) {
  TRootStockListingClass l;
  l.BeginRun();
  // One cheap root PLU: its group's averages repeat the row's.
  l.BeginGroup();
  EXPECT_EQ(l.AddRecord(Root("R0000001", 10000, 20000, "100", 1000000, 2000000)).mid(8),
            (QStringList{"1.00", "2.00", "100", "100.00", "200.00"}));
  EXPECT_EQ(l.GroupTotalsRow(),
            (QStringList{"Totals", "", "", "", "", "", "", "", "1.00", "2.00", "100", "100.00", "200.00"}));
  // Three dear root PLUs, one of them without a quantity.
  l.BeginGroup();
  l.AddRecord(Root("R0000002", 1000000, 2000000, "1", 1000000, 2000000));
  l.AddRecord(Root("R0000003", 2000000, 3000000, "-2", -4000000, -6000000));
  l.AddRecord(Root("R0000004", 3000001, 4000000, "", 0, 0));
  // (100 + 200 + 300.0001) / 3 = 200.0000333.. cut; (200 + 300 + 400) / 3 = 300.
  EXPECT_EQ(l.GroupTotalsRow().mid(8), (QStringList{"200.00", "300.00", "-1", "-300.00", "-400.00"}));
  // The grand means are the plain means of the two groups' means: (1 + 200.0000) / 2.
  EXPECT_EQ(l.GrandTotalsRow().mid(8), (QStringList{"100.50", "151.00", "99", "-200.00", "-200.00"}));
  l.BeginRun();
  EXPECT_EQ(l.GrandTotalsRow().mid(8), (QStringList{"0.00", "0.00", "0", "0.00", "0.00"}));
}

}  // namespace
