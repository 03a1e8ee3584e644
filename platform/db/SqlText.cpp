// The text helpers through which every value written into a statement passes.
// Both engines read '' as one quote and take backslashes literally (the
// PostgreSQL connection keeps standard_conforming_strings on), so doubling the
// quotes is the whole escape.

#include "KvDb.h"

namespace kdb {

DbError::DbError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

namespace sql {

QString Quote(const QString& text) {
  QString out;
  out.reserve(text.size() + 2);
  out += '\'';
  for (const QChar ch : text) {
    if (ch == QChar(0)) continue;  // a NUL would end the statement early
    if (ch == '\'') out += '\'';
    out += ch;
  }
  out += '\'';
  return out;
}

bool IsInteger(const QString& text) {
  int k = 0;
  if (k < text.size() && (text[k] == '-' || text[k] == '+')) ++k;
  if (k == text.size()) return false;
  for (; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;  // ASCII digits only
  return true;
}

QString Int(const QString& text) {
  if (!IsInteger(text)) throw DbError("'" + text + "' is not a valid integer value");
  // A negative number goes in parentheses: after a minus in the caller's text
  // ("QTY -" + Int(x)) a bare "-5" would start a "--" comment.
  const QString digits = text[0] == '+' ? text.mid(1) : text;
  return digits[0] == '-' ? "(" + digits + ")" : digits;
}

QString Int(qint64 value) { return Int(QString::number(value)); }

QString Date(const QDate& d) {
  if (!d.isValid()) throw DbError("Invalid date in a statement");
  return "'" + d.toString("yyyy-MM-dd") + "'";
}

QString LikeEscape(const QString& text, Wildcards wildcards) {
  QString out;
  out.reserve(text.size() + 4);
  for (const QChar ch : text) {
    if (ch == '\\' || (wildcards == Wildcards::Escape && (ch == '%' || ch == '_'))) out += '\\';
    out += ch;
  }
  return out;
}

QString Like(const QString& pattern) { return Quote(pattern) + " escape '\\'"; }

}  // namespace sql
}  // namespace kdb
