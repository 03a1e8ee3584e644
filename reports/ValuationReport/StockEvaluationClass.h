#pragma once
// The stock evaluation's rules apart from its window: one aggregate
// statement groups the stock rows by branch and by one product attribute,
// narrowed by the advanced search's condition; one grid row per branch and
// value with its units, average unit cost and retail price, total cost and
// retail value and gross profit; then a blank row and a "TOTALS:" row.
//
// A row shows the branch's name as BRANCHES has it now. A row's averages are
// plain means over that branch's and value's stock rows
// (one per PLU, whatever its quantity); the totals row's averages are plain
// means of the rows' averages, 0 when there is no row. Amounts are double
// precision, shown as "#,##0.00".
#include <QString>
#include <QStringList>

namespace kdb {
class DataSet;
}

// One branch and value as the report reads it.
struct TEvaluationRecord {
  QString Branch, Group;
  qint64 Units = 0;
  double UnitCost = 0, UnitRetail = 0, TotalCost = 0, TotalRetail = 0;
};

class TStockEvaluationClass {
 public:
  enum Col { cBranch, cGroup, cUnits, cUnitCost, cUnitRetail, cTotalCost, cTotalRetail, cProfit, kColumns };
  static constexpr const char* kTotals = "TOTALS:";

  // The statement for the Group By choice `groupIndex` (the valuation's
  // table), the report's branch condition (" and branch_id = n" or "") and
  // the advanced search's condition (" and column like '%text%'" per field).
  static QString Statement(int groupIndex, const QString& branchCondition, const QString& searchCondition);
  // Row 0: the titles, column 1 titled after the group.
  static QStringList Titles(const QString& groupCaption);
  // The record of the query's current row.
  static TEvaluationRecord ReadRecord(kdb::DataSet& record, int groupIndex);
  // Its branch, units and amounts, without the group.
  static TEvaluationRecord ReadFigures(kdb::DataSet& record);
  // The group column of a department: the category's first 8 characters,
  // " / " and the department's first 10.
  static QString DepartmentText(const QString& category, const QString& department);
  // Amounts as the report shows them.
  static QString Amount(double value);

  // Sums back to 0.
  void Begin();
  // The grid row of a record; the record joins the sums.
  QStringList AddRecord(const TEvaluationRecord& r);
  QStringList TotalsRow() const;

  int Rows() const { return rows_; }
  qint64 Units() const { return units_; }
  double TotalCost() const { return cost_; }
  double TotalRetail() const { return retail_; }
  double GrossProfit() const { return retail_ - cost_; }

 private:
  static double Mean(double sum, int count) { return count > 0 ? sum / count : 0; }
  int rows_ = 0;
  qint64 units_ = 0;
  double cost_ = 0, retail_ = 0, unitCost_ = 0, unitRetail_ = 0;
};
