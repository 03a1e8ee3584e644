#pragma once
// The rules of a stock listing apart from its window: its columns, the one
// statement of a run (every checked value of the Group By attribute), the
// grid row of each record, and the group and grand "Totals" rows. The window
// (TStockListingForm) runs the statement and writes what these rules give
// into its grid; printing and export read only the grid.
//
//   TItemStockListingClass rules;
//   q.SQL = rules.RunStatement(group, {"4", "9"}, false, "");
//   rules.ListRun(q, [&](const QStringList& row) { grid << row; });
//   grid << rules.GrandTotalsRow();
#include "Currency.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct TGroupChoice;

namespace kdb {
class DataSet;
class Field;
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
  // Fields every run statement gives: the value a record belongs to, and
  // the shown group column.
  static constexpr const char* kGroupIdField = "group_id";
  static constexpr const char* kGroupNameField = "group_name";

  virtual const std::vector<Column>& Columns() const = 0;
  int ColumnCount() const { return static_cast<int>(Columns().size()); }
  // Row 0: the titles, the group column titled after the group.
  QStringList HeaderRow(const QString& groupColumnTitle) const;
  // True for the row kinds drawn bold: "Totals" rows and the header row,
  // known by column 0 without regard to case.
  bool IsBoldText(const QString& column0) const;

  // The one statement of a run: the PRODUCTS rows of the checked values
  // (ids) with the stock of BRANCHSTOCK (of every branch, or those of
  // `branchCondition`, the report's " and branch_id = n"), value by value in
  // the order of the value list. `allValues`: every value of the list is
  // checked. Throws kdb::DbError for an id that is no integer.
  virtual QString RunStatement(const TGroupChoice& group, const QStringList& ids, bool allValues,
                               const QString& branchCondition) const = 0;

  // The run's records as grid rows, handed to `row` one by one: for each
  // value with records its rows, its "Totals" row and a blank row (an empty
  // list). The grand totals start from 0. `pump` (optional) is called now
  // and then during a long run.
  void ListRun(kdb::DataSet& records, const std::function<void(const QStringList&)>& row,
               const std::function<void()>& pump = {});

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
  // A run reads its records through fields found once (BindRun, before its
  // first record) rather than by name for every value of every record.
  virtual void BindRun(kdb::DataSet& records) = 0;
  // The grid row of the bound run's current record; it joins the group.
  virtual QStringList BoundRow() = 0;
  // The fields of these names, in that order; throws for a missing one.
  static std::vector<kdb::Field*> FindFields(kdb::DataSet& records, std::initializer_list<const char*> names);

  // One column's text: equal to the previous record's, the grid gets the
  // same string again, so the many rows of a style hold one name each.
  class SharedText {
   public:
    const QString& operator()(const QString& text) {
      if (text != last_) last_ = text;
      return last_;
    }

   private:
    QString last_;
  };
  // The same for a column of money: the previous text when the amount is the same.
  class SharedMoney {
   public:
    const QString& operator()(Currency value) {
      if (!known_ || value.Raw() != last_.Raw()) last_ = value, text_ = MoneyText(value), known_ = true;
      return text_;
    }

   private:
    Currency last_;
    QString text_;
    bool known_ = false;
  };

  // A "Totals" row: column 0 "Totals", the given cells, the rest empty.
  QStringList TotalsRow(std::initializer_list<std::pair<int, QString>> cells) const;
  // Money as the listings show it ("0.00", as kos::FormatFloat gives it:
  // half away from zero, no minus sign on a result of 0.00).
  static QString MoneyText(Currency value);
  // "(4, 9)": the ids, each checked to be an integer.
  static QString IdList(const QStringList& ids);
  // PRODUCTS ("p") joined to its stock summed per PLU first ("s": plu,
  // total_stock, and with `withRowCount` stock_rows, the number of stock
  // rows), so that the join meets one stock row per PLU.
  // Unless every value is checked, only the stock rows of the values' PLUs
  // are read: a few styles read only their rows of a large BRANCHSTOCK.
  static QString StockPerPlu(const TGroupChoice& group, const QString& idList, bool allValues,
                             const QString& branchCondition, bool withRowCount);
  // The checked values ("gr": id, and group_rank, 1, 2 ... in the order of the
  // value list), to join on their id and order by group_rank. A run sorts
  // its rows by one integer per value instead of the value's name and id:
  // PostgreSQL sorts a million rows that share a few hundred names in half
  // the time.
  static QString GroupRanks(const TGroupChoice& group, const QString& idList);
};
