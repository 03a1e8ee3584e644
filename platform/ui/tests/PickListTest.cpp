#include "PickList.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QCompleter>
#include <QListWidget>

using kui::PickValueRule;

namespace {

// Two suppliers share a name; the platform's lookup by name finds the first.
const QStringList kSuppliers = {"ACME=4", "BOLT=9", "acme=7", "PLAIN", "EMPTY=", "X=a=b"};

TEST(PickText, NameAndValueSplitAtTheFirstEquals) {
  EXPECT_EQ(kui::PickName("ACME=4"), "ACME");
  EXPECT_EQ(kui::PickValue("ACME=4"), "4");
  EXPECT_EQ(kui::PickName("X=a=b"), "X");
  EXPECT_EQ(kui::PickValue("X=a=b"), "a=b");
  EXPECT_EQ(kui::PickName("PLAIN"), "PLAIN");
  EXPECT_EQ(kui::PickValue("PLAIN"), "");
  EXPECT_EQ(kui::PickName("=5"), "");
}

TEST(PickStrings, OwnValueAndFirstOfName) {
  EXPECT_EQ(kui::PickNameAt(kSuppliers, 2), "acme");
  EXPECT_EQ(kui::PickValueAt(kSuppliers, 2), "7");
  EXPECT_EQ(kui::PickValueAt(kSuppliers, 2, PickValueRule::FirstOfName), "4");
  EXPECT_EQ(kui::PickValueAt(kSuppliers, 1, PickValueRule::FirstOfName), "9");
  EXPECT_EQ(kui::PickValueOfName(kSuppliers, "Acme"), "4");
  EXPECT_EQ(kui::IndexOfPickName(kSuppliers, "bolt"), 1);
  EXPECT_EQ(kui::IndexOfPickName(kSuppliers, "NONE"), -1);
  EXPECT_EQ(kui::PickNameAt(kSuppliers, -1), "");
  EXPECT_EQ(kui::PickValueAt(kSuppliers, 6), "");
}

TEST(PickStrings, IndexOfValueByEitherRule) {
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, "7"), 2);
  // The second ACME reads as 4, so 7 is nowhere under the first-of-name rule.
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, "7", PickValueRule::FirstOfName), -1);
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, "4", PickValueRule::FirstOfName), 0);
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, "a=b"), 5);
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, ""), 3) << "PLAIN has the empty value";
  EXPECT_EQ(kui::IndexOfPickValue(kSuppliers, "09"), -1) << "values compare exactly";
}

template <class Widget>
class PickWidget : public ::testing::Test {
 protected:
  Widget widget_;
};

using Widgets = ::testing::Types<QComboBox, QListWidget>;
TYPED_TEST_SUITE(PickWidget, Widgets);

int Current(const QComboBox& box) { return box.currentIndex(); }
int Current(const QListWidget& list) { return list.currentRow(); }
QString Shown(const QComboBox& box, int i) { return box.itemText(i); }
QString Shown(const QListWidget& list, int i) { return list.item(i)->text(); }
int Count(const QComboBox& box) { return box.count(); }
int Count(const QListWidget& list) { return list.count(); }

TYPED_TEST(PickWidget, ShowsNamesKeepsValuesAndRoundTrips) {
  auto* w = &this->widget_;
  kui::SetPickItems(w, kSuppliers);
  EXPECT_EQ(Count(*w), kSuppliers.size());
  EXPECT_EQ(Shown(*w, 0), "ACME");
  EXPECT_EQ(Shown(*w, 5), "X");
  EXPECT_EQ(kui::PickItems(w), kSuppliers);
  EXPECT_EQ(Current(*w), -1) << "a fill selects nothing";
  EXPECT_EQ(kui::SelectedPickName(w), "");
  EXPECT_EQ(kui::SelectedPickValue(w), "");

  kui::AddPickItem(w, "CORK=12");
  EXPECT_EQ(Current(*w), -1);
  EXPECT_EQ(kui::PickValueAt(w, 6), "12");
  EXPECT_EQ(kui::IndexOfPickValue(w, "12"), 6);
}

TYPED_TEST(PickWidget, SelectedItemOfARepeatedName) {
  auto* w = &this->widget_;
  kui::SetPickItems(w, kSuppliers);
  EXPECT_TRUE(kui::SelectPickValue(w, "7"));
  EXPECT_EQ(Current(*w), 2);
  EXPECT_EQ(kui::SelectedPickName(w), "acme");
  EXPECT_EQ(kui::SelectedPickValue(w), "7");
  EXPECT_EQ(kui::SelectedPickValue(w, PickValueRule::FirstOfName), "4");
  EXPECT_EQ(kui::IndexOfPickValue(w, "7", PickValueRule::FirstOfName), -1);

  EXPECT_FALSE(kui::SelectPickValue(w, "99"));
  EXPECT_EQ(Current(*w), -1);
}

TYPED_TEST(PickWidget, RefillAndClearSelectNothing) {
  auto* w = &this->widget_;
  kui::SetPickItems(w, kSuppliers);
  kui::SelectPickValue(w, "9");
  kui::SetPickItems(w, {"ONE=1"});
  EXPECT_EQ(Current(*w), -1);
  EXPECT_EQ(kui::PickItems(w), QStringList({"ONE=1"}));
  kui::ClearPickItems(w);
  EXPECT_EQ(Count(*w), 0);
  EXPECT_EQ(kui::SelectedPickValue(w), "");
}

TEST(PickCombo, FillEmitsNoChangeButSelectingDoes) {
  QComboBox box;
  int changes = 0;
  QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++changes; });
  kui::SetPickItems(&box, kSuppliers);
  kui::AddPickItem(&box, "CORK=12");
  EXPECT_EQ(changes, 0);
  kui::SelectPickValue(&box, "9");
  EXPECT_EQ(changes, 1);
}

// A fill makes the rows addItem makes, and an editable box completes from them.
TEST(PickCombo, FilledRowsAreTheRowsAddItemMakes) {
  QComboBox filled, added;
  filled.setEditable(true);
  kui::SetPickItems(&filled, kSuppliers);
  for (const QString& item : kSuppliers) {
    const qsizetype eq = item.indexOf('=');
    added.addItem(item.left(eq), eq < 0 ? QVariant() : QVariant(item.mid(eq + 1)));
  }
  ASSERT_EQ(filled.count(), added.count());
  for (int i = 0; i < added.count(); ++i) {
    EXPECT_EQ(filled.itemText(i), added.itemText(i)) << i;
    EXPECT_EQ(filled.itemData(i), added.itemData(i)) << i;
    EXPECT_EQ(filled.model()->flags(filled.model()->index(i, 0)), added.model()->flags(added.model()->index(i, 0)));
  }
  EXPECT_EQ(filled.model()->columnCount(), 1);
  filled.completer()->setCompletionPrefix("BO");
  EXPECT_EQ(filled.completer()->completionCount(), 1);
  EXPECT_EQ(filled.completer()->currentCompletion(), "BOLT");
}

TEST(PickCombo, PlainTextItemsReadAsPickItems) {
  QComboBox box;
  box.addItems({"ACME=4", "BOLT=9"});
  box.setCurrentIndex(1);
  EXPECT_EQ(kui::SelectedPickName(&box), "BOLT");
  EXPECT_EQ(kui::SelectedPickValue(&box), "9");
  EXPECT_EQ(kui::SelectedPickName(static_cast<QComboBox*>(nullptr)), "");
}

}  // namespace
