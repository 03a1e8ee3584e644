#pragma once
// The BRANCHSTOCK rows behind the style editor's stock, minimum, maximum,
// barcode and branch price grids: the statements that lay a colour-by-size
// grid out for a style and fill it from one column for one branch, and the
// writes of its cells (one PLU at one branch each).
//
// A cell's write inserts the PLU's row for the branch, or, when the unique
// index on (PLU, BRANCH_ID) finds one (made earlier, or by another program
// a moment ago), updates that row; cells written alike share a statement.
// What a write does to each column:
//   Keep  written only into a new row (an unchanged figure);
//   Set   the grid's figure (the stock page's "Set As ..." boxes);
//   Add   the stored figure plus the grid's, summed by the database under
//         the row's lock, so two programs adding at once lose neither
//         addition;
//   Edit  the grid's figure, only while the stored one is still the figure
//         the grid loaded; otherwise the cell is refused as a conflict, so
//         another user's change is never overwritten unseen.
//
//   TBranchStockClass writer(*DMDB->DBQueryRemote1);
//   kdb::Transaction tx(db);
//   const auto done = writer.Write({"4", "HARROGATE"},
//       {{{"0000004201", "00000042"}, TBranchStockClass::QuantityAssigns({"STOCK_QUANTITY", true}, 5, 0)}});
//   if (done.refused.isEmpty()) tx.Commit();
#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

#include "ColourSizeGridClass.h"
#include "Currency.h"

namespace kdb {
class DataSet;
class Database;
class Query;
}  // namespace kdb

class TBranchStockClass {
 public:
  static constexpr char kTable[] = "BRANCHSTOCK";
  static constexpr char kPriceColumn[] = "BSRETAIL_PRICE";
  // The columns the grids show and write.
  static bool IsGridColumn(const QString& column);

  // ----- reading ---------------------------------------------------------------------
  // The branches by name; only the one branch when onlyBranchId is not 0.
  static QString BranchesSQL(int onlyBranchId);
  // The style's colours (one row per root PLU) in colour-name order.
  static QString StyleColoursSQL(const QString& style);
  // The sizes of one root PLU in size order.
  static QString ColourSizesSQL(const QString& rootPLU);
  // One column of the style's BRANCHSTOCK rows at the branch, with their
  // PLUs and root PLUs. Throws kdb::DbError for a column no grid shows or a
  // branch id that is no number.
  static QString ColumnSQL(const QString& column, const QString& branchId, const QString& style);

  // The colours of StyleColoursSQL and the size names of ColourSizesSQL.
  static std::vector<TColourSizeGridClass::Colour> ReadColours(kdb::DataSet& rows);
  static QStringList ReadSizeNames(kdb::DataSet& rows);
  // Puts each row of ColumnSQL into its cell (a NULL value as ""); returns
  // how many found a cell.
  static int PlaceColumn(kdb::DataSet& rows, TColourSizeGridClass& grid);

  // ----- the figures of the cells ----------------------------------------------------
  // A quantity cell: "" is 0; otherwise a whole number the INTEGER column
  // holds. nullopt for anything else.
  static std::optional<qint64> QuantityValue(const QString& text);
  // A price cell: "" is 0; otherwise a number money holds (four decimals,
  // below 922,337,203,685,477.5808, within what the column stores).
  // nullopt for anything else.
  static std::optional<Currency> PriceValue(const QString& text);

  // ----- writing ---------------------------------------------------------------------
  enum class How { Keep, Set, Add, Edit };
  struct Assign {
    QString column;
    QString value;   // an SQL literal: a whole number or a price
    How how = How::Keep;
    QString loaded;  // Edit: the literal the grid loaded
  };
  struct Cell {
    QString plu;
    QString rootPLU;
  };
  struct Branch {
    QString id;
    QString name;
  };
  // One cell and what to write to it.
  struct Row {
    Cell cell;
    std::vector<Assign> assigns;
  };

  // What a quantity page writes for one cell.
  struct QuantityChoice {
    QString column;        // the page's own column
    bool adding = false;   // Add mode: the figures add to the stored ones
    bool setMin = false;   // the stock page's "Set As Min Stock"
    bool setMax = false;   // "Set As Max Stock"
    bool barcodes = false; // "Create Barcodes": labels added (Add) or set
  };
  // The page's figure v (loaded: the figure the grid showed when loaded):
  // added when adding and not 0, otherwise edited when it differs from the
  // loaded one; the check boxes' columns set to v (barcodes added in Add).
  static std::vector<Assign> QuantityAssigns(const QuantityChoice& choice, qint64 v, qint64 loaded);
  // A branch price: edited when it differs from the loaded one.
  static std::vector<Assign> PriceAssigns(Currency v, Currency loaded);

  // One statement for rows that write the same columns the same way (see
  // the head of this file), returning every row it wrote; a row with an
  // Edit is written only while its stored figure is still the loaded one.
  // Throws kdb::DbError when the rows differ in their columns or ways, or a
  // value is no number.
  static QString UpsertSQL(const Branch& branch, const std::vector<Row>& rows);
  // The rows as the statements take them: rows that write alike together,
  // at most kRowsPerStatement to a statement, each in the order given.
  static std::vector<std::vector<Row>> Batches(const std::vector<Row>& rows);
  static constexpr int kRowsPerStatement = 200;

  explicit TBranchStockClass(kdb::Query& query) : query_(query) {}
  // Writes the rows, one statement per batch on the query; every row written
  // is handed to AfterPost (the row as stored, all columns). Tells how many
  // were written and the PLUs of the rows refused because another figure was
  // stored than the one they loaded. Throws kdb::DbError.
  struct Outcome {
    int written = 0;
    QStringList refused;
  };
  Outcome Write(const Branch& branch, const std::vector<Row>& rows);
  std::function<void(kdb::Query&)> AfterPost;

  // What a page writes for one size cell: its assigns, from the cell's text
  // and the text loaded for its PLU; nullopt when the text is no valid figure.
  using CellAssigns =
      std::function<std::optional<std::vector<Assign>>(const QString& text, const QString& loaded)>;
  // Writes every size cell of the grid, column by column, for the branch in
  // one transaction of db: all of them or none. Throws, before anything is
  // written, kdb::DbError naming the cells that hold no valid figure; then
  // kdb::EditConflict naming a cell another user changed meanwhile, or the
  // kdb::DbError of a write that failed. `figure` names what the cells hold
  // ("stock"). Returns how many rows were written.
  int WriteGrid(kdb::Database& db, const TColourSizeGridClass& grid, const Branch& branch,
                const QHash<QString, QString>& loaded, const CellAssigns& assigns, const QString& figure);
  // The texts of the size cells by PLU: the figures a grid loaded.
  static QHash<QString, QString> Figures(const TColourSizeGridClass& grid);
  // A size cell as the person knows it: colour name and size name.
  static QString CellCaption(const TColourSizeGridClass& grid, int col, int row);

 private:
  kdb::Query& query_;
};
