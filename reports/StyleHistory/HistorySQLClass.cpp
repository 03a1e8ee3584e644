#include "HistorySQLClass.h"

#include "KvDb.h"

#include <QStringList>

namespace {

using kdb::sql::Int;
using kdb::sql::Quote;

// The PLUs of one colour. Each movement table is read only for these PLUs
// (by its PLU index) and summed per PLU before anything else is looked at,
// so a style's figures cost a few index ranges, never a scan.
QString PLUsOf(const QString& rootPLU) {
  return "(select products.plu from products where products.root_plu = " + Quote(rootPLU) + ")";
}

// One movement: the sums of `q1` (and `q2`) of `table` per PLU of the colour,
// tagged with the info grid row they fill.
struct Movement {
  THistoryRow kind;
  const char* table;
  const char* pluColumn;
  const char* q1;
  const char* q2;            // nullptr: 0
  const char* branchColumn;  // nullptr: no branch filter
};

QString MovementSelect(const Movement& m, const QString& rootPLU, qint64 branchId,
                       const QString& extraCondition = {}) {
  const QString table = QLatin1String(m.table);
  const QString plu = table + "." + QLatin1String(m.pluColumn);
  QString sql = "select " + QString::number(m.kind) + " as kind, " + plu + " as plu, sum(" + table + "." +
                QLatin1String(m.q1) + ") as q1, " +
                (m.q2 ? "sum(" + table + "." + QLatin1String(m.q2) + ")" : QString("0")) + " as q2 from " +
                table + " where " + plu + " in " + PLUsOf(rootPLU);
  if (m.branchColumn && branchId > 0)
    sql += " and " + table + "." + QLatin1String(m.branchColumn) + " = " + Int(branchId);
  return sql + extraCondition + " group by " + plu;
}

constexpr Movement kStock{hrStock, "branchstock", "plu", "stock_quantity", nullptr, "branch_id"};
constexpr Movement kOrders{hrOrdered, "orders", "plu", "qty", "delivery", nullptr};
constexpr Movement kTransOut{hrTransOut, "transfers", "plu", "qty", nullptr, "source"};
constexpr Movement kTransIn{hrTransIn, "transfers", "plu", "received", nullptr, "destination"};
constexpr Movement kReturns{hrReturned, "returns", "plu", "qty", nullptr, "source"};
constexpr Movement kWriteOffs{hrWrittenOff, "writeoffs", "plu", "qty", nullptr, "source"};
constexpr Movement kSales{hrSales, "transactions", "full_plu_string", "quantity", nullptr, "branch_id"};
constexpr Movement kSalesBetween{hrSalesBetween, "transactions", "full_plu_string",
                                 "quantity",     nullptr,        "branch_id"};

}  // namespace

QString THistorySQLClass::FindStyle(const QString& rootText, const QString& styleText) {
  // The root PLU wins when both are given. A product without a style cannot
  // be shown, so it is no match.
  const QString condition =
      rootText.isEmpty() ? "style like " + Quote(styleText + "%") : "root_plu like " + Quote(rootText + "%");
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

QString THistorySQLClass::Sizes(const QString& rootPLU) {
  return "select plu, size_name, size_offset from products where root_plu = " + Quote(rootPLU) +
         " order by size_offset nulls first, plu";
}

QString THistorySQLClass::Movements(const QString& rootPLU, qint64 branchId, bool stockOnly) {
  QStringList parts{MovementSelect(kStock, rootPLU, branchId)};
  if (!stockOnly)
    for (const Movement& m : {kOrders, kTransOut, kTransIn, kReturns, kWriteOffs, kSales})
      parts << MovementSelect(m, rootPLU, branchId);
  return parts.join(" union all ");
}

QString THistorySQLClass::SalesBetween(const QString& rootPLU, qint64 branchId, const QDate& from,
                                       const QDate& to) {
  const QString dates = " and transactions.date >= " + kdb::sql::Date(from) + " and transactions.date < " +
                        kdb::sql::Date(to.addDays(1));
  return MovementSelect(kSalesBetween, rootPLU, branchId, dates);
}

QString THistorySQLClass::Branches() { return "select id, name from branches order by name asc"; }
