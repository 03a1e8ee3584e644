#pragma once
// The statements of the style history enquiry, built without a window so they
// can be read and tested on their own. Every text reaches SQL through
// kdb::sql::Quote, every branch id through kdb::sql::Int; every statement runs
// unchanged on SQLite and PostgreSQL.
//
//   THistorySQLClass::FindStyle("0000004", "")        -> the first style with such a root PLU
//   THistorySQLClass::StyleColours("JEAN01")          -> one row per colour of the style
//   THistorySQLClass::History("00000042", 3, false)   -> the sizes and their figures, rows 1 to 11
//   THistorySQLClass::SalesBetween("00000042", 0, from, to) -> the figures of row 12
//
// History and SalesBetween give one row per PLU of the colour, in size
// offset order: "plu", "size_name" (History only) and one column per figure
// (Figures() names them and the info grid row each fills). A figure is the
// sum of its movement table's rows for the PLU, read through that table's
// PLU index; NULL when the PLU has none.
#include <QDate>
#include <QString>

#include <vector>

// The rows of the info grid.
enum THistoryRow {
  hrStock = 1,
  hrMinStock = 2,
  hrMaxStock = 3,
  hrOrdered = 4,
  hrDelivered = 5,
  hrOnOrder = 6,
  hrTransOut = 7,
  hrTransIn = 8,
  hrReturned = 9,
  hrWrittenOff = 10,
  hrSales = 11,
  hrSalesBetween = 12,
};

// A figure column of the history statements and the info grid row it fills.
struct THistoryFigure {
  THistoryRow row;
  const char* alias;
};

class THistorySQLClass {
 public:
  // The first style, in style order, with a root PLU beginning with rootText,
  // or (rootText empty) a style beginning with styleText. One column "style".
  static QString FindStyle(const QString& rootText, const QString& styleText);

  // One row per colour (root PLU) of the style, the product data of its
  // first PLU, in colour-name order (no name first), then root PLU order.
  static QString StyleColours(const QString& style);

  // The sizes of one colour with the stock (row 1) and, unless stockOnly,
  // orders and deliveries (rows 4 and 5), transfers out and in (7, 8),
  // returns (9), write-offs (10) and sales (11). branchId 0: every branch;
  // otherwise the stock, sales, returns and write-offs of that branch, the
  // transfers out of it (source) and into it (destination); orders have no
  // branch.
  static QString History(const QString& rootPLU, qint64 branchId, bool stockOnly);

  // Sales from the first moment of `from` up to (not including) the day
  // after `to`, so the whole end day counts whatever time DATE holds.
  static QString SalesBetween(const QString& rootPLU, qint64 branchId, const QDate& from, const QDate& to);

  // The figure columns of History (all of them) and SalesBetween.
  static const std::vector<THistoryFigure>& Figures();

  // The branch pick list: id and name of every branch in name order.
  static QString Branches();
};
