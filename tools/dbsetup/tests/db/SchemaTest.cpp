// The schema on both engines: every column the programs use, re-runs that
// change nothing, the key indexes, and a table that grows a missing column.
#include <gtest/gtest.h>

#include "KvDbTestSupport.h"
#include "SchemaClass.h"

#include <QMap>

namespace {

// Every table and column the programs read or write, written down from their
// statements independently of the layout in SchemaClass.cpp.
const QMap<QString, QStringList>& UsedColumns() {
  static const QMap<QString, QStringList> used = {
      {"PRODUCTS",
       {"ID", "ROOT_PLU", "PLU", "DATE_CREATED", "DATE_LASTDEL", "STYLE", "STYLE_REF",
        "DESCRIPTION", "COLOUR_ID", "COLOUR_NAME", "COLOUR_VALUE", "SUPPLIER_ID", "SUPPLIER_NAME",
        "BRANDLABEL_ID", "BRANDLABEL_NAME", "SEASON_ID", "SEASON_NAME", "CATEGORY_ID",
        "CATEGORY_NAME", "DEPARTMENT_ID", "DEPARTMENT_NAME", "SUBDEPARTMENT_ID",
        "SUBDEPARTMENT_NAME", "ECOM_FLAG", "SIZESSCALE_ID", "SIZESSCALE_NAME", "SIZE_ID",
        "SIZE_NAME", "SIZE_OFFSET", "VAT_ID", "VAT_NAME", "VAT_RATE", "CURRENT_COST_PRICE",
        "RETAIL_PRICE", "WHOLESALE_PRICE", "SALEPRICE", "EXTERNAL_BARCODE", "SKU", "COMMENTS",
        "POS_COMMENTS"}},
      {"BRANCHSTOCK",
       {"ID", "PLU", "ROOT_PLU", "BRANCH_ID", "BRANCH_NAME", "STOCK_QUANTITY",
        "MIN_STOCK_QUANTITY", "MAX_STOCK_QUANTITY", "BARCODES_QUANTITY", "BSRETAIL_PRICE"}},
      {"PARAMETERS", {"ID", "NAME", "TYPE", "RATE", "VALUE", "EXTRA", "PARENT_ID", "PARENT_NAME"}},
      {"SIZESSCALE", {"ID", "NAME", "COUNTER", "DEFAULT_ID"}},
      {"SIZES", {"ID", "SIZESSCALE_ID", "NAME", "\"offset\"", "RATIO"}},
      {"ADDRESSES",
       {"ID", "PARENT_ID", "TYPE", "HOUSE_NO_NAME", "STREET", "AREA", "TOWN_CITY", "COUNTY",
        "POSTCODE", "TELEPHONE", "FAX", "EMAIL", "WEBSITE", "MARKUP", "LEADTIME", "TERMS",
        "AGENT_FIRST_NAME", "AGENT_SURNAME", "AGENT_TELEPHONE", "AGENT_FAX", "AGENT_EMAIL"}},
      {"WSPACKS", {"ID", "STYLE", "BARCODE"}},
      {"WSPACKLINES", {"PLU", "ROOTPLU", "BARCODE", "QTY"}},
      {"PRODUCTSCHARGES", {"ID", "STYLE", "CHARGE", "COST_PRICE", "RETAIL_PRICE"}},
      {"PRODUCTOPTIONS", {"ID", "ROOT_PLU", "OPTION_ID", "VALUE"}},
      {"BRANCHES", {"ID", "NAME", "CODE"}},
      {"STAFF", {"ID", "USERNAME", "PASSWORD", "SECURITY_LEVEL", "DISPLAYNAME"}},
      {"SECURITY", {"SECURITY_LEVEL", "SECURITY_FUNCTION"}},
      {"COMPANY", {"COMPANY_NAME", "COMPANY_NO", "VAT_NO"}},
      {"ORDERS", {"PLU", "QTY", "DELIVERY"}},
      {"TRANSFERS", {"PLU", "QTY", "RECEIVED", "SOURCE", "DESTINATION"}},
      {"RETURNS", {"PLU", "QTY", "SOURCE"}},
      {"WRITEOFFS", {"PLU", "QTY", "SOURCE"}},
      {"TRANSACTIONS", {"FULL_PLU_STRING", "QUANTITY", "BRANCH_ID", "DATE"}},
  };
  return used;
}

class SchemaTest : public kvtest::DbTest {
 protected:
  void ExpectRejected(const QString& statement) {
    EXPECT_THROW(db().Execute(statement), kdb::DbError) << statement.toStdString();
  }
};

TEST_P(SchemaTest, EveryColumnTheProgramsUseExists) {
  const kvschema::SchemaChanges first = kvschema::CreateSchema(db());
  EXPECT_EQ(first.tables.size(), int(kvschema::Tables().size()));
  EXPECT_TRUE(first.columns.isEmpty());
  for (auto it = UsedColumns().begin(); it != UsedColumns().end(); ++it) {
    for (const QString& column : it.value()) {
      kdb::Query q(&db());
      q.SQL = "SELECT " + column + " FROM " + it.key() + " LIMIT 1";
      EXPECT_NO_THROW(q.ExecSQL()) << q.SQL.toStdString();
    }
  }
}

TEST_P(SchemaTest, SecondRunChangesNothing) {
  kvschema::CreateSchema(db());
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE, RATE) VALUES ('RED', 'COLOUR', 255)");
  const kvschema::SchemaChanges again = kvschema::CreateSchema(db());
  EXPECT_TRUE(again.Empty()) << again.Lines().join("; ").toStdString();
  EXPECT_EQ(Column("SELECT NAME FROM PARAMETERS"), QStringList{"RED"});
}

