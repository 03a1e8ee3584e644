// The size rules of a scale: 99 sizes at most, sizes added and removed only
// on a new scale, offsets that stay without gaps, names that are never empty.
#include <gtest/gtest.h>

#include "KvTestSupport.h"
#include "SizeListClass.h"
#include "SizeRangesForm.h"

namespace {

using Result = TSizeListClass::Result;

TEST(SizeList, ANewScaleTakesNinetyNineSizesAndRoomReturnsWhenOneGoes) {
  TSizeListClass sizes;
  sizes.StartNew();
  for (int i = 0; i < 99; ++i) ASSERT_EQ(sizes.Add("S" + QString::number(i)), Result::Done);
  EXPECT_FALSE(sizes.CanAdd());
  EXPECT_EQ(sizes.Add("ONEMORE"), Result::Full);
  EXPECT_EQ(sizes.Count(), 99);
  EXPECT_EQ(sizes.Remove(98), Result::Done);
  EXPECT_TRUE(sizes.CanAdd());
  EXPECT_EQ(sizes.Add("LAST"), Result::Done);
  EXPECT_EQ(sizes.Name(98), "LAST");
}

TEST(SizeList, RemovingASizeKeepsTheOffsetsWithoutGaps) {
  TSizeListClass sizes;
  sizes.StartNew();
  for (const char* s : {"XS", "S", "M", "L"}) sizes.Add(s);
  EXPECT_EQ(sizes.Remove(1), Result::Done);
  // The list position is the offset written: M moves up to 1.
  EXPECT_EQ(sizes.Names(), (QStringList{"XS", "M", "L"}));
  EXPECT_EQ(TSizeListClass::SelectionAfterRemove(1), 0);
  EXPECT_EQ(TSizeListClass::SelectionAfterRemove(0), -1);
  EXPECT_EQ(sizes.Remove(3), Result::NoSize);
  EXPECT_EQ(sizes.Remove(-1), Result::NoSize);
}

TEST(SizeList, ASavedScaleKeepsItsNumberAndOrderOfSizes) {
  TSizeListClass sizes;
  sizes.Load({"S", "M", "L"});
  EXPECT_FALSE(sizes.CanAdd());
  EXPECT_EQ(sizes.Add("XL"), Result::Fixed);
  EXPECT_EQ(sizes.Remove(0), Result::Fixed);
  EXPECT_EQ(sizes.Rename(1, "MED"), Result::Done);
  EXPECT_EQ(sizes.Names(), (QStringList{"S", "MED", "L"}));
  // Cleared (no scale loaded): nothing can be added either.
  sizes.Clear();
  EXPECT_EQ(sizes.Add("S"), Result::Fixed);
}

TEST(SizeList, ASizeNameIsNeverEmptyNorLongerThanItsBox) {
  TSizeListClass sizes;
  sizes.StartNew();
  EXPECT_EQ(sizes.Add(""), Result::EmptyName);
  EXPECT_EQ(sizes.Add("1234567"), Result::TooLong);
  ASSERT_EQ(sizes.Add("123456"), Result::Done);
  // Renaming follows the same rule, in a saved scale as in a new one.
  EXPECT_EQ(sizes.Rename(0, ""), Result::EmptyName);
  sizes.Load({"S"});
  EXPECT_EQ(sizes.Rename(0, ""), Result::EmptyName);
  EXPECT_EQ(sizes.Rename(0, "TOOLONG"), Result::TooLong);
  EXPECT_EQ(sizes.Rename(1, "M"), Result::NoSize);
  EXPECT_EQ(sizes.Names(), QStringList{"S"});
}

TEST(SizeList, OnlyLeadingBlanksAreCutFromAName) {
  EXPECT_EQ(TForm1::TrimLeading("  LADIES 8-18  "), "LADIES 8-18  ");
  EXPECT_EQ(TForm1::TrimLeading("   "), "");
  EXPECT_EQ(TForm1::TrimLeading("KIDS"), "KIDS");
}

}  // namespace
