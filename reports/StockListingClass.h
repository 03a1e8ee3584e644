#pragma once
// The rules of a stock listing apart from its window: its columns, the
// statement of one chosen value of the Group By attribute, the grid row of
// each record, and the group and grand "Totals" rows. The window
// (TStockListingForm) runs one statement per chosen value and writes what
// these rules give into its grid; printing and export read only the grid.
//
//   class TItemStockListingClass : public TStockListingClass { ... };
//   rules.BeginRun();
//   for each value: rules.BeginGroup(); rows << rules.RecordRow(q) ...;
//                   rows << rules.GroupTotalsRow();
//   rows << rules.GrandTotalsRow();
#include "Currency.h"

#include <QString>
#include <QStringList>

#include <vector>

struct TGroupChoice;

namespace kdb {
class DataSet;
}

class TStockListingClass {
 public:
  struct Column {
    QString Title;         // row 0 of the grid ("" for the group column)
    int Width;             // on screen, pixels
    bool Right;            // numbers: right-aligned on screen and in print
    QString PrintCaption;  // the print form's column label
    QString DetailLabel;   // the print form's detail label
    int PrintWidth;        // design pixels on the print form
  };

  virtual ~TStockListingClass();

  static constexpr int kGroupColumn = 2;  // the column titled after the group
  static constexpr const char* kTotals = "Totals";
  // The shown group column's name in every listing statement.
  static constexpr const char* kGroupNameField = "group_name";

  virtual const std::vector<Column>& Columns() const = 0;
  int ColumnCount() const { return static_cast<int>(Columns().size()); }
  // Row 0: the titles, the group column titled after the group.
  QStringList HeaderRow(const QString& groupColumnTitle) const;
  // True for the row kinds drawn bold: "Totals" rows and the header row,
  // known by column 0 without regard to case.
  bool IsBoldText(const QString& column0) const;

  // The one statement of a chosen value: its PRODUCTS rows with the stock of
  // BRANCHSTOCK (of every branch, or those of `branchCondition`, the
  // report's " and branch_id = n"). Throws kdb::DbError for an id that is no
  // integer.
  virtual QString ValueStatement(const TGroupChoice& group, const QString& valueId,
                                 const QString& branchCondition) const = 0;

  // Grand totals back to 0.
  virtual void BeginRun() = 0;
  // Group totals back to 0.
  virtual void BeginGroup() = 0;
  // The grid row of the query's current record; the record joins the group.
  virtual QStringList RecordRow(kdb::DataSet& record) = 0;
  // The group's "Totals" row; the group joins the grand totals.
  virtual QStringList GroupTotalsRow() = 0;
  virtual QStringList GrandTotalsRow() const = 0;

 protected:
  // A "Totals" row: column 0 "Totals", the given cells, the rest empty.
  QStringList TotalsRow(std::initializer_list<std::pair<int, QString>> cells) const;
  // Money as the listings show it ("0.00").
  static QString MoneyText(Currency value);
  // The PRODUCTS rows of one value that have stock rows, with their stock
  // summed per PLU first (as "s": plu, total_stock, stock_rows), so that
  // the join meets one stock row per PLU: " from products p inner join (...)
  // s on s.plu = p.plu where p.<id column> = <id>".
  static QString StockPerPluJoin(const TGroupChoice& group, const QString& valueId,
                                 const QString& branchCondition);
};