TEST_P(SchemaTest, AddsMissingColumnsAndKeepsRows) {
  // A database made by an older release: PRODUCTS without most columns.
  db().Execute("CREATE TABLE PRODUCTS (ID INTEGER PRIMARY KEY, PLU VARCHAR(20), STYLE VARCHAR(50))");
  db().Execute("INSERT INTO PRODUCTS (ID, PLU, STYLE) VALUES (7, '0000000100', 'KEEP ME')");
  const kvschema::SchemaChanges done = kvschema::CreateSchema(db());
  EXPECT_TRUE(done.columns.contains("PRODUCTS.SKU"));
  EXPECT_TRUE(done.columns.contains("PRODUCTS.ROOT_PLU"));
  EXPECT_FALSE(done.columns.contains("PRODUCTS.STYLE"));
  EXPECT_FALSE(done.tables.contains("PRODUCTS"));
  EXPECT_EQ(Column("SELECT STYLE FROM PRODUCTS WHERE ID = 7"), QStringList{"KEEP ME"});
  EXPECT_EQ(Column("SELECT SKU FROM PRODUCTS WHERE ID = 7"), QStringList{""});
  EXPECT_TRUE(kvschema::CreateSchema(db()).Empty());
}

TEST_P(SchemaTest, RatiosKeepFractions) {
  kvschema::CreateSchema(db());
  db().Execute("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\", RATIO) VALUES (1, 'S', 0, 1.5)");
  EXPECT_EQ(Column("SELECT RATIO FROM SIZES"), QStringList{"1.5"});
}

