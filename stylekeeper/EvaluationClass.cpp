#include "EvaluationClass.h"

#include <array>

#include "Format.h"
#include "KvDb.h"

namespace {

// One item of the list: the id columns it groups by and the name columns
// that name a group (in display and tie-break order).
struct Grouping {
  const char* item;
  QStringList ids;
  QStringList names;
};

const std::array<Grouping, 5>& Groupings() {
  static const std::array<Grouping, 5> groupings{{
      {"Category", {"category_id"}, {"category_name"}},
      {"Department", {"category_id", "department_id"}, {"category_name", "department_name"}},
      {"Supplier", {"supplier_id"}, {"supplier_name"}},
      {"Season", {"season_id"}, {"season_name"}},
      {"Brand", {"brandlabel_id"}, {"brandlabel_name"}},
  }};
  return groupings;
}

const Grouping& GroupingOf(int item) {
  if (item < 0 || item >= TEvaluationClass::ItemCount())
    throw kdb::DbError("No evaluation grouping " + QString::number(item));
  return Groupings()[static_cast<size_t>(item)];
}

QStringList Qualified(const QStringList& columns) {
  QStringList out;
  for (const QString& c : columns) out << "p." + c;
  return out;
}

QString Money(Currency value) { return kos::FormatFloat(QStringLiteral("#,##0.00"), value); }

}  // namespace

QStringList TEvaluationClass::Items() {
  QStringList items;
  for (const Grouping& g : Groupings()) items << g.item;
  return items;
}

int TEvaluationClass::ItemCount() { return static_cast<int>(Groupings().size()); }

QString TEvaluationClass::ReportSQL(int item) {
  const Grouping& g = GroupingOf(item);
  // A group's name is one of its rows' names (they share one unless a rename
  // is half done); an empty name sorts first on both engines.
  QStringList names;
  for (const QString& n : g.names) names << "coalesce(min(p." + n + "), '') as " + n;
  const QString groupBy = Qualified(g.ids).join(", ");
  return "select " + groupBy + ", " + names.join(", ") + "," +
         " coalesce(sum(s.qty), 0) as total_stock," + " sum(s.qty * p.retail_price) as total_retail," +
         " sum(s.qty * p.current_cost_price) as total_cost" +
         " from (select plu, sum(stock_quantity) as qty from branchstock group by plu) s" +
         " inner join products p on (p.plu = s.plu)" + " group by " + groupBy +
         " order by total_stock desc, " + g.names.join(", ");
}

std::vector<QStringList> TEvaluationClass::Rows(int item, kdb::DataSet& rows, const Progress& progress) {
  const Grouping& g = GroupingOf(item);
  std::vector<QStringList> out;
  out.push_back({g.item, "Stock", "Cost", "Retail", "Gross Profit"});
  const int total = rows.RecordCount();
  qint64 stockSum = 0;
  Currency costSum, retailSum, profitSum;
  int n = 0;
  for (rows.First(); !rows.Eof(); rows.Next()) {
    ++n;
    if (progress)
      progress("Please wait...  Loading Result : " + QString::number(n) + " of " + QString::number(total) + "!");
    QStringList name;
    for (const QString& column : g.names) name << rows.FieldByName(column).AsString();
    const qint64 stock = rows.FieldByName("total_stock").AsInteger();
    const Currency cost = rows.FieldByName("total_cost").AsCurrency();
    const Currency retail = rows.FieldByName("total_retail").AsCurrency();
    const Currency profit = retail - cost;
    out.push_back({name.join(' '), QString::number(stock), Money(cost), Money(retail), Money(profit)});
    stockSum += stock;
    costSum += cost;
    retailSum += retail;
    profitSum += profit;
  }
  out.push_back({"TOTALS:", QString::number(stockSum), Money(costSum), Money(retailSum), Money(profitSum)});
  return out;
}
