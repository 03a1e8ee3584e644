#include "Utils.h"

#include <gtest/gtest.h>

namespace {

TEST(Entries, CleanRemovesQuotesUpperCasesAndTrims) {
  EXPECT_EQ(kos::CleanEntry(" o'neil \"big\"\t"), "ONEIL BIG");
  EXPECT_EQ(kos::CleanEntry("'\"'"), "");
}

TEST(Entries, SplitKeepsInnerEmptiesAndDropsTrailingOne) {
  EXPECT_EQ(kos::SplitEntries("red, Blue ,,'green',"), QStringList({"RED", "BLUE", "", "GREEN"}));
  EXPECT_EQ(kos::SplitEntries("one"), QStringList({"ONE"}));
  EXPECT_EQ(kos::SplitEntries(","), QStringList({""}));
  EXPECT_EQ(kos::SplitEntries(" "), QStringList());
  EXPECT_EQ(kos::SplitEntries(""), QStringList());
}

TEST(DateToSql, QuotedIsoDate) {
  EXPECT_EQ(kos::DateToSql(QDate(2009, 3, 5)), "'2009-03-05'");
  EXPECT_EQ(kos::DateToSql(QDate()), "'1899-12-30'");
}

TEST(ContrastTextColour, BlackOnLightWhiteOnDark) {
  constexpr int black = 0, white = 0xFFFFFF;
  EXPECT_EQ(kos::ContrastTextColour(0x00FFFF), black);  // yellow: 2*255 + 5*255
  EXPECT_EQ(kos::ContrastTextColour(0xFF0000), white);  // blue
  EXPECT_EQ(kos::ContrastTextColour(0xFFFFFF), black);
  EXPECT_EQ(kos::ContrastTextColour(0), white);
  EXPECT_EQ(kos::ContrastTextColour(-1), white);
  EXPECT_EQ(kos::ContrastTextColour(0x00CC02), white);  // 2*2 + 5*204 = 1024, not above
  EXPECT_EQ(kos::ContrastTextColour(0x01CC02), black);  // 1025
}

}  // namespace
