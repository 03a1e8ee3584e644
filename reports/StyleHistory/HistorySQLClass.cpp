#include "HistorySQLClass.h"

#include "KvDb.h"

#include <QStringList>

namespace {

using kdb::sql::Int;
using kdb::sql::Quote;

// One figure: the sum of a movement table's column for the PLU of the row,
// optionally for one branch.
struct Movement {
  THistoryFigure figure;
  const char* table;
  const char* pluColumn;
  const char* sumColumn;
  const char* branchColumn;  // nullptr: no branch filter
};

const Movement kStock{{hrStock, "stock"}, "branchstock", "plu", "stock_quantity", "branch_id"};
const Movement kMovements[] = {
    {{hrOrdered, "ordqty"}, "orders", "plu", "qty", nullptr},
    {{hrDelivered, "delqty"}, "orders", "plu", "delivery", nullptr},
    {{hrTransOut, "transout"}, "transfers", "plu", "qty", "source"},
    {{hrTransIn, "transin"}, "transfers", "plu", "received", "destination"},
    {{hrReturned, "returned"}, "returns", "plu", "qty", "source"},
    {{hrWrittenOff, "writtenoff"}, "writeoffs", "plu", "qty", "source"},
    {{hrSales, "sales"}, "transactions", "full_plu_string", "quantity", "branch_id"},
};
const Movement kSalesBetween{{hrSalesBetween, "salesbetween"}, "transactions", "full_plu_string", "quantity",
                             "branch_id"};

// The figure as a column of a statement over the colour's PRODUCTS rows: the
// movement table is read only for that PLU, by its PLU index, so a colour
// costs a few index ranges whatever the size of the tables.
QString FigureColumn(const Movement& m, qint64 branchId, const QString& extraCondition = {}) {
  const QString table = QLatin1String(m.table);
  QString sql = "(select sum(" + table + "." + QLatin1String(m.sumColumn) + ") from " + table + " where " +
                table + "." + QLatin1String(m.pluColumn) + " = products.plu";
  if (m.branchColumn && branchId > 0)
    sql += " and " + table + "." + QLatin1String(m.branchColumn) + " = " + Int(branchId);
  return sql + extraCondition + ") as " + QLatin1String(m.figure.alias);
}

QString OfColour(const QString& rootPLU) {
  return " from products where products.root_plu = " + Quote(rootPLU) +
         " order by products.size_offset nulls first, products.plu";
}

}  // namespace

QString THistorySQLClass::FindStyle(const QString& rootText, const QString& styleText) {
  // The root PLU wins when both are given. A product without a style cannot
  // be shown, so it is no match.
  const QString condition = rootText.isEmpty() ? "style like " + Quote(styleText + "%")
                                               : "root_plu like " + Quote(rootText + "%");
  return "select style from products where " + condition + " and style is not null order by style limit 1";
}

QString THistorySQLClass::StyleColours(const QString& style) {
  return "select root_plu, style, style_ref, colour_name, colour_value, description,"
         " season_name, brandlabel_name, supplier_name,"
         " current_cost_price, retail_price, vat_rate,"
         " category_name, department_name, subdepartment_name, date_created"
         " from products where id in (select min(id) from products where style = " +
         Quote(style) + " group by root_plu) order by colour_name nulls first, root_plu";
}

QString THistorySQLClass::History(const QString& rootPLU, qint64 branchId, bool stockOnly) {
  QStringList columns{"products.plu", "products.size_name", FigureColumn(kStock, branchId)};
  if (!stockOnly)
    for (const Movement& m : kMovements) columns << FigureColumn(m, branchId);
  return "select " + columns.join(", ") + OfColour(rootPLU);
}

QString THistorySQLClass::SalesBetween(const QString& rootPLU, qint64 branchId, const QDate& from,
                                       const QDate& to) {
  const QString dates = " and transactions.date >= " + kdb::sql::Date(from) +
                        " and transactions.date < " + kdb::sql::Date(to.addDays(1));
  return "select products.plu, " + FigureColumn(kSalesBetween, branchId, dates) + OfColour(rootPLU);
}

const std::vector<THistoryFigure>& THistorySQLClass::Figures() {
  static const std::vector<THistoryFigure> figures = [] {
    std::vector<THistoryFigure> f{kStock.figure};
    for (const Movement& m : kMovements) f.push_back(m.figure);
    f.push_back(kSalesBetween.figure);
    return f;
  }();
  return figures;
}

QString THistorySQLClass::Branches() { return "select id, name from branches order by name asc"; }
