#include "PLUCodesClass.h"

#include "Format.h"
#include "KvDb.h"

QString TPLUCodesClass::ExtCodesSQL(const QString& style) {
  return "select plu, root_plu, colour_name, size_name, external_barcode, sku, colour_value, size_offset"
         " from products where style = " +
         kdb::sql::Quote(style) + " order by colour_name, root_plu, size_offset, plu";
}

QString TPLUCodesClass::PricesSQL(const QString& style) {
  return "select plu, root_plu, colour_name, size_name, size_offset, current_cost_price, retail_price,"
         " wholesale_price, saleprice, colour_value from products where style = " +
         kdb::sql::Quote(style) + " order by colour_name, root_plu, size_offset, plu";
}

std::optional<Currency> TPLUCodesClass::Price(const QString& text) {
  const std::optional<Currency> value = kos::TryTextToCurrency(text);
  if (!value) return std::nullopt;
  // Written as "0.00": the value to the penny.
  return kos::TryTextToCurrency(kos::FormatFloat("0.00", *value));
}

Currency TPLUCodesClass::SalePrice(const QString& text) { return Price(text).value_or(Currency()); }

QString TPLUCodesClass::PriceText(Currency value) { return kos::FormatFloat("0.00", value); }
