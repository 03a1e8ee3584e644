#include "KvEdit.h"

#include <QValidator>

namespace kui {
namespace {

// Upper-cases and filters what the person types, keeping the caret in place.
class EditValidator : public QValidator {
 public:
  explicit EditValidator(KvEdit* edit) : QValidator(edit), edit_(edit) {}
  State validate(QString& input, int& pos) const override {
    if (edit_->Case() == KvEdit::CharCase::Upper) {
      const QString upper = input.toUpper();
      if (upper != input) {
        pos += static_cast<int>(upper.size() - input.size());  // e.g. a sharp s becomes "SS"
        input = upper;
      }
    }
    return KvEdit::Passes(edit_->InputFilter(), input) ? Acceptable : Invalid;
  }

 private:
  KvEdit* edit_;
};

}  // namespace

KvEdit::KvEdit(QWidget* parent) : QLineEdit(parent) {
  setValidator(new EditValidator(this));
  connect(this, &QLineEdit::textChanged, this, &KvEdit::FixCase);
}

void KvEdit::SetCharCase(CharCase c) {
  case_ = c;
  FixCase();
}

void KvEdit::SetFilter(Filter f) { filter_ = f; }

int KvEdit::MaxLength() const { return maxLength() >= 32767 ? 0 : maxLength(); }

void KvEdit::SetMaxLength(int n) { setMaxLength(n <= 0 ? 32767 : n); }

bool KvEdit::Passes(Filter f, const QString& text) {
  if (f == Filter::None) return true;
  int points = 0;
  for (const QChar ch : text) {
    if (ch == QChar('.') && f == Filter::Decimal && ++points == 1) continue;
    if (ch < QChar('0') || ch > QChar('9')) return false;
  }
  return true;
}

// Text set by code bypasses the validator; bring it to capitals here.
void KvEdit::FixCase() {
  if (fixing_ || case_ != CharCase::Upper) return;
  const QString t = text();
  const QString upper = t.toUpper();
  if (upper == t) return;
  fixing_ = true;
  const int pos = cursorPosition();
  setText(upper);
  setCursorPosition(pos);
  fixing_ = false;
}

}  // namespace kui
