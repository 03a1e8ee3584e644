// Value conversions shared by both engines: what a field reads as an integer,
// money, text ..., and how a value a caller sets is turned into the column's
// type. Parsing is locale-free (Qt sets the C library's locale from the
// environment, so strtod and friends would read "1,5" in some locales).

#include "Connection.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace kdb::conv {

namespace {

bool ParseInt(const char* s, int len, qint64& out) {
  if (len > 0 && *s == '+') { ++s; --len; }
  if (len <= 0) return false;
  auto r = std::from_chars(s, s + len, out);
  return r.ec == std::errc() && r.ptr == s + len;
}

bool ParseDouble(const char* s, int len, double& out) {
  if (len > 0 && *s == '+') { ++s; --len; }
  if (len <= 0) return false;
  auto r = std::from_chars(s, s + len, out);
  return r.ec == std::errc() && r.ptr == s + len;
}

// Exact decimal text ("-12.34567") to money; digits past the fourth decimal
// round half to even, as everywhere else in the system.
bool ParseMoney(const char* s, int len, Currency& out) {
  const char* e = s + len;
  bool neg = false;
  if (s < e && (*s == '-' || *s == '+')) neg = *s++ == '-';
  qint64 units = 0;
  int digits = 0;
  for (; s < e && *s >= '0' && *s <= '9'; ++s, ++digits) {
    if (units > (INT64_MAX / 10000 - 9) / 10) return false;
    units = units * 10 + (*s - '0');
  }
  qint64 frac = 0;
  int fracDigits = 0;
  int next = -1;          // the fifth decimal, for rounding
  bool restNonZero = false;
  if (s < e && *s == '.') {
    for (++s; s < e && *s >= '0' && *s <= '9'; ++s, ++digits) {
      if (fracDigits < 4) frac = frac * 10 + (*s - '0'), ++fracDigits;
      else if (next < 0) next = *s - '0';
      else restNonZero |= *s != '0';
    }
  }
  if (s != e || digits == 0) return false;
  for (; fracDigits < 4; ++fracDigits) frac *= 10;
  qint64 raw = units * 10000 + frac;
  if (next > 5 || (next == 5 && (restNonZero || (raw & 1)))) ++raw;
  out = Currency::FromRaw(neg ? -raw : raw);
  return true;
}

int Digits(const char* s, int n) {
  int v = 0;
  for (int k = 0; k < n; ++k) {
    if (s[k] < '0' || s[k] > '9') return -1;
    v = v * 10 + (s[k] - '0');
  }
  return v;
}

// "yyyy-mm-dd", optionally followed by " hh:mm[:ss[.fff...]]" (or 'T'); any
// time-zone suffix is ignored.
bool ParseStamp(const char* s, int len, QDateTime& out) {
  if (len < 10 || s[4] != '-' || s[7] != '-') return false;
  const int y = Digits(s, 4), mo = Digits(s + 5, 2), d = Digits(s + 8, 2);
  int h = 0, mi = 0, sec = 0, ms = 0;
  if (len > 10) {
    if ((s[10] != ' ' && s[10] != 'T') || len < 16 || s[13] != ':') return false;
    h = Digits(s + 11, 2), mi = Digits(s + 14, 2);
    if (len >= 19 && s[16] == ':') {
      sec = Digits(s + 17, 2);
      if (len > 20 && s[19] == '.') {
        int scale = 100;
        for (int k = 20; k < len && s[k] >= '0' && s[k] <= '9'; ++k, scale /= 10)
          ms += (s[k] - '0') * scale;
      }
    }
  }
  const QDate date(y, mo, d);
  const QTime time(h, mi, sec, ms);
  if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0 || sec < 0 || !date.isValid() || !time.isValid())
    return false;
  out = QDateTime(date, time);
  return true;
}

// The first 19 characters of a stored stamp as shown ("yyyy-mm-dd hh:mm:ss"),
// without building a QDateTime; false when the text is not of that shape.
bool StampShown(const char* s, int len, QString& out) {
  if (len < 19 || s[4] != '-' || s[7] != '-' || (s[10] != ' ' && s[10] != 'T') || s[13] != ':' ||
      s[16] != ':')
    return false;
  out = QString::fromLatin1(s, 19);
  out[10] = ' ';
  return true;
}

QString Shortest(double d) { return QString::number(d, 'g', QLocale::FloatingPointShortest); }

bool TextTrue(const char* s, int len) {
  if (len == 1) return *s == 't' || *s == 'T' || *s == '1' || *s == 'y' || *s == 'Y';  // PostgreSQL: t/f
  const QByteArray t = QByteArray(s, len).trimmed().toLower();
  return t == "t" || t == "true" || t == "1" || t == "y" || t == "yes" || t == "on";
}

bool TextFalse(const QString& t) {
  const QString l = t.trimmed().toLower();
  return l == "f" || l == "false" || l == "0" || l == "n" || l == "no" || l == "off";
}

[[noreturn]] void BadValue(const QString& text, const QString& field, const char* what) {
  throw DbError("'" + text + "' is not a valid " + what + " value for field '" + field + "'");
}

