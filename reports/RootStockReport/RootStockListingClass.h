#pragma once
// The style-and-colour stock listing's rules: one row per root PLU with its
// stock summed over its sizes (and the branches, or of one branch), the
// average cost and selling price of its PLUs, and the value of its stock; a
// "Totals" row per chosen value and a grand "Totals" row.
//
// A root PLU's averages are plain means over its PLUs' stock rows (a PLU
// with stock rows in three branches counts three times), whatever the
// quantities. A group's averages are the means of its root PLUs' averages,
// the grand averages the means of the groups' averages: every root PLU, and
// then every group, weighs the same. Those means are cut toward zero at the
// fourth decimal; a mean over nothing is 0.
#include "StockListingClass.h"

// One root PLU as the listing reads it.
struct TRootStockRecord {
  QString RootPlu, Supplier, Group, Style, Colour, Category, Department, Description;
  Currency AvgCost, AvgSell;
  QString QtyText;  // the summed quantity as the database gives it ("" for none)
  Currency TotCost, TotRetail;
};

class TRootStockListingClass : public TStockListingClass {
 public:
  enum Col { cRootPlu, cSupplier, cGroup, cStyle, cColour, cCategory, cDepartment, cDescription,
             cAvgCost, cAvgSell, cQty, cTotCost, cTotRetail };

  const std::vector<Column>& Columns() const override;
  QString RunStatement(const TGroupChoice& group, const QStringList& ids, bool allValues,
                       const QString& branchCondition) const override;

  void BeginRun() override;
  void BeginGroup() override;
  QStringList RecordRow(kdb::DataSet& record) override { return AddRecord(ReadRecord(record)); }
  QStringList GroupTotalsRow() override;
  QStringList GrandTotalsRow() const override;

  // The record of the query's current row (the fields of ValueStatement).
  static TRootStockRecord ReadRecord(kdb::DataSet& record);
  // The grid row of a record; the record joins the group.
  QStringList AddRecord(const TRootStockRecord& r);

  // sum / count in money, rounded half to even at the fourth decimal; 0 for no count.
  static Currency RoundedMean(Currency sum, qint64 count);
  // sum / count in money, cut toward zero at the fourth decimal; 0 for no count.
  static Currency CutMean(Currency sum, qint64 count);

 protected:
  void BindRun(kdb::DataSet& records) override;
  QStringList BoundRow() override {
    ReadFields(bound_, record_);
    return AddRecord(record_);
  }

 private:
  static std::vector<kdb::Field*> Fields(kdb::DataSet& records);
  static void ReadFields(const std::vector<kdb::Field*>& f, TRootStockRecord& r);
  std::vector<kdb::Field*> bound_;
  TRootStockRecord record_;  // the bound run's record, read row after row
  // The columns that repeat from record to record: supplier ... description.
  SharedText texts_[7];
  struct Sums {
    qint64 qty = 0;
    Currency cost, retail;
    Currency avgCost, avgSell;  // sums of the averages of the rows (or groups)
    qint64 count = 0;           // rows (or groups with rows)
  };
  Sums group_, grand_;
};
