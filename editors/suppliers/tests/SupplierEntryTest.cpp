// What the supplier's mark-up and lead-time boxes accept and store.
#include <gtest/gtest.h>

#include "KvTestSupport.h"
#include "SupplierEntryClass.h"

namespace {

using E = TSupplierEntryClass;

TEST(SupplierEntry, TheMarkUpFilterKeepsDigitsAndTheFirstPoint) {
  // A second point typed after "12.5" is removed and told once.
  EXPECT_EQ(E::FilterDecimalText("12.5.").text, "12.5");
  EXPECT_EQ(E::FilterDecimalText("12.5.").extraPoints, 1);
  EXPECT_EQ(E::FilterDecimalText("12.53").extraPoints, 0);
  // A paste loses its letters without a word.
  const E::Filtered pasted = E::FilterDecimalText("1ab2");
  EXPECT_EQ(pasted.text, "12");
  EXPECT_EQ(pasted.extraPoints, 0);
  // Each further point is told; the characters after a removed one are
  // looked at in their turn.
  const E::Filtered points = E::FilterDecimalText("..5.x.");
  EXPECT_EQ(points.text, ".5");
  EXPECT_EQ(points.extraPoints, 3);
  // Digits of other scripts are no digits of a number.
  EXPECT_EQ(E::FilterDecimalText(QString::fromUtf8("1\u0663")).text, "1");
}

TEST(SupplierEntry, AFullLengthMarkUpIsLeftAsItIsAndThenRefusedAsNoNumber) {
  const QString full = QString(29, '1') + "A";
  EXPECT_EQ(E::FilterDecimalText(full, 30).text, full);
  EXPECT_EQ(E::FilterDecimalText(full, 31).text, QString(29, '1'));
  EXPECT_FALSE(E::IsMarkup(full));
  EXPECT_FALSE(E::IsMarkup("."));
  EXPECT_FALSE(E::IsMarkup("1.2.3"));
  EXPECT_FALSE(E::IsMarkup(" 2"));
  EXPECT_TRUE(E::IsMarkup(""));
  EXPECT_TRUE(E::IsMarkup("2."));
  EXPECT_TRUE(E::IsMarkup(".5"));
}

TEST(SupplierEntry, MarkUpAndLeadTimeAsStoredAndShown) {
  EXPECT_FALSE(E::MarkupValue("").isValid());  // nothing stored
  EXPECT_DOUBLE_EQ(E::MarkupValue("2.75").toDouble(), 2.75);
  EXPECT_DOUBLE_EQ(E::MarkupValue(".5").toDouble(), 0.5);
  EXPECT_EQ(E::MarkupText(QVariant(2.4)), "2.40");
  EXPECT_EQ(E::MarkupText(QVariant()), "0.00");
  EXPECT_EQ(E::LeadTimeValue(""), 0);
  EXPECT_EQ(E::LeadTimeValue("99999999"), 99999999);
  EXPECT_EQ(E::LeadTimeValue("4a"), 0);
  for (const QChar key : {QChar('0'), QChar('9'), QChar(8), QChar(13)}) EXPECT_TRUE(E::LeadTimeKey(key));
  for (const QChar key : {QChar('a'), QChar('.'), QChar('-'), QChar(' '), QChar(27)}) EXPECT_FALSE(E::LeadTimeKey(key));
}

}  // namespace