QVariant ParseStrict(const QString& text, FieldType t, const QString& field) {
  if (text.isEmpty()) return {};
  if (t == FieldType::Text || t == FieldType::Unknown) return text;
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return {};
  const QByteArray b = trimmed.toUtf8();
  switch (t) {
    case FieldType::Integer: {
      qint64 v;
      if (!ParseInt(b.constData(), int(b.size()), v)) BadValue(text, field, "integer");
      return QVariant::fromValue(v);
    }
    case FieldType::Float: {
      double v;
      if (!ParseDouble(b.constData(), int(b.size()), v)) BadValue(text, field, "floating point");
      return v;
    }
    case FieldType::Money: {
      Currency c;
      if (!ParseMoney(b.constData(), int(b.size()), c)) BadValue(text, field, "money");
      return QVariant::fromValue(c);
    }
    case FieldType::Boolean:
      if (TextTrue(b.constData(), int(b.size()))) return true;
      if (TextFalse(trimmed)) return false;
      BadValue(text, field, "boolean");
    case FieldType::DateTime: {
      QDateTime dt;
      if (!ParseStamp(b.constData(), int(b.size()), dt)) BadValue(text, field, "date and time");
      return dt;
    }
    default: return text;
  }
}

}  // namespace

qint64 ToInt(const Cell& c, FieldType t) {
  switch (c.kind) {
    case Cell::Null: return 0;
    case Cell::Int: return c.i;
    case Cell::Real: return std::isfinite(c.d) ? qint64(c.d) : 0;
    case Cell::Money: return c.i / 10000;
    case Cell::Text: break;
  }
  qint64 v;
  if (ParseInt(c.s, c.len, v)) return v;
  if (t == FieldType::Boolean) return TextTrue(c.s, c.len) ? 1 : 0;
  double d;
  return ParseDouble(c.s, c.len, d) && std::isfinite(d) ? qint64(d) : 0;
}

double ToFloat(const Cell& c, FieldType t) {
  switch (c.kind) {
    case Cell::Null: return 0;
    case Cell::Int: return double(c.i);
    case Cell::Real: return c.d;
    case Cell::Money: return double(c.i) / 10000.0;
    case Cell::Text: break;
  }
  double d;
  if (ParseDouble(c.s, c.len, d)) return d;
  return t == FieldType::Boolean && TextTrue(c.s, c.len) ? 1 : 0;
}

Currency ToMoney(const Cell& c, FieldType t) {
  switch (c.kind) {
    case Cell::Null: return {};
    case Cell::Int: return Currency::FromInt(c.i);
    case Cell::Real: return std::isfinite(c.d) ? Currency::FromRaw(std::llround(c.d * 10000.0)) : Currency();
    case Cell::Money: return Currency::FromRaw(c.i);
    case Cell::Text: break;
  }
  Currency m;
  if (ParseMoney(c.s, c.len, m)) return m;
  double d;
  return ParseDouble(c.s, c.len, d) && std::isfinite(d) ? Currency::FromDouble(d) : Currency();
}

bool ToBool(const Cell& c, FieldType) {
  switch (c.kind) {
    case Cell::Null: return false;
    case Cell::Int:
    case Cell::Money: return c.i != 0;
    case Cell::Real: return c.d != 0;
    case Cell::Text: break;
  }
  return TextTrue(c.s, c.len);
}

QDateTime ToDateTime(const Cell& c, FieldType) {
  QDateTime dt;
  if (c.kind == Cell::Text) ParseStamp(c.s, c.len, dt);
  return dt;
}

QString ToText(const Cell& c, FieldType t) {
  if (c.kind == Cell::Null) return {};
  switch (t) {
    case FieldType::Money: return MoneyText(ToMoney(c, t));
    case FieldType::Boolean: return ToBool(c, t) ? QStringLiteral("True") : QStringLiteral("False");
    case FieldType::Float:
      if (c.kind == Cell::Text) return Shortest(ToFloat(c, t));
      break;
    case FieldType::DateTime:
      if (c.kind == Cell::Text) {
        QString shown;
        if (StampShown(c.s, c.len, shown)) return shown;
        const QDateTime dt = ToDateTime(c, t);
        if (dt.isValid()) return dt.toString("yyyy-MM-dd hh:mm:ss");
      }
      break;
    default: break;
  }
  switch (c.kind) {
    case Cell::Int: return QString::number(c.i);
    case Cell::Real: return Shortest(c.d);
    case Cell::Money: return MoneyText(Currency::FromRaw(c.i));
    default: return QString::fromUtf8(c.s, c.len);
  }
}

QVariant ToValue(const Cell& c, FieldType t) {
  if (c.kind == Cell::Null) return {};
  switch (t) {
    case FieldType::Integer: return QVariant::fromValue(ToInt(c, t));
    case FieldType::Float: return ToFloat(c, t);
    case FieldType::Money: return QVariant::fromValue(ToMoney(c, t));
    case FieldType::Boolean: return ToBool(c, t);
    case FieldType::DateTime: return ToDateTime(c, t);
    case FieldType::Text: return ToText(c, t);
    case FieldType::Unknown: break;
  }
  switch (c.kind) {
    case Cell::Int: return QVariant::fromValue(c.i);
    case Cell::Real: return c.d;
    case Cell::Money: return QVariant::fromValue(Currency::FromRaw(c.i));
    default: return ToText(c, t);
  }
}

