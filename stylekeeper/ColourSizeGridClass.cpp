#include "ColourSizeGridClass.h"

#include <QHash>

#include <algorithm>

#include "Format.h"

// ----- TCellTable ------------------------------------------------------------------

void TCellTable::Reset(int colCount, int rowCount) {
  colCount_ = std::max(0, colCount);
  rows_.assign(static_cast<size_t>(std::max(0, rowCount)), QStringList());
  for (QStringList& row : rows_) row.resize(colCount_);
}

QString TCellTable::Cell(int col, int row) const {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return QString();
  return rows_[size_t(row)][col];
}

void TCellTable::SetCell(int col, int row, const QString& text) {
  if (row < 0 || row >= RowCount() || col < 0 || col >= colCount_) return;
  rows_[size_t(row)][col] = text;
}

// ----- layout --------------------------------------------------------------------------

void TColourSizeGridClass::Layout(const std::vector<Colour>& colours, const QStringList& sizeNames) {
  const int m = static_cast<int>(colours.size());
  const int n = static_cast<int>(sizeNames.size());
  cells_.Reset(n + 4, m + 2);
  for (int k = 0; k < m; ++k) {
    const Colour& c = colours[size_t(k)];
    cells_.SetCell(kRootPLUCol, k + kFirstColourRow, c.rootPLU);
    cells_.SetCell(kColourValueCol, k + kFirstColourRow, c.colourValue);
    cells_.SetCell(kColourNameCol, k + kFirstColourRow, c.colourName);
  }
  for (int i = 0; i < n; ++i) cells_.SetCell(kFirstSizeCol + i, 0, sizeNames[i]);
  cells_.SetCell(kColourNameCol, TotalsRow(), kTotals);
  cells_.SetCell(TotalsCol(), 0, kTotals);
}

bool TColourSizeGridClass::HasLayout(const std::vector<Colour>& colours, const QStringList& sizeNames) const {
  const int m = static_cast<int>(colours.size());
  const int n = static_cast<int>(sizeNames.size());
  if (cells_.RowCount() != m + 2 || cells_.ColCount() != n + 4) return false;
  for (int k = 0; k < m; ++k) {
    const Colour& c = colours[size_t(k)];
    const int row = k + kFirstColourRow;
    if (cells_.Cell(kRootPLUCol, row) != c.rootPLU || cells_.Cell(kColourValueCol, row) != c.colourValue ||
        cells_.Cell(kColourNameCol, row) != c.colourName)
      return false;
  }
  for (int i = 0; i < n; ++i)
    if (cells_.Cell(kFirstSizeCol + i, 0) != sizeNames[i]) return false;
  return cells_.Cell(kColourNameCol, TotalsRow()) == kTotals && cells_.Cell(TotalsCol(), 0) == kTotals;
}

int TColourSizeGridClass::ColourCount() const { return std::max(0, cells_.RowCount() - 2); }

int TColourSizeGridClass::SizeCount() const { return std::max(0, cells_.ColCount() - 4); }

bool TColourSizeGridClass::IsSizeCell(int col, int row) const {
  return row >= kFirstColourRow && row <= LastColourRow() && col >= kFirstSizeCol && col <= LastSizeCol();
}

// ----- PLUs ----------------------------------------------------------------------------

QString TColourSizeGridClass::PLU(const QString& rootPLU, int sizeIndex) {
  // Two digits at least, as the picture "00" writes them; in integers, as
  // every cell of a grid's Apply and load comes here.
  const QString digits = QString::number(qAbs(qint64(sizeIndex))).rightJustified(2, u'0');
  return sizeIndex < 0 ? rootPLU + u'-' + digits : rootPLU + digits;
}

QString TColourSizeGridClass::PLUOfCell(int col, int row) const {
  if (!IsSizeCell(col, row)) return QString();
  return PLU(cells_.Cell(kRootPLUCol, row), col - kFirstSizeCol);
}

int TColourSizeGridClass::FindColourRow(const QString& rootPLU) const {
  for (int row = kFirstColourRow; row <= LastColourRow(); ++row)
    if (cells_.Cell(kRootPLUCol, row) == rootPLU) return row;
  return 0;
}

int TColourSizeGridClass::SizeIndexOfPLU(const QString& plu) {
  bool ok = false;
  const int index = plu.right(2).toInt(&ok);
  return ok ? index : 0;
}

bool TColourSizeGridClass::PlaceByPLU(const QString& rootPLU, const QString& plu, const QString& text) {
  const int row = FindColourRow(rootPLU);
  const int col = kFirstSizeCol + SizeIndexOfPLU(plu);
  if (!IsSizeCell(col, row)) return false;
  cells_.SetCell(col, row, text);
  return true;
}

std::vector<TColourSizeGridClass::SizeCell> TColourSizeGridClass::SizeCellsByColumn() const {
  std::vector<SizeCell> out;
  out.reserve(size_t(SizeCount() * ColourCount()));
  for (int col = kFirstSizeCol; col <= LastSizeCol(); ++col)
    for (int row = kFirstColourRow; row <= LastColourRow(); ++row)
      out.push_back({col, row, PLUOfCell(col, row), cells_.Cell(col, row)});
  return out;
}

// ----- filling and totals ----------------------------------------------------------------

void TColourSizeGridClass::FillSizeCells(const QString& text) {
  for (int row = kFirstColourRow; row <= LastColourRow(); ++row)
    for (int col = kFirstSizeCol; col <= LastSizeCol(); ++col) cells_.SetCell(col, row, text);
}

