#pragma once
// A stock quantity as a report grid shows it. The common quantities share
// one text each, so a grid of a hundred thousand lines holds a pointer per
// cell rather than a string of its own, and filling it allocates nothing.
//
//   grid.SetCell(col, row, KVQuantityTextClass::Text(quantity));   // "12", "-3"
#include <QString>

class KVQuantityTextClass {
 public:
  static QString Text(qint64 quantity);

  // The quantities that share a text; others are written out each time.
  static constexpr qint64 kLowest = -999;
  static constexpr qint64 kHighest = 9999;
};
