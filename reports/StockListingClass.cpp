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

void TStockListingClass::ListRun(kdb::DataSet& q, const std::function<void(const QStringList&)>& row,
                                 const std::function<void()>& pump) {
  BeginRun();
  bool open = false;
  QString current;
  int n = 0;
  const auto closeGroup = [&] {
    row(GroupTotalsRow());
    row({});  // the blank row after each group
  };
  for (q.First(); !q.Eof(); q.Next()) {
    const QString group = q.FieldByName(kGroupIdField).AsString();
    if (!open || group != current) {
      if (open) closeGroup();
      BeginGroup();
      current = group;
      open = true;
    }
    row(RecordRow(q));
    if (pump && ++n % 256 == 0) pump();
  }
  if (open) closeGroup();
}

QStringList TStockListingClass::TotalsRow(std::initializer_list<std::pair<int, QString>> cells) const {
  QStringList row;
  for (int i = 0; i < ColumnCount(); ++i) row << QString();
  row[0] = kTotals;
  for (const auto& [col, text] : cells) row[col] = text;
  return row;
}

QString TStockListingClass::MoneyText(Currency value) { return kos::FormatFloat("0.00", value); }

QString TStockListingClass::IdList(const QStringList& ids) {
  QStringList checked;
  for (const QString& id : ids) checked << kdb::sql::Int(id);
  return "(" + checked.join(", ") + ")";
}

QString TStockListingClass::StockPerPlu(const TGroupChoice& group, const QString& idList, bool allValues,
                                        const QString& branchCondition) {
  const QString narrow =
      allValues ? QString() : " and bs.plu in (select g.plu from products g where g." + group.IdColumn + " in " + idList + ")";
  return "products p inner join (select bs.plu, sum(bs.stock_quantity) as total_stock, count(*) as stock_rows"
         " from branchstock bs where 1 = 1" + narrow + branchCondition +
         " group by bs.plu) s on s.plu = p.plu";
}