void TColourSizeGridClass::FillValueCells(const QString& text) {
  for (int row = kFirstColourRow; row < cells_.RowCount(); ++row)
    for (int col = kFirstSizeCol; col < cells_.ColCount(); ++col) cells_.SetCell(col, row, text);
}

int TColourSizeGridClass::QuantityOf(const QString& text) {
  bool ok = false;
  const int value = text.toInt(&ok);
  return ok ? value : 0;
}

void TColourSizeGridClass::Sum(std::optional<double> (*read)(const QString&), QString (*write)(double)) {
  if (cells_.ColCount() < 4 || cells_.RowCount() < 2) return;
  std::vector<double> columns(size_t(SizeCount()), 0.0);
  for (int row = kFirstColourRow; row <= LastColourRow(); ++row) {
    double rowTotal = 0;
    for (int col = kFirstSizeCol; col <= LastSizeCol(); ++col) {
      const std::optional<double> v = read(cells_.Cell(col, row));
      if (!v) continue;
      rowTotal += *v;
      columns[size_t(col - kFirstSizeCol)] += *v;
    }
    cells_.SetCell(TotalsCol(), row, write(rowTotal));
  }
  double total = 0;
  for (int i = 0; i < SizeCount(); ++i) {
    cells_.SetCell(kFirstSizeCol + i, TotalsRow(), write(columns[size_t(i)]));
    total += columns[size_t(i)];
  }
  cells_.SetCell(TotalsCol(), TotalsRow(), write(total));
}

void TColourSizeGridClass::SumQuantities() {
  Sum([](const QString& text) -> std::optional<double> { return QuantityOf(text); },
      [](double v) { return QString::number(static_cast<qint64>(v)); });
}

void TColourSizeGridClass::SumPrices() {
  Sum([](const QString& text) { return text.isEmpty() ? std::nullopt : kos::TextToFloat(text); },
      // General format of 15 significant digits: whole sums without a point.
      [](double v) { return QString::number(v, 'g', 15); });
}

// ----- copy and paste ---------------------------------------------------------------------

QStringList TColourSizeGridClass::CopyRow(int row) const {
  QStringList texts;
  for (int col = kFirstSizeCol; col <= LastSizeCol(); ++col) texts << cells_.Cell(col, row);
  return texts;
}

void TColourSizeGridClass::PasteRow(int row, const QStringList& copied) {
  for (int col = kFirstSizeCol; col <= LastSizeCol() && col - kFirstSizeCol < copied.size(); ++col)
    cells_.SetCell(col, row, QString::number(std::max(0, QuantityOf(copied[col - kFirstSizeCol]))));
}

void TColourSizeGridClass::PasteEveryRow(const QStringList& copied) {
  for (int row = kFirstColourRow; row <= LastColourRow(); ++row) PasteRow(row, copied);
}

void TColourSizeGridClass::CopyRowToEveryRow(int sourceRow) {
  if (sourceRow < kFirstColourRow || sourceRow > LastColourRow()) return;
  const QStringList texts = CopyRow(sourceRow);
  for (int row = kFirstColourRow; row <= LastColourRow(); ++row)
    if (row != sourceRow)
      for (int i = 0; i < texts.size(); ++i) cells_.SetCell(kFirstSizeCol + i, row, texts[i]);
}

std::vector<int> TColourSizeGridClass::SmartCopySources(const QStringList& plus) {
  const auto root = [](const QString& plu) { return plu.left(plu.size() - 2); };
  std::vector<int> sources(size_t(plus.size()), -1);
  if (plus.isEmpty()) return sources;
  const QString first = root(plus.front());
  QHash<int, int> firstColourRow;  // size index -> row of the first colour
  for (int j = 0; j < plus.size(); ++j)
    if (root(plus[j]) == first && !firstColourRow.contains(SizeIndexOfPLU(plus[j])))
      firstColourRow.insert(SizeIndexOfPLU(plus[j]), j);
  for (int i = 0; i < plus.size(); ++i)
    if (root(plus[i]) != first) sources[size_t(i)] = firstColourRow.value(SizeIndexOfPLU(plus[i]), -1);
  return sources;
}

// ----- moving and typing ---------------------------------------------------------------------

bool TColourSizeGridClass::CanSelect(int col, int row) const { return col != TotalsCol() && row != TotalsRow(); }

void TColourSizeGridClass::NextCellAfterEnter(int& col, int& row) const {
  if (ColourCount() == 0 || SizeCount() == 0) return;
  if (col < LastSizeCol()) {
    ++col;
    return;
  }
  row = row >= LastColourRow() ? kFirstColourRow : row + 1;
  col = kFirstSizeCol;
}

bool TColourSizeGridClass::QuantityKeyPasses(QChar key) { return key == QChar('\b') || (key >= QChar('0') && key <= QChar('9')); }

bool TColourSizeGridClass::PriceKeyPasses(const QString& cellText, QChar key) {
  if (key == QChar('.')) return !cellText.contains('.');
  return QuantityKeyPasses(key);
}

// ----- how cells look ---------------------------------------------------------------------------

quint32 TColourSizeGridClass::QuantityCellColour(qint64 value) {
  if (value > 0) return kPositiveColour;
  if (value < 0) return kNegativeColour;
  return kWhite;
}

quint32 TColourSizeGridClass::PriceCellColour(const QString& text) {
  const std::optional<double> v = kos::TextToFloat(text);
  return v && *v > 0 ? kPositiveColour : kWhite;
}

QString TColourSizeGridClass::FormatPriceText(const QString& text) {
  return kos::FormatFloat("0.00", kos::TextToFloat(text).value_or(0.0));
}
