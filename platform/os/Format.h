#pragma once
// Numbers, money and dates as text, the same on every machine: "." is the
// decimal point and "," the thousands separator whatever the locale says.
#include "Currency.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <optional>

namespace kos {

// Reads a decimal number: blanks around it, an optional sign, digits with at
// most one ".", at least one digit, an optional exponent ("e" or "E", optional
// sign, digits). No thousands separators. Nothing when the text is no number
// or out of range.
std::optional<double> TextToFloat(const QString& text);

// Money from text: the decimal value of the text times 10000, rounded half to
// even (0.00005 gives 0, 0.00015 gives 2 ten-thousandths). The value is taken
// from the digits as written, so no binary fraction shifts a half. Text that
// is no number, or too large for money, gives 0.
Currency TextToCurrency(const QString& text);
// The same, telling a failure apart from a true 0.
std::optional<Currency> TryTextToCurrency(const QString& text);

// Formats a number with a picture of digit placeholders:
//   "0"  a digit that is always written (leading or trailing zeros pad)
//   "#"  a digit written only when significant
//   "."  the decimal point; the number of placeholders after it is the number
//        of decimals, rounded half away from zero
//   ","  anywhere before the point: thousands separators
// e.g. "0.00", "00", "00000000", "#,##0.00", "0.000". Text before the first and
// after the last placeholder is copied. A double is rounded on its decimal
// form of 15 significant digits (so 2.675 gives "2.68"); a result that rounds
// to zero has no minus sign.
QString FormatFloat(const QString& format, double value);
// Money is formatted from its exact decimal digits.
QString FormatFloat(const QString& format, Currency value);

// Formats a date and time: yyyy, yy, m, mm (the minutes right after an hour),
// mmm, mmmm (English month names), d, dd, ddd, dddd (English day names), h,
// hh (24-hour clock), n, nn (minutes), s, ss, z, zzz (milliseconds); text in
// single or double quotes is copied; any other character is copied.
// e.g. "yyyy-mm-dd", "yyyy-mm-dd hh:nn:ss", "dd/mm/yyyy", "hh:nn:ss.zzz".
QString FormatDateTime(const QString& format, const QDateTime& value);
QString FormatDateTime(const QString& format, const QDate& value);
// A time alone (such as a duration) counts from the zero date 1899-12-30.
QString FormatDateTime(const QString& format, const QTime& value);

}  // namespace kos
