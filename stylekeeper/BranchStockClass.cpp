#include "BranchStockClass.h"

#include <QRegularExpression>

#include <limits>

#include "Format.h"
#include "KvDb.h"
#include "KvEditBaseline.h"
#include "KvTransaction.h"

namespace {

using kdb::sql::Quote;

// A literal the statement takes as it is: a number we formatted ourselves.
void RequireNumber(const QString& literal) {
  static const QRegularExpression number(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
  if (!number.match(literal).hasMatch()) throw kdb::DbError("Not a number: " + literal);
}

}  // namespace

bool TBranchStockClass::IsGridColumn(const QString& column) {
  static const QStringList columns = {"STOCK_QUANTITY", "MIN_STOCK_QUANTITY", "MAX_STOCK_QUANTITY",
                                      "BARCODES_QUANTITY", kPriceColumn};
  return columns.contains(column);
}

// ----- reading ---------------------------------------------------------------------------

QString TBranchStockClass::BranchesSQL(int onlyBranchId) {
  QString sql = "SELECT NAME, ID FROM BRANCHES";
  if (onlyBranchId != 0) sql += " WHERE ID = " + kdb::sql::Int(onlyBranchId);
  return sql + " ORDER BY NAME ASC, ID";
}

QString TBranchStockClass::StyleColoursSQL(const QString& style) {
  // One row per root PLU (its first row); a colour without a name sorts
  // first on both engines.
  return "SELECT ROOT_PLU, COLOUR_NAME, COLOUR_VALUE FROM PRODUCTS WHERE ID IN "
         "(SELECT MIN(ID) FROM PRODUCTS WHERE STYLE = " +
         Quote(style) + " GROUP BY ROOT_PLU) ORDER BY COALESCE(COLOUR_NAME, ''), ROOT_PLU";
}

QString TBranchStockClass::ColourSizesSQL(const QString& rootPLU) {
  return "SELECT SIZE_NAME, SIZE_OFFSET FROM PRODUCTS WHERE ROOT_PLU = " + Quote(rootPLU) +
         " ORDER BY SIZE_OFFSET, PLU";
}

QString TBranchStockClass::ColumnSQL(const QString& column, const QString& branchId, const QString& style) {
  if (!IsGridColumn(column)) throw kdb::DbError("No grid shows the column " + column);
  return "SELECT bs.PLU AS PLU, products.ROOT_PLU AS ROOT_PLU, bs." + column +
         " AS FIGURE FROM BRANCHSTOCK bs INNER JOIN PRODUCTS products ON (bs.PLU = products.PLU)"
         " WHERE bs.BRANCH_ID = " +
         kdb::sql::Int(branchId) + " AND products.STYLE = " + Quote(style) + " ORDER BY products.ROOT_PLU, bs.PLU";
}

std::vector<TColourSizeGridClass::Colour> TBranchStockClass::ReadColours(kdb::DataSet& rows) {
  std::vector<TColourSizeGridClass::Colour> colours;
  for (rows.First(); !rows.Eof(); rows.Next())
    colours.push_back({rows.FieldByName("ROOT_PLU").AsString(), rows.FieldByName("COLOUR_VALUE").AsString(),
                       rows.FieldByName("COLOUR_NAME").AsString()});
  return colours;
}

QStringList TBranchStockClass::ReadSizeNames(kdb::DataSet& rows) {
  QStringList names;
  for (rows.First(); !rows.Eof(); rows.Next()) names << rows.FieldByName("SIZE_NAME").AsString();
  return names;
}

int TBranchStockClass::PlaceColumn(kdb::DataSet& rows, TColourSizeGridClass& grid) {
  int placed = 0;
  for (rows.First(); !rows.Eof(); rows.Next())
    if (grid.PlaceByPLU(rows.FieldByName("ROOT_PLU").AsString(), rows.FieldByName("PLU").AsString(),
                        rows.FieldByName("FIGURE").AsString()))
      ++placed;
  return placed;
}

// ----- figures -------------------------------------------------------------------------------

std::optional<qint64> TBranchStockClass::QuantityValue(const QString& text) {
  if (text.isEmpty()) return 0;
  if (!kdb::sql::IsInteger(text)) return std::nullopt;
  bool ok = false;
  const qint64 v = text.toLongLong(&ok);
  if (!ok || v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max()) return std::nullopt;
  return v;
}

std::optional<Currency> TBranchStockClass::PriceValue(const QString& text) {
  if (text.isEmpty()) return Currency();
  // Money reaches further than no price: its range is narrower than the
  // column's, so it is the limit.
  return kos::TryTextToCurrency(text);
}

// ----- writing ---------------------------------------------------------------------------------

std::vector<TBranchStockClass::Assign> TBranchStockClass::QuantityAssigns(const QuantityChoice& choice, qint64 v,
                                                                          qint64 loaded) {
  const QString figure = QString::number(v);
  const How added = v == 0 ? How::Keep : How::Add;
  std::vector<Assign> out;
  if (choice.adding)
    out.push_back({choice.column, figure, added, {}});
  else
    out.push_back({choice.column, figure, v == loaded ? How::Keep : How::Edit, QString::number(loaded)});
  if (choice.setMin) out.push_back({"MIN_STOCK_QUANTITY", figure, How::Set, {}});
  if (choice.setMax) out.push_back({"MAX_STOCK_QUANTITY", figure, How::Set, {}});
  if (choice.barcodes) out.push_back({"BARCODES_QUANTITY", figure, choice.adding ? added : How::Set, {}});
  return out;
}

std::vector<TBranchStockClass::Assign> TBranchStockClass::PriceAssigns(Currency v, Currency loaded) {
  const auto literal = [](Currency c) { return kos::FormatFloat("0.0000", c); };
  return {{kPriceColumn, literal(v), v == loaded ? How::Keep : How::Edit, literal(loaded)}};
}

QString TBranchStockClass::UpsertSQL(const Cell& cell, const Branch& branch, const std::vector<Assign>& assigns) {
  QStringList columns = {"PLU", "ROOT_PLU", "BRANCH_NAME", "BRANCH_ID"};
  QStringList values = {Quote(cell.plu), Quote(cell.rootPLU), Quote(branch.name), kdb::sql::Int(branch.id)};
  QStringList sets, conditions;
  for (const Assign& a : assigns) {
    if (!IsGridColumn(a.column)) throw kdb::DbError("No grid writes the column " + a.column);
    RequireNumber(a.value);
    columns << a.column;
    values << a.value;
    const QString stored = "COALESCE(" + QString(kTable) + "." + a.column + ", 0)";
    switch (a.how) {
      case How::Keep:
        break;
      case How::Set:
        sets << a.column + " = excluded." + a.column;
        break;
      case How::Add:
        sets << a.column + " = " + stored + " + excluded." + a.column;
        break;
      case How::Edit:
        RequireNumber(a.loaded);
        sets << a.column + " = excluded." + a.column;
        conditions << stored + " = " + a.loaded;
        break;
    }
  }
  QString sql = "INSERT INTO " + QString(kTable) + " (" + columns.join(", ") + ") VALUES (" + values.join(", ") +
                ") ON CONFLICT (PLU, BRANCH_ID) DO ";
  if (sets.isEmpty())
    sql += "NOTHING";
  else
    sql += "UPDATE SET " + sets.join(", ") + (conditions.isEmpty() ? QString() : " WHERE " + conditions.join(" AND "));
  return sql + " RETURNING *";
}

TBranchStockClass::Result TBranchStockClass::Write(const Cell& cell, const Branch& branch,
                                                   const std::vector<Assign>& assigns) {
  query_.Close();
  query_.SQL = UpsertSQL(cell, branch, assigns);
  query_.ExecSQL();
  if (query_.RecordCount() > 0) {
    if (AfterPost)
      for (query_.First(); !query_.Eof(); query_.Next()) AfterPost(query_);
    return Result::Written;
  }
  for (const Assign& a : assigns)
    if (a.how == How::Edit) return Result::Conflict;
  return Result::Unchanged;
}

QHash<QString, QString> TBranchStockClass::Figures(const TColourSizeGridClass& grid) {
  QHash<QString, QString> figures;
  for (const TColourSizeGridClass::SizeCell& c : grid.SizeCellsByColumn()) figures.insert(c.plu, c.text);
  return figures;
}

QString TBranchStockClass::CellCaption(const TColourSizeGridClass& grid, int col, int row) {
  return grid.Cell(TColourSizeGridClass::kColourNameCol, row) + " " + grid.Cell(col, 0);
}

int TBranchStockClass::WriteGrid(kdb::Database& db, const TColourSizeGridClass& grid, const Branch& branch,
                                 const QHash<QString, QString>& loaded, const CellAssigns& assigns,
                                 const QString& figure) {
  struct Planned {
    TColourSizeGridClass::SizeCell cell;
    std::vector<Assign> assigns;
  };
  std::vector<Planned> plan;
  QStringList invalid;
  for (const TColourSizeGridClass::SizeCell& c : grid.SizeCellsByColumn()) {
    std::optional<std::vector<Assign>> a = assigns(c.text, loaded.value(c.plu));
    if (a)
      plan.push_back({c, std::move(*a)});
    else
      invalid << CellCaption(grid, c.col, c.row);
  }
  if (!invalid.isEmpty()) {
    const int total = static_cast<int>(plan.size()) + static_cast<int>(invalid.size());
    throw kdb::DbError(QString("%1 of %2 cells hold no valid %3: %4.")
                           .arg(invalid.size())
                           .arg(total)
                           .arg(figure, invalid.mid(0, 5).join(", ") + (invalid.size() > 5 ? ", ..." : "")));
  }

  kdb::Transaction tx(db);
  int written = 0;
  for (const Planned& p : plan) {
    const QString caption = "The " + figure + " of " + CellCaption(grid, p.cell.col, p.cell.row);
    Result r;
    try {
      r = Write({p.cell.plu, grid.Cell(TColourSizeGridClass::kRootPLUCol, p.cell.row)}, branch, p.assigns);
    } catch (const kdb::DbError& e) {
      throw kdb::DbError(caption + " could not be written: " + e.Message());
    }
    if (r == Result::Conflict) throw kdb::EditConflict(p.cell.plu, caption);
    if (r == Result::Written) ++written;
  }
  tx.Commit();
  return written;
}
