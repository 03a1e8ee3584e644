#include "BranchStockClass.h"

#include <QSet>

#include <algorithm>

#include <limits>

#include "Format.h"
#include "KvDb.h"
#include "KvEditBaseline.h"
#include "KvTransaction.h"

namespace {

using kdb::sql::Quote;

// A literal the statement takes as it is: a number we formatted ourselves
// (-?[0-9]+(.[0-9]+)?). Checked by hand: every cell of an Apply comes here.
void RequireNumber(const QString& literal) {
  const qsizetype n = literal.size();
  qsizetype i = 0;
  const auto digits = [&] {
    const qsizetype from = i;
    while (i < n && literal[i] >= QLatin1Char('0') && literal[i] <= QLatin1Char('9')) ++i;
    return i > from;
  };
  if (i < n && literal[i] == QLatin1Char('-')) ++i;
  bool ok = digits();
  if (ok && i < n && literal[i] == QLatin1Char('.')) {
    ++i;
    ok = digits();
  }
  if (!ok || i != n) throw kdb::DbError("Not a number: " + literal);
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

namespace {

// The columns and ways of a row: rows alike share a statement.
QString Signature(const std::vector<TBranchStockClass::Assign>& assigns) {
  QString sig;
  for (const TBranchStockClass::Assign& a : assigns) sig += a.column + ":" + QString::number(int(a.how)) + ";";
  return sig;
}

// Signature(a) == Signature(b), without making either text.
bool SameSignature(const std::vector<TBranchStockClass::Assign>& a, const std::vector<TBranchStockClass::Assign>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](const auto& x, const auto& y) { return x.how == y.how && x.column == y.column; });
}

}  // namespace

QString TBranchStockClass::UpsertSQL(const Branch& branch, const std::vector<Row>& rows) {
  if (rows.empty()) throw kdb::DbError("No rows to write");
  const std::vector<Assign>& first = rows.front().assigns;
  QStringList columns = {"PLU", "ROOT_PLU", "BRANCH_NAME", "BRANCH_ID"};
  for (const Assign& a : first) {
    if (!IsGridColumn(a.column)) throw kdb::DbError("No grid writes the column " + a.column);
    columns << a.column;
  }
  // The branch's part of every row, the same in each.
  const QString branchPart = ", " + Quote(branch.name) + ", " + kdb::sql::Int(branch.id);
  // One text grown in place: an Apply writes hundreds of rows.
  QString values;
  values.reserve(qsizetype(rows.size()) * (64 + 8 * qsizetype(first.size())));
  // Per Edit column: the figure each row loaded, by PLU.
  std::vector<QString> loaded(first.size());
  for (const Row& row : rows) {
    if (!SameSignature(row.assigns, first)) throw kdb::DbError("Rows written alike differ in " + row.cell.plu);
    const QString plu = Quote(row.cell.plu);
    if (!values.isEmpty()) values += u", ";
    values += u'(';
    values += plu;
    values += u", ";
    values += Quote(row.cell.rootPLU);
    values += branchPart;
    for (size_t i = 0; i < row.assigns.size(); ++i) {
      const Assign& a = row.assigns[i];
      RequireNumber(a.value);
      values += u", ";
      values += a.value;
      if (a.how == How::Edit) {
        RequireNumber(a.loaded);
        QString& when = loaded[i];
        if (!when.isEmpty()) when += u' ';
        when += u"WHEN ";
        when += plu;
        when += u" THEN ";
        when += a.loaded;
      }
    }
    values += u')';
  }
  QStringList sets, conditions;
  for (size_t i = 0; i < first.size(); ++i) {
    const QString& c = first[i].column;
    const QString stored = "COALESCE(" + QString(kTable) + "." + c + ", 0)";
    switch (first[i].how) {
      case How::Keep:
        break;
      case How::Set:
        sets << c + " = excluded." + c;
        break;
      case How::Add:
        sets << c + " = " + stored + " + excluded." + c;
        break;
      case How::Edit:
        sets << c + " = excluded." + c;
        conditions << stored + " = CASE excluded.PLU " + loaded[i] + " END";
        break;
    }
  }
  QString sql = "INSERT INTO " + QString(kTable) + " (" + columns.join(", ") + ") VALUES " + values +
                " ON CONFLICT (PLU, BRANCH_ID) DO ";
  if (sets.isEmpty())
    sql += "NOTHING";
  else
    sql += "UPDATE SET " + sets.join(", ") + (conditions.isEmpty() ? QString() : " WHERE " + conditions.join(" AND "));
  return sql + " RETURNING *";
}

std::vector<std::vector<TBranchStockClass::Row>> TBranchStockClass::Batches(const std::vector<Row>& rows) {
  std::vector<std::vector<Row>> batches;
  QHash<QString, size_t> open;  // signature -> its batch being filled
  for (const Row& row : rows) {
    const QString sig = Signature(row.assigns);
    auto it = open.find(sig);
    if (it == open.end() || batches[*it].size() >= size_t(kRowsPerStatement)) {
      batches.emplace_back();
      it = open.insert(sig, batches.size() - 1);
    }
    batches[*it].push_back(row);
  }
  return batches;
}

TBranchStockClass::Outcome TBranchStockClass::Write(const Branch& branch, const std::vector<Row>& rows) {
  Outcome out;
  for (const std::vector<Row>& batch : Batches(rows)) {
    query_.Close();
    query_.SQL = UpsertSQL(branch, batch);
    query_.ExecSQL();
    QSet<QString> written;
    for (query_.First(); !query_.Eof(); query_.Next()) {
      written.insert(query_.FieldByName("PLU").AsString());
      ++out.written;
      if (AfterPost) AfterPost(query_);
    }
    const bool editing = std::any_of(batch.front().assigns.begin(), batch.front().assigns.end(),
                                     [](const Assign& a) { return a.how == How::Edit; });
    if (editing)
      for (const Row& row : batch)
        if (!written.contains(row.cell.plu)) out.refused << row.cell.plu;
  }
  return out;
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
  std::vector<Row> rows;
  QHash<QString, std::pair<int, int>> cells;  // PLU -> its cell, named only when refused
  QStringList invalid;
  for (const TColourSizeGridClass::SizeCell& c : grid.SizeCellsByColumn()) {
    std::optional<std::vector<Assign>> a = assigns(c.text, loaded.value(c.plu));
    if (!a) {
      invalid << CellCaption(grid, c.col, c.row);
      continue;
    }
    rows.push_back({{c.plu, grid.Cell(TColourSizeGridClass::kRootPLUCol, c.row)}, std::move(*a)});
    cells.insert(c.plu, {c.col, c.row});
  }
  if (!invalid.isEmpty()) {
    const int total = static_cast<int>(rows.size()) + static_cast<int>(invalid.size());
    throw kdb::DbError(QString("%1 of %2 cells hold no valid %3: %4.")
                           .arg(invalid.size())
                           .arg(total)
                           .arg(figure, invalid.mid(0, 5).join(", ") + (invalid.size() > 5 ? ", ..." : "")));
  }

  // One order of the rows for every writer, so that two programs writing
  // the same rows lock them in the same order.
  std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.cell.plu < b.cell.plu; });
  kdb::Transaction tx(db, kdb::Transaction::AllOrNothing);
  const Outcome done = Write(branch, rows);
  if (!done.refused.isEmpty()) {
    const QString& plu = done.refused.first();
    const auto [col, row] = cells.value(plu);
    throw kdb::EditConflict(plu, "The " + figure + " of " + CellCaption(grid, col, row));
  }
  tx.Commit();
  return done.written;
}
