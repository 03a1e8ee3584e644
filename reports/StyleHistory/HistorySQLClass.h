#pragma once
// The statements of the style history enquiry, built without a window so they
// can be read and tested on their own. Every text reaches SQL through
// kdb::sql::Quote, every branch id through kdb::sql::Int; every statement runs
// unchanged on SQLite and PostgreSQL.
//
//   THistorySQLClass::FindStyle("0000004", "")       -> the first style with such a root PLU
//   THistorySQLClass::StyleColours("JEAN01")         -> one row per colour of the style
//   THistorySQLClass::Sizes("00000042")              -> plu, size_name, size_offset
//   THistorySQLClass::Movements("00000042", 3, false) -> the figures of rows 1 and 4 to 11
//   THistorySQLClass::SalesBetween("00000042", 0, from, to) -> the figures of row 12
//
// The movement statements return rows of (kind, plu, q1, q2): `kind` is the
// info grid row the figure belongs to (THistoryRow), q1 the row's sum and q2
// the deliveries of the orders row (0 elsewhere); one row per PLU and kind,
// only for PLUs that have movements of that kind.
#include <QDate>
#include <QString>

// The rows of the info grid; also the `kind` of the movement statements.
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

class THistorySQLClass {
 public:
  // The first style, in style order, with a root PLU beginning with rootText,
  // or (rootText empty) a style beginning with styleText. One column "style".
  static QString FindStyle(const QString& rootText, const QString& styleText);

  // One row per colour (root PLU) of the style, the product data of its
  // first PLU, in colour-name order (no name first), then root PLU order.
  static QString StyleColours(const QString& style);

  // The sizes of one colour: plu, size_name, size_offset, in offset order.
  static QString Sizes(const QString& rootPLU);

  // Stock (row 1), and unless stockOnly also orders and deliveries (rows 4
  // and 5), transfers out and in (7, 8), returns (9), write-offs (10) and
  // sales (11), in one statement. branchId 0: every branch; otherwise the
  // stock, sales, returns and write-offs of that branch, the transfers out of
  // it (source) and into it (destination); orders have no branch.
  static QString Movements(const QString& rootPLU, qint64 branchId, bool stockOnly);

  // Sales from the first moment of `from` up to (not including) the day
  // after `to`, so the whole end day counts whatever time DATE holds.
  static QString SalesBetween(const QString& rootPLU, qint64 branchId, const QDate& from, const QDate& to);

  // The branch pick list: id and name of every branch in name order.
  static QString Branches();
};
