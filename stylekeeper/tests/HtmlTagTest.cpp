// The web comment's mark-up without a window: the tags put around a
// selection or at the caret, and where the caret ends.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "HtmlTagClass.h"

namespace {

using H = THtmlTagClass;

TEST(HtmlTagTest, WrapsTheSelectionAndPutsTheCaretAfterTheClosingTag) {
  const auto r = H::Insert("a red dress", 2, 3, "<b>", "</b>");
  EXPECT_EQ(r.text, "a <b>red</b> dress");
  EXPECT_EQ(r.caret, 12);
  EXPECT_EQ(r.text.mid(r.caret), " dress");
}

TEST(HtmlTagTest, WithoutASelectionThePairGoesInAtTheCaret) {
  const auto middle = H::Insert("ab", 1, 0, "<i>", "</i>");
  EXPECT_EQ(middle.text, "a<i></i>b");
  EXPECT_EQ(middle.caret, 8);
  const auto empty = H::Insert(QString(), 0, 0, "<hr />", QString());
  EXPECT_EQ(empty.text, "<hr />");
  EXPECT_EQ(empty.caret, 6);
  // Lines stay as they are around the tag.
  const auto lines = H::Insert("one\ntwo", 4, 3, "<p>", "</p>");
  EXPECT_EQ(lines.text, "one\n<p>two</p>");
  EXPECT_EQ(lines.caret, 14);
}

TEST(HtmlTagTest, ASelectionBeyondTheTextIsCutAtItsEnd) {
  const auto r = H::Insert("abc", 2, 10, "<u>", "</u>");
  EXPECT_EQ(r.text, "ab<u>c</u>");
  EXPECT_EQ(r.caret, 10);
  EXPECT_EQ(H::Insert("abc", 9, 0, "<u>", "</u>").text, "abc<u></u>");
}

TEST(HtmlTagTest, TheTwelveButtonsHaveTheirOwnTags) {
  std::set<QString> names, openings;
  for (const H::Tag& tag : H::Tags()) {
    names.insert(tag.component);
    openings.insert(tag.opening);
  }
  EXPECT_EQ(names.size(), 12u);
  EXPECT_EQ(openings.size(), 12u);
  EXPECT_EQ(H::Of("ButtonTagImage").opening, "<img src=\"http://enter image full url path here\" />");
  EXPECT_TRUE(H::Of("ButtonTagImage").closing.isEmpty());
  EXPECT_EQ(H::Of("ButtonTagLink").opening,
            "<a href=\"http://enter full url path here\">enter url link caption here");
  EXPECT_EQ(H::Of("ButtonTagLink").closing, "</a>");
  EXPECT_EQ(H::Of("ButtonTahPara").caption, QString("Paragraph"));
  EXPECT_THROW(H::Of("ButtonTagBlink"), std::out_of_range);
}

}  // namespace
