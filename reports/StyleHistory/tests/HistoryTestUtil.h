#pragma once
// A small shop for the enquiry's tests: products of four styles with awkward
// data, and a movement set whose figures are worked out by hand below.
//
// JEAN01  00000042 DENIM  sizes 30 32 34 (offsets 0 1 2)   cost 25.00 retail 60.00 VAT 20
//         00000043 BLACK  sizes 30 32 34 (offsets 0 1 2)   cost 25.00 retail 65.00 VAT 20
//         00000044 ECRU   sizes 30 34 36 (offsets 0 2 3)   cost 20.00 retail 48.00 VAT 17.5
// TEE01   00000050 (no colour name) one size, no size name cost 5.00 retail 0.00 VAT 0
// CAP01   00000060 RED    one size ONE                     cost 0.00 retail 12.00 VAT 20
// SHOE01  00000070 NAVY   sizes 3 4 5, another scale: a style whose second colour has other sizes
//         00000071 TAN    sizes 6 7
//
// Branches of the starter data: 1 MAIN STORE, 4 HARROGATE.
// Movements of 00000042 by size (30, 32, 34); "" where nothing is shown:
//
//                 all branches       branch 1          branch 4
//   Stock         8   -2   ""        5   -2   ""       3   ""   ""
//   Ordered       15   3    2        (orders have no branch)
//   Delivered     9    3    4
//   On Order      6   ""   ""
//   Trans Out     6   ""   ""        4   ""   ""       2   ""   ""
//   Trans In      4   ""   ""        ""  ""   ""       4   ""   ""   (branch 1: only a transfer not received)
//   Returned      ""   3   ""        ""   1   ""       ""   2   ""
//   Written Off   ""  ""    1        ""  ""   ""       ""  ""    1
//   Sales         5    1   ""        2   ""   ""       3    1   ""
//   Sales 1-31 March 2024 (whole end day): 3 1 "" (all), 3 "" "" (branch 1), "" 1 "" (branch 4)
#include <gtest/gtest.h>

#include "KvDb.h"
#include "KvShopTestSupport.h"

#include <QStringList>

namespace histtest {

using kdb::sql::Quote;

struct Product {
  QString root;
  QString style;
  QString colour;  // "" stands for NULL
  int colourValue;
  QList<QPair<QString, int>> sizes;  // name ("" for NULL), offset
  QString cost, retail, vat;
};

inline QString OrNull(const QString& s) { return s.isEmpty() ? QString("NULL") : Quote(s); }

inline void InsertProduct(kdb::Database& db, const Product& p) {
  for (const auto& [size, offset] : p.sizes) {
    const QString plu = p.root + QString("%1").arg(offset, 2, 10, QChar('0'));
    db.Execute(
        "INSERT INTO PRODUCTS (ROOT_PLU, PLU, DATE_CREATED, STYLE, STYLE_REF, DESCRIPTION, COLOUR_NAME,"
        " COLOUR_VALUE, SUPPLIER_NAME, BRANDLABEL_NAME, SEASON_NAME, CATEGORY_NAME, DEPARTMENT_NAME,"
        " SUBDEPARTMENT_NAME, SIZE_NAME, SIZE_OFFSET, VAT_RATE, CURRENT_COST_PRICE, RETAIL_PRICE) VALUES (" +
        QStringList{Quote(p.root), Quote(plu), "'2024-01-10 09:00:00'", Quote(p.style), Quote("REF-" + p.style),
                    Quote(p.style + " DESCRIPTION"), OrNull(p.colour), QString::number(p.colourValue),
                    Quote("SOLENT DENIM"), Quote("TESSARIN"), Quote("SPRING SUMMER 2025"), Quote("MENSWEAR"),
                    Quote("JEANS"), Quote("SLIM FIT"), OrNull(size), QString::number(offset), p.vat, p.cost,
                    p.retail}
            .join(", ") +
        ")");
  }
}

inline void InsertProducts(kdb::Database& db) {
  const QList<QPair<QString, int>> jeans{{"30", 0}, {"32", 1}, {"34", 2}};
  InsertProduct(db, {"00000042", "JEAN01", "DENIM", 0x8B4513, jeans, "25.00", "60.00", "20"});
  InsertProduct(db, {"00000043", "JEAN01", "BLACK", 0x000000, jeans, "25.00", "65.00", "20"});
  InsertProduct(db, {"00000044", "JEAN01", "ECRU", 0xC8E6F0, {{"30", 0}, {"34", 2}, {"36", 3}}, "20.00",
                     "48.00", "17.5"});
  InsertProduct(db, {"00000050", "TEE01", "", 0xFFFFFF, {{"", 0}}, "5.00", "0.00", "0"});
  InsertProduct(db, {"00000060", "CAP01", "RED", 0x0000FF, {{"ONE", 0}}, "0.00", "12.00", "20"});
  InsertProduct(db, {"00000070", "SHOE01", "NAVY", 0x800000, {{"3", 0}, {"4", 1}, {"5", 2}}, "30.00",
                     "80.00", "20"});
  InsertProduct(db, {"00000071", "SHOE01", "TAN", 0x4080C0, {{"6", 0}, {"7", 1}}, "30.00", "80.00", "20"});
}

inline void InsertMovements(kdb::Database& db) {
  for (const char* sql : {
           "INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, STOCK_QUANTITY) VALUES"
           " ('0000004200', '00000042', 1, 5), ('0000004200', '00000042', 4, 3),"
           " ('0000004201', '00000042', 1, -2), ('0000004300', '00000043', 1, 7),"
           " ('0000004402', '00000044', 1, 4), ('0000007101', '00000071', 1, 9)",
           "INSERT INTO ORDERS (PLU, QTY, DELIVERY) VALUES ('0000004200', 10, 4), ('0000004200', 5, 5),"
           " ('0000004201', 3, 3), ('0000004202', 2, 4), ('0000004300', 8, 0)",
           "INSERT INTO TRANSFERS (PLU, QTY, RECEIVED, SOURCE, DESTINATION) VALUES"
           " ('0000004200', 4, 4, 1, 4), ('0000004200', 2, NULL, 4, 1), ('0000004300', 1, 1, 1, 4)",
           "INSERT INTO RETURNS (PLU, QTY, SOURCE) VALUES ('0000004201', 1, 1), ('0000004201', 2, 4)",
           "INSERT INTO WRITEOFFS (PLU, QTY, SOURCE) VALUES ('0000004202', 1, 4), ('0000004300', 6, 1)",
           "INSERT INTO TRANSACTIONS (FULL_PLU_STRING, QUANTITY, BRANCH_ID, DATE) VALUES"
           " ('0000004200', 2, 1, '2024-03-01 00:00:00'), ('0000004200', 1, 1, '2024-03-31 23:59:59'),"
           " ('0000004200', 3, 4, '2024-04-01 00:00:00'), ('0000004200', -1, 1, '2024-02-29 12:00:00'),"
           " ('0000004201', 1, 4, '2024-03-15 10:30:00'), ('0000004300', 9, 1, '2024-03-10 10:00:00')"})
    db.Execute(sql);
}

// The shop: schema, starter data, products and movements.
inline kvfwtest::DataChange Shop() {
  return kvfwtest::StarterData([](kdb::Database& db) {
    InsertProducts(db);
    InsertMovements(db);
  });
}

}  // namespace histtest
