#include "RootStockListingClass.h"

#include "KvDb.h"
#include "StockGroupByClass.h"

const std::vector<TStockListingClass::Column>& TRootStockListingClass::Columns() const {
  static const std::vector<Column> columns{
      {"Root PLU", 64, false, "Root PLU", "QRLabRootPLU", 80},
      {"Supplier", 72, false, "Supplier", "QRLabSupplier", 104},
      {"", 72, false, "", "QRLabGroupBy", 96},
      {"Style", 96, false, "Style", "QRLabStyle", 112},
      {"Colour", 80, false, "Colour", "QRLabColour", 92},
      {"Category", 72, false, "Category", "QRLabCat", 96},
      {"Department", 72, false, "Department", "QRLabDept", 104},
      {"Description", 96, false, "Description", "QRLabDesc", 180},
      {"AV Cost", 56, true, "AVG Cost", "QRLabAVGCost", 68},
      {"AV Sell", 56, true, "AVG Retail", "QRLabAVGRetail", 72},
      {"Qty", 48, true, "Quantity", "QRLabQTY", 64},
      {"T. Cost", 72, true, "Total Cost", "QRLabTotCost", 84},
      {"T. Retail", 72, true, "Total Retail", "QRLabTotRetail", 84},
  };
  return columns;
}

QString TRootStockListingClass::RunStatement(const TGroupChoice& group, const QStringList& ids, bool allValues,
                                             const QString& branchCondition) const {
  // The stock is summed per PLU before the join, together with the number
  // of stock rows each PLU has: the mean over the joined rows is then the
  // sum of price x rows over the rows that have a price. The names are the
  // same for every size of a colour; min() takes them without relying on an
  // engine's choice of row. The PLUs are grouped by their value's rank and
  // their root PLU, so the one sort of the grouping gives the listing's order.
  const QString idList = IdList(ids);
  return "select gr.id as " + QString(kGroupIdField) +
         ", p.root_plu, min(p.supplier_name) as supplier_name, min(p.style) as style,"
         " min(p.colour_name) as colour_name, min(p.category_name) as category_name,"
         " min(p.department_name) as department_name, min(p.description) as description,"
         " min(p." + group.NameColumn + ") as " + kGroupNameField +
         ", cast(sum(s.total_stock) as bigint) as total_stock,"
         " sum(s.total_stock * p.current_cost_price) as totcost,"
         " sum(s.total_stock * p.retail_price) as totretail,"
         " sum(s.stock_rows * p.current_cost_price) as cost_sum,"
         " sum(case when p.current_cost_price is null then 0 else s.stock_rows end) as cost_rows,"
         " sum(s.stock_rows * p.retail_price) as sell_sum,"
         " sum(case when p.retail_price is null then 0 else s.stock_rows end) as sell_rows from " +
         StockPerPlu(group, idList, allValues, branchCondition, true) + " inner join " + GroupRanks(group, idList) +
         " on gr.id = p." + group.IdColumn + " where p." + group.IdColumn + " in " + idList +
         " group by gr.group_rank, gr.id, p.root_plu order by gr.group_rank, gr.id, p.root_plu";
}

// The record's fields, in the order ReadFields reads them.
std::vector<kdb::Field*> TRootStockListingClass::Fields(kdb::DataSet& q) {
  return FindFields(q, {"root_plu", "supplier_name", kGroupNameField, "style", "colour_name", "category_name",
                        "department_name", "description", "cost_sum", "cost_rows", "sell_sum", "sell_rows",
                        "total_stock", "totcost", "totretail"});
}

void TRootStockListingClass::ReadFields(const std::vector<kdb::Field*>& f, TRootStockRecord& r) {
  // Into the record of the row before: a name it repeats costs no new string.
  f[0]->AsStringInto(r.RootPlu);
  f[1]->AsStringInto(r.Supplier);
  f[2]->AsStringInto(r.Group);
  f[3]->AsStringInto(r.Style);
  f[4]->AsStringInto(r.Colour);
  f[5]->AsStringInto(r.Category);
  f[6]->AsStringInto(r.Department);
  f[7]->AsStringInto(r.Description);
  r.AvgCost = RoundedMean(f[8]->AsCurrency(), f[9]->AsInteger());
  r.AvgSell = RoundedMean(f[10]->AsCurrency(), f[11]->AsInteger());
  f[12]->AsStringInto(r.QtyText);
  r.TotCost = f[13]->AsCurrency();
  r.TotRetail = f[14]->AsCurrency();
}

TRootStockRecord TRootStockListingClass::ReadRecord(kdb::DataSet& q) {
  TRootStockRecord r;
  ReadFields(Fields(q), r);
  return r;
}

void TRootStockListingClass::BindRun(kdb::DataSet& q) {
  bound_ = Fields(q);
  record_ = {};
}

Currency TRootStockListingClass::RoundedMean(Currency sum, qint64 count) {
  if (count <= 0) return {};
  const qint64 raw = sum.Raw();
  qint64 q = raw / count;
  const qint64 r = raw % count;  // same sign as raw
  const qint64 twice = 2 * (r < 0 ? -r : r);
  if (twice > count || (twice == count && (q & 1))) q += raw < 0 ? -1 : 1;
  return Currency::FromRaw(q);
}

Currency TRootStockListingClass::CutMean(Currency sum, qint64 count) {
  return count > 0 ? Currency::FromRaw(sum.Raw() / count) : Currency();
}

void TRootStockListingClass::BeginRun() { grand_ = {}; }

void TRootStockListingClass::BeginGroup() { group_ = {}; }

QStringList TRootStockListingClass::AddRecord(const TRootStockRecord& r) {
  group_.qty += r.QtyText.toLongLong();
  group_.cost += r.TotCost;
  group_.retail += r.TotRetail;
  group_.avgCost += r.AvgCost;
  group_.avgSell += r.AvgSell;
  ++group_.count;
  return {r.RootPlu, texts_[0](r.Supplier), texts_[1](r.Group), texts_[2](r.Style), texts_[3](r.Colour),
          texts_[4](r.Category), texts_[5](r.Department), texts_[6](r.Description),
          MoneyText(r.AvgCost), MoneyText(r.AvgSell), r.QtyText, MoneyText(r.TotCost), MoneyText(r.TotRetail)};
}

QStringList TRootStockListingClass::GroupTotalsRow() {
  const Currency avgCost = CutMean(group_.avgCost, group_.count);
  const Currency avgSell = CutMean(group_.avgSell, group_.count);
  grand_.qty += group_.qty;
  grand_.cost += group_.cost;
  grand_.retail += group_.retail;
  grand_.avgCost += avgCost;
  grand_.avgSell += avgSell;
  ++grand_.count;
  return TotalsRow({{cAvgCost, MoneyText(avgCost)}, {cAvgSell, MoneyText(avgSell)},
                    {cQty, QString::number(group_.qty)}, {cTotCost, MoneyText(group_.cost)},
                    {cTotRetail, MoneyText(group_.retail)}});
}

QStringList TRootStockListingClass::GrandTotalsRow() const {
  return TotalsRow({{cAvgCost, MoneyText(CutMean(grand_.avgCost, grand_.count))},
                    {cAvgSell, MoneyText(CutMean(grand_.avgSell, grand_.count))},
                    {cQty, QString::number(grand_.qty)}, {cTotCost, MoneyText(grand_.cost)},
                    {cTotRetail, MoneyText(grand_.retail)}});
}
