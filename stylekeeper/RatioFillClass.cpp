#include "RatioFillClass.h"

#include <cmath>

#include "BranchStockClass.h"
#include "KvDb.h"

QString TRatioFillClass::RatiosSQL(const QString& scaleId) {
  return "SELECT RATIO FROM SIZES WHERE SIZESSCALE_ID = " + kdb::sql::Int(scaleId) + " ORDER BY \"offset\", ID";
}

QString TRatioFillClass::RatioTotalSQL(const QString& scaleId) {
  return "SELECT SUM(RATIO) AS TOTAL FROM SIZES WHERE SIZESSCALE_ID = " + kdb::sql::Int(scaleId);
}

std::vector<double> TRatioFillClass::ReadRatios(kdb::DataSet& rows) {
  std::vector<double> ratios;
  for (rows.First(); !rows.Eof(); rows.Next()) ratios.push_back(rows.FieldByName("RATIO").AsFloat());
  return ratios;
}

qint64 TRatioFillClass::CellFigure(qint64 quantity, double ratio) {
  return std::llround(static_cast<double>(quantity) * ratio);
}

bool TRatioFillClass::Fill(TColourSizeGridClass& grid, qint64 quantity, const std::vector<double>& ratios,
                           QString* why) {
  std::vector<QString> figures;
  for (int i = 0; i < grid.SizeCount(); ++i) {
    const double ratio = i < static_cast<int>(ratios.size()) ? ratios[size_t(i)] : 0.0;
    const double exact = static_cast<double>(quantity) * ratio;
    const QString figure = std::isfinite(exact) && std::fabs(exact) < 4e18 ? QString::number(CellFigure(quantity, ratio))
                                                                             : QString();
    if (!TBranchStockClass::QuantityValue(figure) || figure.isEmpty()) {
      if (why)
        *why = QString::number(quantity) + " times the ratio of size " +
               grid.Cell(TColourSizeGridClass::kFirstSizeCol + i, 0) + " is too large for a quantity.";
      return false;
    }
    figures.push_back(figure);
  }
  for (int row = TColourSizeGridClass::kFirstColourRow; row <= grid.LastColourRow(); ++row)
    for (int i = 0; i < grid.SizeCount(); ++i) grid.SetCell(TColourSizeGridClass::kFirstSizeCol + i, row, figures[size_t(i)]);
  return true;
}
