#pragma once
// What the style editor's list pages share (external codes, prices, options,
// charges): a row with the style panel and the "Apply" button above a list
// grid, the rows the page loaded (kept to write only what changes), and the
// Apply that writes them in one unit and tells the user how it went.
//
//   class TExtCodesPage : public TListPage { ... };
//   ResetGrid(kColumns);                           // Open: header and widths
//   KeepRow(texts, std::move(kept));               //       one per row read
//   SaveRows({"Saving please wait...", "PRODUCTS", ...}, [&](int i, auto&) { ... });
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "FormPartF.h"
#include "PageSaveClass.h"

class QHBoxLayout;
class QLabel;
class QToolButton;

namespace kdb {
class Query;
class Table;
}  // namespace kdb

namespace kui {
class KvBusyGuard;
class KvStringGrid;
}  // namespace kui

class TListPage : public TFormPart {
  Q_OBJECT
 public:
  struct Column {
    const char* header;
    int width;  // -1 hides the column
  };

  // One Apply: the wait text, the table its rows are written to, the name
  // the log knows the handler by, what is saved (in the failure message) and
  // the message of a save that went through.
  struct Save {
    QString waitText;
    QString table;
    const char* where;
    QString what;
    QString savedText;
    // Tables without a unique index whose rows are looked up under the lock.
    QStringList lockTables;
  };

  // Runs a statement on a query of the data module; a failure (logged by
  // RunQuery) is thrown, never taken for an empty result.
  static kdb::Query& Read(const QString& sql, kdb::Query* query, const QString& failure);
  // The style panel with its caption and, at the row's right end, the
  // "Apply" button; further controls go into the row before the stretch.
  static QHBoxLayout* TopRow(QWidget* sheet, QLabel*& stylePanel, const char* panelName);

 protected:
  TListPage(TForm1& form, const char* sheetName, const QString& title, const char* panelName,
            const char* gridName, int fixedCols, const char* applyName);

  QLabel* StylePanel = nullptr;
  kui::KvStringGrid* Grid = nullptr;
  QToolButton* ApplyButton = nullptr;
  QHBoxLayout* Top = nullptr;  // the row of the style panel and "Apply"
  std::vector<TPageSaveClass::KeptRow> Rows;  // grid row r is Rows[r - 1]

  // Empties the grid (and the kept rows) and lays out its header row.
  template <size_t N>
  void ResetGrid(const Column (&columns)[N]) {
    ResetGrid(columns, static_cast<int>(N));
  }
  void ResetGrid(const Column* columns, int count);
  // Appends a grid row showing `texts` and keeps it with them.
  void KeepRow(const QStringList& texts, TPageSaveClass::KeptRow kept);
  // Makes the page the active one, on the first data row's column `col`.
  void ShowAt(int col);

  // Writes the kept rows in one unit (TPageSaveClass) on the table, row i
  // from `row`; then the user hears the outcome. True when it was saved.
  using RowWrite = std::function<void(int i, kdb::Table& table, kui::KvBusyGuard& busy)>;
  bool SaveRows(const Save& save, const RowWrite& row, const std::function<void()>& prepare = {});
  // SaveRows for a table kept per key without a unique index: `ids` holds,
  // for each key, the ID of its first row as the look-up (with the column
  // `keyColumn`) finds it under the save's lock.
  bool SaveKeyedRows(const Save& save, const QString& lookUpSql, const QString& keyColumn,
                     const std::function<void(int i, kdb::Table& table, kui::KvBusyGuard& busy,
                                              const QHash<QString, qint64>& ids)>& row);
  static std::optional<qint64> IdOf(const QHash<QString, qint64>& ids, const QString& key);

  // An editable column of a grid listing PLUs: its PRODUCTS field and how a
  // typed text becomes the value written (the cell then shows it as written).
  struct Editable {
    int col;
    const char* field;
    std::function<QVariant(QString& text)> value;
  };
  // Writes the columns of grid row `row` that the user changed to its PLU's
  // PRODUCTS row (the key kept).
  void EditChangedColumns(int i, kdb::Table& table, const std::vector<Editable>& columns);
};
