#pragma once
// KvEdit: a one-line edit box with the class library's edit options.
//
//   auto* e = new kui::KvEdit(parent);
//   e->SetCharCase(kui::KvEdit::CharCase::Upper);   // typed and pasted letters become capitals
//   e->SetMaxLength(30);                            // 0 = no limit
//   e->SetFilter(kui::KvEdit::Filter::Decimal);     // digits and at most one "."
//
// Refused keys and upper-casing leave the caret where it was. The filter
// refuses a paste that would break it as a whole. Text set by code with
// setText is not filtered, but is upper-cased in CharCase::Upper.
#include <QLineEdit>

namespace kui {

class KvEdit : public QLineEdit {
  Q_OBJECT
 public:
  enum class CharCase { Normal, Upper };
  enum class Filter { None, Digits, Decimal };

  explicit KvEdit(QWidget* parent = nullptr);

  CharCase Case() const { return case_; }
  void SetCharCase(CharCase c);
  Filter InputFilter() const { return filter_; }
  void SetFilter(Filter f);
  int MaxLength() const;
  void SetMaxLength(int n);

  // Whether `text` passes the filter (used for typed and pasted text).
  static bool Passes(Filter f, const QString& text);

 private:
  void FixCase();

  CharCase case_ = CharCase::Normal;
  Filter filter_ = Filter::None;
  bool fixing_ = false;
};

}  // namespace kui
