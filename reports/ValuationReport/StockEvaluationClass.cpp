#include "StockEvaluationClass.h"

#include "Format.h"
#include "KvDb.h"
#include "StockGroupByClass.h"

namespace {
const TGroupChoice& Choice(int groupIndex) {
  const auto& choices = TStockGroupByClass::ValuationChoices();
  if (groupIndex < 0 || groupIndex >= static_cast<int>(choices.size())) groupIndex = TStockGroupByClass::kValuationDefault;
  return choices[size_t(groupIndex)];
}
}  // namespace

QString TStockEvaluationClass::Statement(int groupIndex, const QString& branchCondition,
                                         const QString& searchCondition) {
  const TGroupChoice& g = Choice(groupIndex);
  const bool department = groupIndex == TStockGroupByClass::kDepartment;
  // The products are narrowed in a table of their own, so the search's
  // columns (root_plu stands in both tables) name only PRODUCTS columns.
  // The names are the same on every row of a group; min() takes them
  // without relying on an engine's choice of row. The branch's name is its
  // name in BRANCHES, read once per row of the result rather than once per
  // stock row (the copy in BRANCHSTOCK only for a branch no longer there).
  // NULLs sort first on both engines; branch and id order what the names
  // leave equal.
  const QString names = department ? "min(p.category_name) as group_name, min(p.department_name) as group_department"
                                   : "min(p." + g.NameColumn + ") as group_name";
  const QString shown = department ? "r.group_name, r.group_department" : "r.group_name";
  const QString order = department ? "r.group_name nulls first, r.group_department nulls first"
                                   : "r.group_name nulls first";
  return "select r.branch_id, coalesce(b.name, (select min(x.branch_name) from branchstock x"
         " where x.branch_id = r.branch_id)) as branch_name, r.group_id, " + shown +
         ", r.total_cost, r.total_retail, r.unit_retail, r.unit_cost, r.units from (select bs.branch_id, p." +
         g.IdColumn + " as group_id, " + names +
         ", sum(p.current_cost_price * bs.stock_quantity) as total_cost,"
         " sum(p.retail_price * bs.stock_quantity) as total_retail,"
         " avg(p.retail_price) as unit_retail, avg(p.current_cost_price) as unit_cost,"
         " sum(bs.stock_quantity) as units"
         " from (select plu, current_cost_price, retail_price, " + g.IdColumn + ", " + g.NameColumn +
         " from products where 1 = 1" + searchCondition + ") p inner join branchstock bs on bs.plu = p.plu where 1 = 1" +
         branchCondition + " group by bs.branch_id, p." + g.IdColumn + ") r left join branches b on b.id = r.branch_id"
         " order by " + order + ", r.branch_id, r.group_id nulls first";
}

QStringList TStockEvaluationClass::Titles(const QString& groupCaption) {
  return {"Branch", groupCaption, "Units", "AVG Unit Cost", "AVG Unit Retail", "Total Cost", "Total Retail",
          "Total G.Profit"};
}

QString TStockEvaluationClass::DepartmentText(const QString& category, const QString& department) {
  return category.left(8) + " / " + department.left(10);
}

QString TStockEvaluationClass::Amount(double value) { return kos::FormatFloat("#,##0.00", value); }

TEvaluationRecord TStockEvaluationClass::ReadRecord(kdb::DataSet& q, int groupIndex) {
  TEvaluationRecord r = ReadFigures(q);
  r.Group = groupIndex == TStockGroupByClass::kDepartment
                ? DepartmentText(q.FieldByName("group_name").AsString(), q.FieldByName("group_department").AsString())
                : q.FieldByName("group_name").AsString();
  return r;
}

TEvaluationRecord TStockEvaluationClass::ReadFigures(kdb::DataSet& q) {
  TEvaluationRecord r;
  r.Branch = q.FieldByName("branch_name").AsString();
  r.Units = q.FieldByName("units").AsInteger();
  r.UnitCost = q.FieldByName("unit_cost").AsFloat();
  r.UnitRetail = q.FieldByName("unit_retail").AsFloat();
  r.TotalCost = q.FieldByName("total_cost").AsFloat();
  r.TotalRetail = q.FieldByName("total_retail").AsFloat();
  return r;
}

void TStockEvaluationClass::Begin() { *this = TStockEvaluationClass(); }

QStringList TStockEvaluationClass::AddRecord(const TEvaluationRecord& r) {
  ++rows_;
  units_ += r.Units;
  cost_ += r.TotalCost;
  retail_ += r.TotalRetail;
  unitCost_ += r.UnitCost;
  unitRetail_ += r.UnitRetail;
  return {r.Branch, r.Group, QString::number(r.Units), Amount(r.UnitCost), Amount(r.UnitRetail),
          Amount(r.TotalCost), Amount(r.TotalRetail), Amount(r.TotalRetail - r.TotalCost)};
}

QStringList TStockEvaluationClass::TotalsRow() const {
  return {QString(), kTotals, QString::number(units_), Amount(Mean(unitCost_, rows_)),
          Amount(Mean(unitRetail_, rows_)), Amount(cost_), Amount(retail_), Amount(GrossProfit())};
}
