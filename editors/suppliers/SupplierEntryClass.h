#pragma once
// What the supplier's number fields accept and what they store, without a
// window: the mark-up (a decimal number, or nothing) and the lead time (a
// whole number of days).
#include <QChar>
#include <QString>
#include <QVariant>

class TSupplierEntryClass {
 public:
  static constexpr int kMarkupLength = 30;
  static constexpr int kLeadTimeLength = 8;

  struct Filtered {
    QString text;
    int extraPoints = 0;  // the "." removed after the first, each told to the user
  };
  // The mark-up box's filter, run on every change of its text: digits stay,
  // the first "." stays, every further "." and every other character goes.
  // A text of maxLength characters or more is left as it is.
  static Filtered FilterDecimalText(const QString& text, int maxLength = kMarkupLength);

  // Whether the text can be stored as a mark-up: empty, or digits with at
  // most one "." and at least one digit. A lone "." or a text the filter
  // left alone at full length is not.
  static bool IsMarkup(const QString& text);
  // The mark-up to store: nothing for an empty text, else the number.
  static QVariant MarkupValue(const QString& text);
  // The mark-up as the box shows a stored one: "0.00" (also for none).
  static QString MarkupText(const QVariant& stored);

  // The keys that reach the lead-time box: backspace, Enter and the digits.
  static bool LeadTimeKey(QChar key);
  // The lead time to store: the whole number of the text, 0 when it is empty
  // or no number.
  static qint64 LeadTimeValue(const QString& text);
};
