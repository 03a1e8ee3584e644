#pragma once
// The six product attributes the stock reports group by ("Group By:"): each
// names the PRODUCTS id column a chosen value is compared with and the name
// column that is shown. The two stock listings and the stock evaluation show
// different name columns for the same choice, so each has its own table.
#include <QString>
#include <QStringList>

#include <vector>

struct TGroupChoice {
  QString Caption;      // "Brand" ... "Supplier": the item of the Group By list
  QString IdColumn;     // the PRODUCTS column compared with a value's id
  QString NameColumn;   // the PRODUCTS column(s) shown for the group
  QString ColumnTitle;  // listings: the title of the shown column
  QString ValuesSQL;    // listings: the statement that lists the values ("name", "id")
  QString ValueOrder;   // listings: the values' order, over their PARAMETERS row "v"
};

class TStockGroupByClass {
 public:
  // The listings' table (product and style-and-colour stock listings).
  static const std::vector<TGroupChoice>& ListingChoices();
  // The stock evaluation's table; its Department shows category and department.
  static const std::vector<TGroupChoice>& ValuationChoices();
  static QStringList Captions(const std::vector<TGroupChoice>& choices);

  static constexpr int kListingDefault = 5;    // "Supplier"
  static constexpr int kValuationDefault = 3;  // "Department"
  static constexpr int kDepartment = 3;
  static constexpr int kSeason = 4;
};
