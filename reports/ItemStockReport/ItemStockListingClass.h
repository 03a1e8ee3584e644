#pragma once
// The product stock listing's rules: one row per PLU with its stock (summed
// over the branches, or of one branch), its cost and retail price and the
// value of that stock at both, a "Totals" row per chosen value and a grand
// "Totals" row. Amounts are four-decimal money, exact: T. Cost is cost x
// quantity, and the totals are the sums of the rows.
#include "StockListingClass.h"

// One PLU as the listing reads it.
struct TItemStockRecord {
  QString Plu, Supplier, Group, Style, Colour, Size, Category, Department, Description;
  Currency Cost, Retail;
  qint64 Qty = 0;
};

class TItemStockListingClass : public TStockListingClass {
 public:
  enum Col { cPlu, cSupplier, cGroup, cStyle, cColour, cSize, cCategory, cDepartment, cDescription,
             cCost, cRetail, cQty, cTotCost, cTotRetail };

  const std::vector<Column>& Columns() const override;
  QString RunStatement(const TGroupChoice& group, const QStringList& ids, bool allValues,
                       const QString& branchCondition) const override;

  void BeginRun() override;
  void BeginGroup() override;
  QStringList RecordRow(kdb::DataSet& record) override { return AddRecord(ReadRecord(record)); }
  QStringList GroupTotalsRow() override;
  QStringList GrandTotalsRow() const override;

  // The record of the query's current row (the fields of ValueStatement).
  static TItemStockRecord ReadRecord(kdb::DataSet& record);
  // The grid row of a record; the record joins the group.
  QStringList AddRecord(const TItemStockRecord& r);

 protected:
  void BindRun(kdb::DataSet& records) override;
  QStringList BoundRow() override {
    ReadFields(bound_, record_);
    return AddRecord(record_);
  }

 private:
  static std::vector<kdb::Field*> Fields(kdb::DataSet& records);
  static void ReadFields(const std::vector<kdb::Field*>& f, TItemStockRecord& r);
  std::vector<kdb::Field*> bound_;
  TItemStockRecord record_;  // the bound run's record, read row after row
  // The columns that repeat from record to record: supplier ... description, cost, retail.
  SharedText texts_[7];
  SharedMoney cost_, retail_;
  struct Sums {
    qint64 qty = 0;
    Currency cost, retail;
  };
  Sums group_, grand_;
  QStringList SumsRow(const Sums& s) const;
};
