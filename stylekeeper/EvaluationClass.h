#pragma once
// The stock evaluation of the style editor without its window: stock, cost
// value, retail value and gross profit of all branches, one line per group of
// the chosen kind (category, department, supplier, season or brand), and a
// TOTALS line.
//
//   DMDB->RunQuery(TEvaluationClass::ReportSQL(item), query);
//   TEvaluationClass::TResult r = TEvaluationClass::Rows(item, *query, progress);
//
// Each PLU's stock in every branch counts at that PLU's own prices; a PLU
// without stock rows drops out, negative stock counts with its sign. The
// stock is summed per PLU before it meets the products, so the statement
// reads each table once. Groups come out by total stock, highest first, ties
// by name (category, then department for departments); departments of one
// name under two categories stay two groups.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace kdb {
class DataSet;
}

class TEvaluationClass {
 public:
  // The items of the dialog's list, in order: "Category", "Department",
  // "Supplier", "Season", "Brand".
  static QStringList Items();
  static int ItemCount();

  // The statement for an item (index into Items()); throws kdb::DbError for
  // an index outside the list.
  static QString ReportSQL(int item);

  // "Please wait...  Loading Result : n of total!" before row n (1-based).
  using Progress = std::function<void(const QString& text)>;

  // The grid's rows: the header (the item, "Stock", "Cost", "Retail",
  // "Gross Profit"), one row per group from the statement's rows, and the
  // TOTALS row; stock as whole numbers, money as "#,##0.00".
  static std::vector<QStringList> Rows(int item, kdb::DataSet& rows, const Progress& progress = {});

  static constexpr int kColumns = 5;
};
