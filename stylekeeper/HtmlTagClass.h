#pragma once
// The mark-up the web comment's twelve buttons put around the selection (or
// at the caret), without a window.
//
//   const auto r = THtmlTagClass::Insert("a red dress", 2, 3, "<b>", "</b>");
//   // r.text == "a <b>red</b> dress", r.caret == 12 (just after "</b>")
#include <QString>

#include <array>

class THtmlTagClass {
 public:
  struct Tag {
    const char* component;  // the button's name
    const char* caption;
    QString opening;
    QString closing;  // empty for the tags that stand alone
  };
  // The twelve buttons in their order on the page.
  static const std::array<Tag, 12>& Tags();
  // The tag of a button; throws std::out_of_range for an unknown name.
  static const Tag& Of(const QString& component);

  struct Insertion {
    QString text;
    int caret = 0;  // just after the closing text, nothing selected
  };
  // The text with opening and closing around the `length` characters from
  // `start` (0-based); a selection reaching past the end is cut there.
  static Insertion Insert(const QString& text, int start, int length, const QString& opening,
                          const QString& closing);
};
