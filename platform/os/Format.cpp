#include "Format.h"

#include <QByteArray>

#include <cmath>
#include <limits>

namespace kos {

namespace {

// A decimal number as digits: value = 0.digits x 10^intLen, with no leading
// or trailing zeros in digits (zero has no digits).
struct Decimal {
  bool negative = false;
  QByteArray digits;
  int intLen = 0;
};

enum class Rounding { HalfAwayFromZero, HalfEven };

constexpr int kExponentLimit = 100000;  // beyond any money or double

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

void Normalize(Decimal& d) {
  qsizetype lead = 0;
  while (lead < d.digits.size() && d.digits[lead] == '0') ++lead;
  d.digits.remove(0, lead);
  d.intLen -= static_cast<int>(lead);
  while (!d.digits.isEmpty() && d.digits.back() == '0') d.digits.chop(1);
  if (d.digits.isEmpty()) d = Decimal{};
}

// Reads [sign] digits [. digits] [e [sign] digits] with blanks around it.
std::optional<Decimal> ParseDecimal(QStringView text) {
  text = text.trimmed();
  qsizetype i = 0;
  const qsizetype n = text.size();
  Decimal d;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) d.negative = text[i++] == u'-';
  int intDigits = 0;
  bool anyDigit = false, afterPoint = false;
  for (; i < n; ++i) {
    if (IsDigit(text[i])) {
      d.digits += static_cast<char>(text[i].unicode());
      anyDigit = true;
      if (!afterPoint) ++intDigits;
    } else if (text[i] == u'.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  if (!anyDigit) return std::nullopt;
  int exponent = 0;
  if (i < n && (text[i] == u'e' || text[i] == u'E')) {
    ++i;
    bool negativeExponent = false;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) negativeExponent = text[i++] == u'-';
    if (i == n || !IsDigit(text[i])) return std::nullopt;
    for (; i < n && IsDigit(text[i]); ++i) {
      exponent = std::min(exponent * 10 + (text[i].unicode() - u'0'), kExponentLimit);
    }
    if (negativeExponent) exponent = -exponent;
  }
  if (i != n) return std::nullopt;
  d.intLen = intDigits + exponent;
  Normalize(d);
  return d;
}

bool RoundsUp(const QByteArray& digits, qsizetype keep, Rounding mode) {
  const char first = digits[keep];
  if (mode == Rounding::HalfAwayFromZero || first != '5') return first >= '5';
  if (keep + 1 < digits.size()) return true;  // digits stay after the 5 (no trailing zeros)
  return keep > 0 && (digits[keep - 1] - '0') % 2 == 1;
}

// Rounds to the given number of decimals.
void Round(Decimal& d, int decimals, Rounding mode) {
  const qsizetype keep = static_cast<qsizetype>(d.intLen) + decimals;
  if (keep >= d.digits.size()) return;
  const bool up = keep >= 0 && RoundsUp(d.digits, keep, mode);
  if (keep <= 0) {
    d.digits.clear();
    d.intLen = -decimals;
  } else {
    d.digits.truncate(keep);
  }
  if (up) {
    qsizetype i = d.digits.size() - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i < 0) {
      d.digits.prepend('1');
      ++d.intLen;
    } else {
      ++d.digits[i];
    }
  }
  Normalize(d);
}

// The double as 15 significant decimal digits, correctly rounded (Qt's
// conversion, which unlike printf ignores the C library's locale).
Decimal FromDouble(double value) {
  return ParseDecimal(QString::number(value, 'e', 14)).value_or(Decimal{});
}

Decimal FromCurrency(Currency value) {
  return ParseDecimal(QString::number(value.Raw()) + QStringLiteral("e-4")).value_or(Decimal{});
}

std::optional<qint64> ToTenThousandths(Decimal d) {
  Round(d, 4, Rounding::HalfEven);
  const qsizetype length = static_cast<qsizetype>(d.intLen) + 4;
  if (d.digits.isEmpty()) return 0;
  if (length > 19) return std::nullopt;
  quint64 raw = 0;
  for (qsizetype i = 0; i < length; ++i) {
    raw = raw * 10 + static_cast<quint64>(i < d.digits.size() ? d.digits[i] - '0' : 0);
  }
  if (raw > static_cast<quint64>(std::numeric_limits<qint64>::max())) return std::nullopt;
  const auto signedRaw = static_cast<qint64>(raw);
  return d.negative ? -signedRaw : signedRaw;
}

// The picture of FormatFloat: placeholders between a copied prefix and suffix.
struct Picture {
  QString prefix, suffix;
  int minInt = 0;
  bool thousands = false;
  int minFrac = 0, maxFrac = 0;
};

bool IsPictureChar(QChar c) { return c == u'0' || c == u'#' || c == u'.' || c == u','; }

Picture ParsePicture(const QString& format) {
  Picture p;
  qsizetype first = 0, last = format.size();
  while (first < last && !IsPictureChar(format[first])) ++first;
  while (last > first && !IsPictureChar(format[last - 1])) --last;
  p.prefix = format.left(first);
  p.suffix = format.mid(last);
  const QString body = format.mid(first, last - first);
  const qsizetype point = body.indexOf(u'.');
  QString intPart = point < 0 ? body : body.left(point);
  QString fracPart = point < 0 ? QString() : body.mid(point + 1);
  p.thousands = intPart.contains(u',');
  intPart.remove(u',');
  fracPart.remove(u',').remove(u'.');
  const qsizetype firstZero = intPart.indexOf(u'0');
  p.minInt = firstZero < 0 ? 0 : static_cast<int>(intPart.size() - firstZero);
  p.maxFrac = static_cast<int>(fracPart.size());
  p.minFrac = static_cast<int>(fracPart.lastIndexOf(u'0') + 1);
  return p;
}

QString GroupThousands(const QString& digits) {
  QString out;
  for (qsizetype i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += u',';
    out += digits[i];
  }
  return out;
}

QString Layout(const Picture& p, Decimal d) {
  Round(d, p.maxFrac, Rounding::HalfAwayFromZero);
  const QString digits = QString::fromLatin1(d.digits);
  QString intText, fracText;
  if (d.intLen > 0) {
    intText = digits.left(d.intLen).leftJustified(d.intLen, u'0');
    fracText = digits.mid(d.intLen);
  } else {
    fracText = QString(-d.intLen, u'0') + digits;
  }
  fracText = fracText.leftJustified(p.maxFrac, u'0');
  while (fracText.size() > p.minFrac && fracText.endsWith(u'0')) fracText.chop(1);
  intText = intText.rightJustified(p.minInt, u'0');
  if (p.thousands) intText = GroupThousands(intText);
  QString out = d.negative ? QStringLiteral("-") : QString();
  out += p.prefix + intText;
  if (!fracText.isEmpty()) out += u'.' + fracText;
  return out + p.suffix;
}

QString FormatDecimal(const QString& format, const Decimal& d) { return Layout(ParsePicture(format), d); }

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};
const char* const kDayNames[] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

