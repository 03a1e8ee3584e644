#include "StockListingClass.h"

#include "Format.h"
#include "KvDb.h"
#include "StockGroupByClass.h"

TStockListingClass::~TStockListingClass() = default;

QStringList TStockListingClass::HeaderRow(const QString& groupColumnTitle) const {
  QStringList row;
  for (const Column& c : Columns()) row << c.Title;
  row[kGroupColumn] = groupColumnTitle;
  return row;
}

bool TStockListingClass::IsBoldText(const QString& column0) const {
  return column0.compare(kTotals, Qt::CaseInsensitive) == 0 ||
         column0.compare(Columns().front().Title, Qt::CaseInsensitive) == 0;
}

QStringList TStockListingClass::TotalsRow(std::initializer_list<std::pair<int, QString>> cells) const {
  QStringList row;
  for (int i = 0; i < ColumnCount(); ++i) row << QString();
  row[0] = kTotals;
  for (const auto& [col, text] : cells) row[col] = text;
  return row;
}

QString TStockListingClass::MoneyText(Currency value) { return kos::FormatFloat("0.00", value); }

QString TStockListingClass::StockPerPluJoin(const TGroupChoice& group, const QString& valueId,
                                            const QString& branchCondition) {
  // The stock rows are narrowed to the value's PLUs before they are summed,
  // so a value of a few styles reads only their rows of a large BRANCHSTOCK.
  const QString id = kdb::sql::Int(valueId);
  return " from products p inner join (select bs.plu, sum(bs.stock_quantity) as total_stock,"
         " count(*) as stock_rows from branchstock bs where bs.plu in (select g.plu from products g where g." +
         group.IdColumn + " = " + id + ")" + branchCondition +
         " group by bs.plu) s on s.plu = p.plu where p." + group.IdColumn + " = " + id;
}
