// The enquiry window's small rules that need no database.
#include <gtest/gtest.h>

#include "StyleHistoryForm.h"

#include <QComboBox>

namespace {

TEST(StyleHistoryForm, AddUniqueComboItemKeepsTheListSortedAndSingle) {
  QComboBox combo;
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(&combo, "JEAN01"), 0);
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(&combo, "CAP01"), 0);
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(&combo, "TEE01"), 2);
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(&combo, "JEAN01"), 1) << "already there";
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(&combo, "DRESS"), 1);
  QStringList items;
  for (int i = 0; i < combo.count(); ++i) items << combo.itemText(i);
  EXPECT_EQ(items, (QStringList{"CAP01", "DRESS", "JEAN01", "TEE01"}));
  EXPECT_EQ(TFormStyleHistoryF::AddUniqueComboItem(nullptr, "X"), -1);
}

}  // namespace
