#include "StyleListClass.h"

#include "Format.h"
#include "KvDb.h"

namespace {

// One row per root PLU without naming a column that is neither grouped nor
// aggregated (which one engine refuses): the root PLU's first row by ID, the
// condition applied to all of its rows.
QString FirstRowOfEachRootPLU(const QString& where) {
  return " where id in (select min(id) from products" + where + " group by root_plu)";
}

// The rows of a condition that are their colour's first size.
QString FirstSizeRows(const QString& where) {
  static const QString kWhere = QStringLiteral(" where ");
  if (where.isEmpty()) return " where size_offset = 0";
  if (!where.startsWith(kWhere, Qt::CaseInsensitive)) throw kdb::DbError("Not a condition: " + where);
  return " where (" + where.mid(kWhere.size()) + ") and size_offset = 0";
}

QString StyleList(const QString& rows) {
  return QStringLiteral("select root_plu, supplier_name, style, style_ref, description,") +
         "colour_name, season_name, category_name, department_name," +
         "subdepartment_name, brandlabel_name, sizesscale_name, vat_rate," +
         "current_cost_price, retail_price from products" + rows +
         " order by coalesce(style, ''), coalesce(colour_name, ''), root_plu";
}

}  // namespace

QString TStyleListClass::StyleListSQL(const QString& where) { return StyleList(FirstRowOfEachRootPLU(where)); }

QString TStyleListClass::FirstSizeStyleListSQL(const QString& where) { return StyleList(FirstSizeRows(where)); }

QString TStyleListClass::ExternalCodeWhere(const QString& code) {
  const QString value = kdb::sql::Quote(code.toUpper());
  return " where (upper(external_barcode) = " + value + " or upper(sku) = " + value + ")";
}

std::optional<QString> TStyleListClass::PriceWhere(const QString& column, const QString& text) {
  const std::optional<Currency> price = kos::TryTextToCurrency(text.trimmed());
  if (!price) return std::nullopt;
  // Written from the money value itself: nothing of the typed text stands in
  // the statement.
  return " where " + column + " = " + kos::FormatFloat(QStringLiteral("0.0000"), *price);
}

QString TStyleListClass::CostAboveRetailWhere() { return QStringLiteral(" where current_cost_price > retail_price"); }

QString TStyleListClass::WebsiteWhere() { return QStringLiteral(" where ecom_flag = true"); }

QString TStyleListClass::StyleSheetSQL(const std::optional<QString>& style) {
  const QString where = style ? " where STYLE = " + kdb::sql::Quote(*style) : QString();
  return QStringLiteral("select ROOT_PLU, supplier_name, style, style_ref, DESCRIPTION,") +
         "COLOUR_NAME, SEASON_NAME, CATEGORY_NAME, DEPARTMENT_NAME, SUBDEPARTMENT_NAME," +
         "BRANDLABEL_NAME, SIZESSCALE_NAME, VAT_RATE, CURRENT_COST_PRICE, RETAIL_PRICE" + " from PRODUCTS" +
         FirstSizeRows(where) + " ORDER BY coalesce(STYLE, ''), ROOT_PLU";
}

QString TStyleListClass::StyleSheetTitle(const std::optional<QString>& style) {
  return style ? "Style Keeper: " + *style : QStringLiteral("Style Keeper");
}

QStringList TStyleListClass::StyleSheetCells(kdb::DataSet& row) {
  const auto text = [&row](const char* column) { return row.FieldByName(column).AsString(); };
  const auto money = [&row](const char* column) {
    return kos::FormatFloat(QStringLiteral("0.00"), row.FieldByName(column).AsCurrency());
  };
  QStringList cells{text("ROOT_PLU"),           text("SUPPLIER_NAME"),   text("STYLE"),
                    text("STYLE_REF"),          text("DESCRIPTION"),     text("COLOUR_NAME"),
                    text("SEASON_NAME"),        text("CATEGORY_NAME"),   text("DEPARTMENT_NAME"),
                    text("SUBDEPARTMENT_NAME"), text("BRANDLABEL_NAME"), text("SIZESSCALE_NAME"),
                    text("VAT_RATE"),           money("CURRENT_COST_PRICE"),
                    QString(),  // mark-up: not printed
                    money("RETAIL_PRICE")};
  while (cells.size() < kStyleSheetColumns) cells << QString();  // stock and minimum stock
  return cells;
}