TEST_P(SchemaTest, AnIntegerRatioOfAnOlderLayoutIsWidenedKeepingItsRows) {
  const QString id = isPg() ? "ID INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"
                            : "ID INTEGER PRIMARY KEY AUTOINCREMENT";
  db().Execute("CREATE TABLE SIZES (" + id +
               ", SIZESSCALE_ID INTEGER NOT NULL, NAME VARCHAR(10), \"offset\" INTEGER, RATIO INTEGER)");
  db().Execute("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\", RATIO) VALUES (1, 'S', 0, 2), (1, 'M', 1, 3)");
  const kvschema::SchemaChanges done = kvschema::CreateSchema(db());
  EXPECT_EQ(done.retyped, QStringList{"SIZES.RATIO"});
  EXPECT_TRUE(done.Lines().contains("Changed the type of column SIZES.RATIO")) << done.Lines().join("; ").toStdString();
  EXPECT_EQ(Column("SELECT ID FROM SIZES ORDER BY ID"), QStringList({"1", "2"}));
  EXPECT_EQ(Column("SELECT RATIO FROM SIZES ORDER BY ID"), QStringList({"2", "3"}));
  db().Execute("INSERT INTO SIZES (SIZESSCALE_ID, NAME, \"offset\", RATIO) VALUES (1, 'L', 2, 1.5)");
  EXPECT_EQ(Column("SELECT RATIO FROM SIZES WHERE NAME = 'L'"), QStringList{"1.5"});
  EXPECT_EQ(Column("SELECT ID FROM SIZES WHERE NAME = 'L'"), QStringList{"3"});  // numbering goes on
  EXPECT_TRUE(kvschema::ExistingIndexes(db()).contains("IX_SIZES_SIZESSCALE_ID_OFFSET"));
  EXPECT_TRUE(kvschema::CreateSchema(db()).Empty());
}

TEST_P(SchemaTest, KeyIndexesRefuseDuplicates) {
  kvschema::CreateSchema(db());
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU) VALUES ('00000001', '0000000100')");
  ExpectRejected("INSERT INTO PRODUCTS (ROOT_PLU, PLU) VALUES ('00000001', '0000000100')");
  db().Execute("INSERT INTO PRODUCTS (ROOT_PLU, PLU) VALUES ('00000001', '0000000101')");

  db().Execute("INSERT INTO BRANCHSTOCK (PLU, BRANCH_ID) VALUES ('0000000100', 1)");
  db().Execute("INSERT INTO BRANCHSTOCK (PLU, BRANCH_ID) VALUES ('0000000100', 2)");
  ExpectRejected("INSERT INTO BRANCHSTOCK (PLU, BRANCH_ID) VALUES ('0000000100', 1)");
  db().Execute("INSERT INTO WSPACKS (STYLE) VALUES ('DRESS')");
  ExpectRejected("INSERT INTO WSPACKS (STYLE) VALUES ('DRESS')");

  // A new stock row starts at zero, not at an empty quantity.
  EXPECT_EQ(Column("SELECT STOCK_QUANTITY FROM BRANCHSTOCK WHERE BRANCH_ID = 2"), QStringList{"0"});
  EXPECT_EQ(Column("SELECT COUNT(*) AS N FROM PRODUCTS"), QStringList{"2"});
}

TEST_P(SchemaTest, IdsAreAssignedAndTextKeepsBytes) {
  kvschema::CreateSchema(db());
  const QString odd = "O'NEILL \"KNIT\" \\ CAF\u00c9";
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE) VALUES (" + kdb::sql::Quote(odd) + ", 'SUPPLIER')");
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('apple', 'SUPPLIER')");
  db().Execute("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('BANANA', 'SUPPLIER')");
  EXPECT_EQ(Column("SELECT NAME FROM PARAMETERS WHERE NAME = " + kdb::sql::Quote(odd)),
            QStringList{odd});
  // Byte order: capitals before small letters, on both engines.
  EXPECT_EQ(Column("SELECT NAME FROM PARAMETERS ORDER BY NAME"),
            (QStringList{"BANANA", odd, "apple"}));
  EXPECT_EQ(Column("SELECT ID FROM PARAMETERS ORDER BY ID"), (QStringList{"1", "2", "3"}));
}

TEST_P(SchemaTest, SyncedCountersFollowExplicitIds) {
  kvschema::CreateSchema(db());
  db().Execute("INSERT INTO BRANCHES (ID, NAME) VALUES (5, 'YORK')");
  kvschema::SyncIdCounters(db());
  db().Execute("INSERT INTO BRANCHES (NAME) VALUES ('LEEDS')");
  EXPECT_EQ(Column("SELECT ID FROM BRANCHES WHERE NAME = 'LEEDS'"), QStringList{"6"});
}

KV_DB_ENGINES(SchemaTest);

}  // namespace
