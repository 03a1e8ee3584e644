#pragma once
// Stepping through the whole catalogue in PLU order (the products table's key
// order), as the style editor's first, previous, next and last buttons do
// when no search result list is kept:
//   first / last   the root PLU of the first / last PRODUCTS row by PLU;
//   next           the root PLU of the first row after the loaded root PLU's
//                  first size whose style differs from the style shown, or
//                  the last row when there is none;
//   previous       the same backwards, or the first row when there is none.
// Colours of one style that lie apart in PLU order (a colour added later)
// are met again when stepping on. Without a loaded root PLU, next starts at
// the first style and previous at the last.
//
// Each step is one statement that reads the PLU index from the starting point
// and stops at the first row it wants (a second one at an end of the table),
// so a step costs the same on a catalogue of a million PLUs as on ten.
#include <QString>

#include <functional>

namespace kdb {
class DataSet;
}

class TStyleNavigationClass {
 public:
  // The directions, numbered as the search results dialog numbers them.
  enum Direction { navFirst = 0, navLast = 1, navPrior = 2, navNext = 3 };

  // Runs a statement and gives its open rows; throws kdb::DbError when the
  // statement fails.
  using Runner = std::function<kdb::DataSet&(const QString& sql)>;

  // The root PLU a step reaches from the loaded root PLU of the style shown;
  // "" when the products table is empty.
  static QString Step(int direction, const QString& loadedRootPLU, const QString& shownStyle,
                      const Runner& run);

  // The statement of a step; it yields ROOT_PLU in at most one row.
  static QString StepSQL(int direction, const QString& loadedRootPLU, const QString& shownStyle);
};
