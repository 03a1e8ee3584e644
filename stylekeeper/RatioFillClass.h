#pragma once
// The size ratios of a size scale (SIZES.RATIO, kept by the outside program
// SizeRatios) and the fill of a quantity grid from them: every size cell
// becomes one typed quantity times the ratio of its size.
//
//   query.SQL = TRatioFillClass::RatiosSQL(scaleId); query.ExecSQL();
//   const std::vector<double> ratios = TRatioFillClass::ReadRatios(query);
//   QString why;
//   if (!TRatioFillClass::Fill(grid, 2, ratios, &why)) ...   // nothing changed
//
// A size column takes the ratio of the scale's size at the same position
// (the sizes in offset order, as PLUs are numbered); a column beyond the
// scale's sizes, and an empty ratio, count 0. A cell always gets a whole
// number: a fractional product is rounded to the nearest one.
#include <QString>

#include <vector>

#include "ColourSizeGridClass.h"

namespace kdb {
class DataSet;
}

class TRatioFillClass {
 public:
  // The ratios of a scale's sizes in offset order. Throws kdb::DbError for
  // an id that is no number.
  static QString RatiosSQL(const QString& scaleId);
  // The sum of the ratios of a scale, as TOTAL.
  static QString RatioTotalSQL(const QString& scaleId);
  // The RATIO of each row of RatiosSQL (empty as 0).
  static std::vector<double> ReadRatios(kdb::DataSet& rows);

  // The figure of one cell: quantity times ratio, rounded to a whole number.
  static qint64 CellFigure(qint64 quantity, double ratio);
  // Fills every size cell of every colour; the totals are the caller's.
  // False, with nothing changed and the reason in why, when a figure would
  // not fit a quantity cell.
  static bool Fill(TColourSizeGridClass& grid, qint64 quantity, const std::vector<double>& ratios, QString* why);
};
