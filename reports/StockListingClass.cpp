#include "StockListingClass.h"

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
  // Group ids are integers: compared as numbers, without a text per record.
  bool currentNull = false;
  qint64 current = 0;
  kdb::Field* groupField = nullptr;
  int n = 0;
  const auto closeGroup = [&] {
    row(GroupTotalsRow());
    row({});  // the blank row after each group
  };
  for (q.First(); !q.Eof(); q.Next()) {
    if (!groupField) {
      groupField = &q.FieldByName(kGroupIdField);
      BindRun(q);
    }
    const bool null = groupField->IsNull();
    const qint64 group = null ? 0 : groupField->AsInteger();
    if (!open || group != current || null != currentNull) {
      if (open) closeGroup();
      BeginGroup();
      current = group;
      currentNull = null;
      open = true;
    }
    row(BoundRow());
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

std::vector<kdb::Field*> TStockListingClass::FindFields(kdb::DataSet& records,
                                                       std::initializer_list<const char*> names) {
  std::vector<kdb::Field*> fields;
  fields.reserve(names.size());
  for (const char* name : names) fields.push_back(&records.FieldByName(QString::fromLatin1(name)));
  return fields;
}

QString TStockListingClass::MoneyText(Currency value) {
  // Every amount of a listing is money: cents from the four decimals in
  // integers, a million rows without a text conversion of their own.
  const qint64 raw = value.Raw();
  const quint64 magnitude = raw < 0 ? 0 - quint64(raw) : quint64(raw);
  const quint64 cents = magnitude / 100 + (magnitude % 100 >= 50 ? 1 : 0);
  char text[32];
  char* end = text + sizeof text;
  char* p = end;
  *--p = char('0' + cents % 10);
  *--p = char('0' + cents / 10 % 10);
  *--p = '.';
  quint64 units = cents / 100;
  do {
    *--p = char('0' + units % 10);
    units /= 10;
  } while (units);
  if (raw < 0 && cents != 0) *--p = '-';
  return QString::fromLatin1(p, end - p);
}

QString TStockListingClass::IdList(const QStringList& ids) {
  QStringList checked;
  for (const QString& id : ids) checked << kdb::sql::Int(id);
  return "(" + checked.join(", ") + ")";
}

QString TStockListingClass::StockPerPlu(const TGroupChoice& group, const QString& idList, bool allValues,
                                        const QString& branchCondition, bool withRowCount) {
  const QString narrow =
      allValues ? QString() : " and bs.plu in (select g.plu from products g where g." + group.IdColumn + " in " + idList + ")";
  return QString("products p inner join (select bs.plu, sum(bs.stock_quantity) as total_stock") +
         (withRowCount ? ", count(*) as stock_rows" : "") + " from branchstock bs where 1 = 1" + narrow +
         branchCondition +
         " group by bs.plu) s on s.plu = p.plu";
}

QString TStockListingClass::GroupRanks(const TGroupChoice& group, const QString& idList) {
  return "(select v.id, row_number() over (order by " + group.ValueOrder +
         ") as group_rank from parameters v where v.id in " + idList + ") gr";
}
