#pragma once
// A small shop catalogue with awkward stock for the stock reports' tests,
// on top of the schema tool's starter data (whose own suppliers, brands ...
// have no products, so they list nothing):
//
//   root PLU  style  supplier    brand  season  category (dept 9401/9402)  colour  sizes     cost    retail
//   R0000001  ST100  ACME KNITS  ALPHA  SS24    OUTERWEARXYZ   9401        NAVY    S M L     10.50   25.99
//   R0000002  ST100  ACME KNITS  ALPHA  SS24    OUTERWEARXYZ   9401        RED     S M       10.50   25.99
//   R0000003  ST200  BOLT & CO   BETA   (none)  CASUALS        9402        NAVY    OS only    3.3333  7.50
//   R0000004  (none) ACME KNITS  BETA   SS24    CASUALS        9402        (none)  (none)     1.2345 (none)
//   R0000005  ST300  ACME KNITS  ALPHA  SS24    OUTERWEARXYZ   9401        NAVY    S          5.00   9.00
//
// Both departments are named KNITWEAR CARDIGANS. Stock (branch 1 MAIN STORE,
// 4 HARROGATE, 5 YORK): R0000001 S 4 and 2, M 3 and -3, L 1 (at 4);
// R0000002 S 5, M -2 (both at 1); R0000003 10 at 1, NULL at 4, 1000 at 5;
// R0000004 7 at 5; R0000005 has no stock row at all.
#include "KvDb.h"
#include "KvFwTestSupport.h"
#include "KvShopTestSupport.h"

#include <QStringList>

