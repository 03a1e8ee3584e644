#include "ItemStockListingClass.h"

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
         StockPerPlu(group, idList, allValues, branchCondition) + " inner join parameters v on v.id = p." +
         group.IdColumn + " where p." + group.IdColumn + " in " + idList + " order by " + group.ValueOrder +
         ", p.style nulls first, p.colour_name nulls first, p.size_offset nulls first, p.plu";
}

TItemStockRecord TItemStockListingClass::ReadRecord(kdb::DataSet& q) {
  TItemStockRecord r;
  r.Plu = q.FieldByName("plu").AsString();
  r.Supplier = q.FieldByName("supplier_name").AsString();
  r.Group = q.FieldByName(kGroupNameField).AsString();
  r.Style = q.FieldByName("style").AsString();
  r.Colour = q.FieldByName("colour_name").AsString();
  r.Size = q.FieldByName("size_name").AsString();
  r.Category = q.FieldByName("category_name").AsString();
  r.Department = q.FieldByName("department_name").AsString();
  r.Description = q.FieldByName("description").AsString();
  r.Cost = q.FieldByName("current_cost_price").AsCurrency();
  r.Retail = q.FieldByName("retail_price").AsCurrency();
  r.Qty = q.FieldByName("total_stock").AsInteger();
  return r;
}

void TItemStockListingClass::BeginRun() { grand_ = {}; }

void TItemStockListingClass::BeginGroup() { group_ = {}; }

QStringList TItemStockListingClass::AddRecord(const TItemStockRecord& r) {
  const Currency totCost = r.Cost * r.Qty;
  const Currency totRetail = r.Retail * r.Qty;
  group_.qty += r.Qty;
  group_.cost += totCost;
  group_.retail += totRetail;
  return {r.Plu, r.Supplier, r.Group, r.Style, r.Colour, r.Size, r.Category, r.Department, r.Description,
          MoneyText(r.Cost), MoneyText(r.Retail), QString::number(r.Qty), MoneyText(totCost),
          MoneyText(totRetail)};
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