QVariant Normalize(const QVariant& v, FieldType t, const QString& fieldName) {
  if (!v.isValid() || v.isNull()) return {};
  if (v.metaType() == QMetaType::fromType<QString>()) return ParseStrict(v.toString(), t, fieldName);
  if (v.metaType() == QMetaType::fromType<QDateTime>()) {
    if (t == FieldType::DateTime || t == FieldType::Unknown) return v;
    if (t == FieldType::Text) return QString::fromLatin1(StampText(v.toDateTime()));
    throw DbError("A date and time cannot be stored in field '" + fieldName + "'");
  }
  std::string scratch;
  const Cell c = FromValue(v, scratch);
  if (c.kind == Cell::Text) return ParseStrict(QString::fromUtf8(c.s, c.len), t, fieldName);
  if (t == FieldType::DateTime) throw DbError("A number cannot be stored in date field '" + fieldName + "'");
  return ToValue(c, t);
}

Cell FromValue(const QVariant& v, std::string& scratch) {
  Cell c;
  if (!v.isValid() || v.isNull()) return c;
  const QMetaType m = v.metaType();
  if (m == QMetaType::fromType<Currency>()) {
    c.kind = Cell::Money;
    c.i = v.value<Currency>().Raw();
  } else if (m == QMetaType::fromType<double>() || m == QMetaType::fromType<float>()) {
    c.kind = Cell::Real;
    c.d = v.toDouble();
  } else if (m == QMetaType::fromType<bool>()) {
    c.kind = Cell::Int;
    c.i = v.toBool() ? 1 : 0;
  } else if (m == QMetaType::fromType<qlonglong>() || m == QMetaType::fromType<int>() ||
             m == QMetaType::fromType<uint>() || m == QMetaType::fromType<long>() ||
             m == QMetaType::fromType<short>()) {
    c.kind = Cell::Int;
    c.i = v.toLongLong();
  } else {
    scratch = m == QMetaType::fromType<QDateTime>() ? StampText(v.toDateTime())
                                                     : v.toString().toStdString();
    // Neither engine keeps a NUL inside text (libpq would cut the value
    // there); it is dropped, as sql::Quote drops it.
    std::erase(scratch, '\0');
    c.kind = Cell::Text;
    c.s = scratch.data();
    c.len = int(scratch.size());
  }
  return c;
}

QString MoneyText(Currency c) {
  const qint64 raw = c.Raw();
  const quint64 mag = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
  QString s = (raw < 0 ? QStringLiteral("-") : QString()) + QString::number(mag / 10000);
  quint64 frac = mag % 10000;
  if (frac == 0) return s;
  int width = 4;
  while (frac % 10 == 0) frac /= 10, --width;
  return s + '.' + QString::number(frac).rightJustified(width, '0');
}

std::string MoneyFixed(Currency c) {
  const qint64 raw = c.Raw();
  const quint64 mag = raw < 0 ? quint64(0) - quint64(raw) : quint64(raw);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%s%llu.%04llu", raw < 0 ? "-" : "",
                static_cast<unsigned long long>(mag / 10000), static_cast<unsigned long long>(mag % 10000));
  return buf;
}

std::string StampText(const QDateTime& dt) {
  if (!dt.isValid()) return std::string();
  // Every stamp a save binds comes through here: the common years are
  // written directly, as toString writes them; others go through it.
  const QDate d = dt.date();
  const QTime t = dt.time();
  if (d.year() < 1000 || d.year() > 9999) return dt.toString("yyyy-MM-dd hh:mm:ss").toStdString();
  char buf[24];
  const int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                              t.hour(), t.minute(), t.second());
  return std::string(buf, size_t(n));
}

FieldType TypeFromDecl(const char* decl) {
  if (!decl) return FieldType::Unknown;
  // Upper case in a buffer of the stack: a result's columns are described
  // for every statement that is not kept prepared.
  char d[64];
  size_t n = 0;
  for (; decl[n] && n + 1 < sizeof d; ++n) d[n] = char(std::toupper(static_cast<unsigned char>(decl[n])));
  d[n] = '\0';
  const auto has = [&d](const char* part) { return std::strstr(d, part) != nullptr; };
  if (has("BOOL")) return FieldType::Boolean;
  if (has("INT")) return FieldType::Integer;
  if (has("NUMERIC") || has("DECIMAL") || has("MONEY")) return FieldType::Money;
  if (has("REAL") || has("FLOA") || has("DOUB")) return FieldType::Float;
  if (has("TIMESTAMP") || has("DATE") || has("TIME")) return FieldType::DateTime;
  if (has("CHAR") || has("TEXT") || has("CLOB")) return FieldType::Text;
  return FieldType::Unknown;
}

}  // namespace kdb::conv
