#include "StyleExtrasClass.h"

#include "Format.h"
#include "KvDb.h"

namespace {

// A whole number as the options read one: optional sign and digits.
std::optional<qint64> WholeNumber(const QString& text) {
  const QString t = text.trimmed();
  if (!kdb::sql::IsInteger(t)) return std::nullopt;
  bool ok = false;
  const qint64 v = t.toLongLong(&ok);
  return ok ? std::optional<qint64>(v) : std::nullopt;
}

}  // namespace

// ----- options -------------------------------------------------------------------------

QString TStyleExtrasClass::OptionListSQL() {
  return "select id, name from parameters where type = 'PRODUCT OPTION' ORDER BY NAME, id";
}

QString TStyleExtrasClass::OptionValuesSQL(const QString& rootPLU) {
  return "select id, option_id, value from productoptions where root_plu = " + kdb::sql::Quote(rootPLU) +
         " order by id";
}

QString TStyleExtrasClass::ShownOption(const QString& name, const QString& stored, Currency retail,
                                       const std::function<int()>& ratioTotal) {
  if (name == kCasePrice) {
    const std::optional<double> price = kos::TextToFloat(stored);
    if (!price || *price == 0) return kos::FormatFloat("0.00", retail * ratioTotal());
    return stored;
  }
  if (name == kCaseUnits) {
    const std::optional<qint64> units = WholeNumber(stored);
    if (!units || *units == 0) return QString::number(ratioTotal());
    return stored;
  }
  return stored;
}

QString TStyleExtrasClass::StoredOption(const QString& name, const QString& typed) {
  const QString value = typed.trimmed();
  if (name == kCaseUnits) {
    const std::optional<qint64> units = WholeNumber(value);
    return units && *units != -1 ? QString::number(*units) : QStringLiteral("0");
  }
  if (name == kCasePrice) {
    const std::optional<Currency> price = kos::TryTextToCurrency(value);
    return price ? kos::FormatFloat("0.00", *price) : QStringLiteral("0");
  }
  return value;
}

// ----- charges -------------------------------------------------------------------------

QString TStyleExtrasClass::ChargeListSQL() {
  return "select name, rate, value from parameters where type = 'CHARGE' order by id";
}

QString TStyleExtrasClass::StyleChargesSQL(const QString& style) {
  return "select id, charge, cost_price, retail_price from productscharges where style = " + kdb::sql::Quote(style) +
         " order by id";
}

std::optional<QString> TStyleExtrasClass::ChargeTextAfterEnter(const QString& text) {
  if (text.isEmpty()) return text;
  const std::optional<Currency> amount = kos::TryTextToCurrency(text);
  if (!amount) return std::nullopt;
  return kos::FormatFloat("0.00", *amount);
}

std::optional<Currency> TStyleExtrasClass::ChargeAmount(const QString& text) {
  if (text.trimmed().isEmpty()) return Currency();
  return kos::TryTextToCurrency(text);
}
