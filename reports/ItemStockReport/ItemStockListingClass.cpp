#include "ItemStockListingClass.h"

#include "KVQuantityTextClass.h"
#include "KvDb.h"
#include "StockGroupByClass.h"

const std::vector<TStockListingClass::Column>& TItemStockListingClass::Columns() const {
  // The PLU column starts 4 px wide on screen (the user may widen it); it
  // prints and exports in full.
  static const std::vector<Column> columns{
      {"PLU", 4, false, "PLU", "QRLabRootPLU", 76},
      {"Supplier", 72, false, "Supplier", "QRLabSupplier", 96},
      {"", 72, false, "", "QRLabGroupBy", 92},
      {"Style", 96, false, "Style", "QRLabStyle", 104},
      {"Colour", 80, false, "Colour", "QRLabColour", 88},
      {"Size", 48, false, "Size", "QRLabSize", 48},
      {"Category", 72, false, "Category", "QRLabCat", 92},
      {"Department", 72, false, "Department", "QRLabDept", 100},
      {"Description", 96, false, "Description", "QRLabDesc", 176},
      {"Cost", 48, true, "Cost", "QRLabAVGCost", 64},
      {"Retail", 48, true, "Retail", "QRLabAVGRetail", 64},
      {"Qty", 48, true, "Quantity", "QRLabQTY", 64},
      {"T. Cost", 72, true, "Total Cost", "QRLabTotCost", 84},
      {"T. Retail", 72, true, "Total Retail", "QRLabTotRetail", 84},
  };
  return columns;
}

QString TItemStockListingClass::RunStatement(const TGroupChoice& group, const QStringList& ids, bool allValues,
                                             const QString& branchCondition) const {
  // Within a value: style, colour and size, NULLs first on both engines; the
  // PLU orders what those leave equal.
  const QString idList = IdList(ids);
  return "select p." + group.IdColumn + " as " + kGroupIdField +
         ", p.plu, p.supplier_name, p.style, p.colour_name, p.size_name, p.category_name,"
         " p.department_name, p.description, p." + group.NameColumn + " as " + kGroupNameField +
         ", s.total_stock, p.current_cost_price, p.retail_price from " +
         StockPerPlu(group, idList, allValues, branchCondition, false) + " inner join " + GroupRanks(group, idList) +
         " on gr.id = p." + group.IdColumn + " where p." + group.IdColumn + " in " + idList +
         " order by gr.group_rank, p.style nulls first, p.colour_name nulls first, p.size_offset nulls first, p.plu";
}

// The record's fields, in the order ReadFields reads them.
std::vector<kdb::Field*> TItemStockListingClass::Fields(kdb::DataSet& q) {
  return FindFields(q, {"plu", "supplier_name", kGroupNameField, "style", "colour_name", "size_name", "category_name",
                        "department_name", "description", "current_cost_price", "retail_price", "total_stock"});
}

void TItemStockListingClass::ReadFields(const std::vector<kdb::Field*>& f, TItemStockRecord& r) {
  // Into the record of the row before: a name it repeats costs no new string.
  f[0]->AsStringInto(r.Plu);
  f[1]->AsStringInto(r.Supplier);
  f[2]->AsStringInto(r.Group);
  f[3]->AsStringInto(r.Style);
  f[4]->AsStringInto(r.Colour);
  f[5]->AsStringInto(r.Size);
  f[6]->AsStringInto(r.Category);
  f[7]->AsStringInto(r.Department);
  f[8]->AsStringInto(r.Description);
  r.Cost = f[9]->AsCurrency();
  r.Retail = f[10]->AsCurrency();
  r.Qty = f[11]->AsInteger();
}

TItemStockRecord TItemStockListingClass::ReadRecord(kdb::DataSet& q) {
  TItemStockRecord r;
  ReadFields(Fields(q), r);
  return r;
}

void TItemStockListingClass::BindRun(kdb::DataSet& q) {
  bound_ = Fields(q);
  record_ = {};
}

void TItemStockListingClass::BeginRun() { grand_ = {}; }

void TItemStockListingClass::BeginGroup() { group_ = {}; }

QStringList TItemStockListingClass::AddRecord(const TItemStockRecord& r) {
  const Currency totCost = r.Cost * r.Qty;
  const Currency totRetail = r.Retail * r.Qty;
  group_.qty += r.Qty;
  group_.cost += totCost;
  group_.retail += totRetail;
  return {r.Plu, texts_[0](r.Supplier), texts_[1](r.Group), texts_[2](r.Style), texts_[3](r.Colour), r.Size,
          texts_[4](r.Category), texts_[5](r.Department), texts_[6](r.Description), cost_(r.Cost),
          retail_(r.Retail), KVQuantityTextClass::Text(r.Qty), MoneyText(totCost), MoneyText(totRetail)};
}

QStringList TItemStockListingClass::SumsRow(const Sums& s) const {
  return TotalsRow({{cQty, QString::number(s.qty)}, {cTotCost, MoneyText(s.cost)}, {cTotRetail, MoneyText(s.retail)}});
}

QStringList TItemStockListingClass::GroupTotalsRow() {
  grand_.qty += group_.qty;
  grand_.cost += group_.cost;
  grand_.retail += group_.retail;
  return SumsRow(group_);
}

QStringList TItemStockListingClass::GrandTotalsRow() const { return SumsRow(grand_); }
