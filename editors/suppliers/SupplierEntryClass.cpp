#include "SupplierEntryClass.h"

#include "Format.h"
#include "KvEdit.h"

TSupplierEntryClass::Filtered TSupplierEntryClass::FilterDecimalText(const QString& text, int maxLength) {
  Filtered out{text, 0};
  if (text.size() >= maxLength) return out;
  out.text.clear();
  bool point = false;
  for (const QChar ch : text) {
    if (ch.isDigit() && ch.unicode() < 128) {
      out.text += ch;
    } else if (ch == QChar('.')) {
      if (point) {
        ++out.extraPoints;
      } else {
        point = true;
        out.text += ch;
      }
    }
  }
  return out;
}

bool TSupplierEntryClass::IsMarkup(const QString& text) {
  if (text.isEmpty()) return true;
  if (!kui::KvEdit::Passes(kui::KvEdit::Filter::Decimal, text)) return false;
  for (const QChar ch : text)
    if (ch.isDigit()) return true;
  return false;
}

QVariant TSupplierEntryClass::MarkupValue(const QString& text) {
  if (text.isEmpty()) return QVariant();
  const std::optional<double> v = kos::TextToFloat(text);
  return v ? QVariant(*v) : QVariant();
}

QString TSupplierEntryClass::MarkupText(const QVariant& stored) {
  return kos::FormatFloat("0.00", stored.isValid() && !stored.isNull() ? stored.toDouble() : 0.0);
}

bool TSupplierEntryClass::LeadTimeKey(QChar key) {
  return key == QChar(8) || key == QChar(13) || (key >= QChar('0') && key <= QChar('9'));
}

qint64 TSupplierEntryClass::LeadTimeValue(const QString& text) {
  bool ok = false;
  const qint64 days = text.trimmed().toLongLong(&ok);
  return ok ? days : 0;
}