namespace stocktest {

constexpr int kAcme = 9001, kBolt = 9002;
constexpr int kAlpha = 9101, kBeta = 9102;
constexpr int kSS24 = 9201;
constexpr int kOuterwear = 9301, kCasuals = 9302;
constexpr int kKnitOuter = 9401, kKnitCasual = 9402;
constexpr int kNavy = 9501, kRed = 9502;
constexpr int kMain = 1, kHarrogate = 4, kYork = 5;

inline void AddParameter(kdb::Database& db, int id, const QString& type, const QString& name, int parentId = 0,
                         const QString& parentName = {}) {
  using kdb::sql::Quote;
  db.Execute(QString("INSERT INTO PARAMETERS (ID, NAME, TYPE, PARENT_ID, PARENT_NAME) VALUES (%1, %2, %3, %4, %5)")
                 .arg(id)
                 .arg(Quote(name), Quote(type), parentId ? QString::number(parentId) : "NULL",
                      parentName.isNull() ? "NULL" : Quote(parentName)));
}

struct Colourway {
  QString root, style;
  int supplier;
  QString supplierName;
  int brand;
  QString brandName;
  int season;  // 0: none
  QString seasonName;
  int category;
  QString categoryName;
  int department;
  QString colourName;  // "": none
  int colour;
  QString description;  // "": none
  QStringList sizes;    // "" for a size without name
  QString cost, retail;  // "NULL" for none
};

inline QString TextOrNull(const QString& s) { return s.isEmpty() ? "NULL" : kdb::sql::Quote(s); }

inline void AddColourway(kdb::Database& db, const Colourway& c) {
  using kdb::sql::Quote;
  for (int i = 0; i < c.sizes.size(); ++i) {
    const QString plu = c.root + QString("%1").arg(i, 2, 10, QChar('0'));
    db.Execute(
        "INSERT INTO PRODUCTS (ROOT_PLU, PLU, STYLE, DESCRIPTION, SUPPLIER_ID, SUPPLIER_NAME, BRANDLABEL_ID,"
        " BRANDLABEL_NAME, SEASON_ID, SEASON_NAME, CATEGORY_ID, CATEGORY_NAME, DEPARTMENT_ID, DEPARTMENT_NAME,"
        " COLOUR_ID, COLOUR_NAME, SIZE_NAME, SIZE_OFFSET, CURRENT_COST_PRICE, RETAIL_PRICE) VALUES (" +
        QStringList{Quote(c.root), Quote(plu), TextOrNull(c.style), TextOrNull(c.description),
                    QString::number(c.supplier), Quote(c.supplierName), QString::number(c.brand), Quote(c.brandName),
                    c.season ? QString::number(c.season) : "NULL", TextOrNull(c.seasonName),
                    QString::number(c.category), Quote(c.categoryName), QString::number(c.department),
                    Quote("KNITWEAR CARDIGANS"), QString::number(c.colour), TextOrNull(c.colourName),
                    TextOrNull(c.sizes[i]), QString::number(i), c.cost, c.retail}
            .join(", ") +
        ")");
  }
}

inline void AddStock(kdb::Database& db, const QString& plu, int branch, const QString& qty) {
  using kdb::sql::Quote;
  const QString name = branch == kMain ? "MAIN STORE" : branch == kHarrogate ? "HARROGATE" : "YORK";
  db.Execute("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, BRANCH_NAME, STOCK_QUANTITY) VALUES (" +
             QStringList{Quote(plu), Quote(plu.left(8)), QString::number(branch), Quote(name), qty}.join(", ") +
             ")");
}

inline void Catalogue(kdb::Database& db) {
  AddParameter(db, kAcme, "SUPPLIER", "ACME KNITS");
  AddParameter(db, kBolt, "SUPPLIER", "BOLT & CO");
  AddParameter(db, kAlpha, "BRANDLABEL", "ALPHA");
  AddParameter(db, kBeta, "BRANDLABEL", "BETA");
  AddParameter(db, kSS24, "SEASON", "SS24");
  AddParameter(db, kOuterwear, "CATEGORY", "OUTERWEARXYZ");
  AddParameter(db, kCasuals, "CATEGORY", "CASUALS");
  AddParameter(db, kKnitOuter, "DEPARTMENT", "KNITWEAR CARDIGANS", kOuterwear, "OUTERWEARXYZ");
  AddParameter(db, kKnitCasual, "DEPARTMENT", "KNITWEAR CARDIGANS", kCasuals, "CASUALS");
  AddParameter(db, kNavy, "COLOUR", "NAVY");
  AddParameter(db, kRed, "COLOUR", "RED");

  const Colourway navy{"R0000001", "ST100", kAcme, "ACME KNITS", kAlpha, "ALPHA", kSS24, "SS24", kOuterwear,
                       "OUTERWEARXYZ", kKnitOuter, "NAVY", kNavy, "CABLE CARDIGAN", {"S", "M", "L"}, "10.5",
                       "25.99"};
  AddColourway(db, navy);
  Colourway red = navy;
  red.root = "R0000002";
  red.colourName = "RED";
  red.colour = kRed;
  red.sizes = {"S", "M"};
  AddColourway(db, red);
  AddColourway(db, {"R0000003", "ST200", kBolt, "BOLT & CO", kBeta, "BETA", 0, "", kCasuals, "CASUALS",
                    kKnitCasual, "NAVY", kNavy, "ONE SIZE SCARF", {"OS"}, "3.3333", "7.5"});
  AddColourway(db, {"R0000004", "", kAcme, "ACME KNITS", kBeta, "BETA", kSS24, "SS24", kCasuals, "CASUALS",
                    kKnitCasual, "", kRed, "", {""}, "1.2345", "NULL"});
  Colourway unstocked = navy;
  unstocked.root = "R0000005";
  unstocked.style = "ST300";
  unstocked.description = "NO STOCK";
  unstocked.sizes = {"S"};
  unstocked.cost = "5";
  unstocked.retail = "9";
  AddColourway(db, unstocked);

  AddStock(db, "R000000100", kMain, "4");
  AddStock(db, "R000000100", kHarrogate, "2");
  AddStock(db, "R000000101", kMain, "3");
  AddStock(db, "R000000101", kYork, "-3");
  AddStock(db, "R000000102", kHarrogate, "1");
  AddStock(db, "R000000200", kMain, "5");
  AddStock(db, "R000000201", kMain, "-2");
  AddStock(db, "R000000300", kMain, "10");
  AddStock(db, "R000000300", kHarrogate, "NULL");
  AddStock(db, "R000000300", kYork, "1000");
  AddStock(db, "R000000400", kYork, "7");
}

// The starter data and the catalogue.
inline kvfwtest::DataChange ShopWithStock() { return kvfwtest::StarterData(Catalogue); }

// The launcher's user handed over to the programs of the engine's edition.
inline void HandOverUser(kvtest::Engine e) {
  kvtest::WriteFile(kvfwtest::EditionFolder(e) + "user.txt", "1\r\n1\r\n");
}

// The rows of a statement as texts (every column), on the test's own connection.
inline std::vector<QStringList> Rows(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  std::vector<QStringList> rows;
  for (q.First(); !q.Eof(); q.Next()) {
    QStringList row;
    for (int i = 0; i < q.FieldCount(); ++i) row << q.Fields(i).AsString();
    rows.push_back(row);
  }
  return rows;
}

// The rows of a grid from `first` to `last` (inclusive).
template <class Grid>
std::vector<QStringList> GridRows(const Grid& grid, int first, int last) {
  std::vector<QStringList> rows;
  for (int r = first; r <= last; ++r) rows.push_back(grid.RowTexts(r));
  return rows;
}

}  // namespace stocktest