QString Number(int value, int width) { return QString::number(value).rightJustified(width, u'0'); }

QString Name(const char* name, bool shortForm) {
  const QString full = QString::fromLatin1(name);
  return shortForm ? full.left(3) : full;
}

// One date-time token (a letter repeated `run` times) as text.
QString Token(char letter, int run, bool afterHour, const QDateTime& v) {
  const QDate date = v.date();
  const QTime time = v.time();
  switch (letter) {
    case 'y': return run <= 2 ? Number(date.year() % 100, 2) : Number(date.year(), 4);
    case 'm':
      if (afterHour && run <= 2) return Number(time.minute(), run);
      if (run <= 2) return Number(date.month(), run);
      return Name(kMonthNames[date.month() - 1], run == 3);
    case 'd':
      if (run <= 2) return Number(date.day(), run);
      return Name(kDayNames[date.dayOfWeek() - 1], run == 3);
    case 'h': return Number(time.hour(), run);
    case 'n': return Number(time.minute(), run);
    case 's': return Number(time.second(), run);
    case 'z': return Number(time.msec(), run == 1 ? 1 : 3);
    default: return {};
  }
}

int MaxRun(char letter) {
  switch (letter) {
    case 'y': case 'm': case 'd': return 4;
    case 'h': case 'n': case 's': return 2;
    case 'z': return 3;
    default: return 0;
  }
}

QDateTime ZeroDate() { return QDateTime(QDate(1899, 12, 30), QTime(0, 0)); }

}  // namespace

std::optional<double> TextToFloat(const QString& text) {
  if (!ParseDecimal(text)) return std::nullopt;
  bool ok = false;
  const double value = text.trimmed().toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<Currency> TryTextToCurrency(const QString& text) {
  const std::optional<Decimal> d = ParseDecimal(text);
  if (!d) return std::nullopt;
  const std::optional<qint64> raw = ToTenThousandths(*d);
  if (!raw) return std::nullopt;
  return Currency::FromRaw(*raw);
}

Currency TextToCurrency(const QString& text) { return TryTextToCurrency(text).value_or(Currency{}); }

QString FormatFloat(const QString& format, double value) {
  if (std::isnan(value)) return QStringLiteral("NAN");
  if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
  return FormatDecimal(format, FromDouble(value));
}

QString FormatFloat(const QString& format, Currency value) {
  return FormatDecimal(format, FromCurrency(value));
}

QString FormatDateTime(const QString& format, const QDateTime& value) {
  const QDateTime v = value.isValid() ? value : ZeroDate();
  QString out;
  bool afterHour = false;
  qsizetype i = 0;
  while (i < format.size()) {
    const QChar c = format[i];
    if (c == u'\'' || c == u'"') {
      const qsizetype close = format.indexOf(c, i + 1);
      const qsizetype end = close < 0 ? format.size() : close;
      out += format.mid(i + 1, end - i - 1);
      i = end + 1;
      continue;
    }
    const char letter = c.toLower().toLatin1();
    const int maxRun = MaxRun(letter);
    if (maxRun == 0) {
      out += c;
      ++i;
      continue;
    }
    int run = 0;
    while (i + run < format.size() && run < maxRun && format[i + run].toLower() == c.toLower()) ++run;
    out += Token(letter, run, afterHour, v);
    afterHour = letter == 'h';
    i += run;
  }
  return out;
}

QString FormatDateTime(const QString& format, const QDate& value) {
  return FormatDateTime(format, value.isValid() ? QDateTime(value, QTime(0, 0)) : ZeroDate());
}

QString FormatDateTime(const QString& format, const QTime& value) {
  return FormatDateTime(format, QDateTime(ZeroDate().date(), value.isValid() ? value : QTime(0, 0)));
}

}  // namespace kos
