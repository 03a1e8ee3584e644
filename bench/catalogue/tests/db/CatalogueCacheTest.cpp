// The catalogue built through each engine's bulk path: the same rows on both
// engines as the generator makes them, the indexes and statistics dbsetup
// would leave, and a cache that is reused until the catalogue changes.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "CatalogueCacheClass.h"
#include "KvDbTestSupport.h"
#include "KvTestSupport.h"
#include "SchemaClass.h"
#include "StatisticsClass.h"

namespace {

using kvtest::Engine;

class CatalogueCacheTest : public ::testing::TestWithParam<Engine> {
 protected:
  QTemporaryDir cache;
  const kvcat::CatalogueSize size{"t" + QString::number(QCoreApplication::applicationPid()), 30, 3000};

  void TearDown() override {
    if (GetParam() != Engine::PostgreSQL) return;
    // The catalogues this test made on the run's server.
    kdb::Session s;
    kdb::Database db;
    kvtest::DbFacts admin;
    const kvtest::PgServer server = kvtest::TestPgServer();
    admin.engine = Engine::PostgreSQL;
    admin.host = server.host;
    admin.port = server.port;
    admin.database = "postgres";
    kvtest::TestDatabase::Configure(admin, s, db);
    db.Open();
    for (const QString& d : kvtest::Column(db, "SELECT datname FROM pg_database WHERE datname LIKE 'kvcat_" +
                                                   size.name + "_%'"))
      kvtest::PgAdminExecute("DROP DATABASE IF EXISTS " + d + " WITH (FORCE)");
  }

  kvtest::DbHandle Open(const kvcat::CatalogueDb& c) {
    kvtest::DbHandle h{std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
    kvtest::TestDatabase::Configure(c.facts, *h.session, *h.db);
    h.db->Open();
    return h;
  }
  QString Value(kdb::Database& db, const QString& sql) { return kvtest::Column(db, sql).value(0); }
};

TEST_P(CatalogueCacheTest, BuildsOnceThenReusesTheCache) {
  const kvcat::CatalogueDb first = kvcat::EnsureCatalogue(GetParam(), size, cache.path());
  EXPECT_TRUE(first.built);
  const kvcat::CatalogueDb again = kvcat::EnsureCatalogue(GetParam(), size, cache.path());
  EXPECT_FALSE(again.built);
  EXPECT_EQ(again.facts.database, first.facts.database);
  EXPECT_EQ(again.facts.dataDir, first.facts.dataDir);
  if (GetParam() == Engine::SQLite) {
    EXPECT_TRUE(QFileInfo::exists(first.commonFolder + "Tarnwick/TessarinQS/db/data/DATA.sqlite"));
    // No half-built folder is left beside it.
    EXPECT_EQ(QDir(cache.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
  }
}

TEST_P(CatalogueCacheTest, HoldsTheGeneratedRowsWithIndexesAndStatistics) {
  const kvcat::CatalogueDb c = kvcat::EnsureCatalogue(GetParam(), size, cache.path());
  kvtest::DbHandle h = Open(c);
  kdb::Database& db = *h.db;

  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM BRANCHES"), "10");
  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM PARAMETERS WHERE TYPE = 'SUPPLIER'"), "300");
  const int products = Value(db, "SELECT COUNT(*) FROM PRODUCTS").toInt();
  EXPECT_GT(products, 30 * 5);
  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM PRODUCTS WHERE PLU <> ROOT_PLU || "
                      "CASE WHEN SIZE_OFFSET < 10 THEN '0' ELSE '' END || CAST(SIZE_OFFSET AS VARCHAR(2))"),
            "0");
  // Values kept exactly: money with four decimals, stamps, flags.
  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM PRODUCTS WHERE CAST(ROUND(RETAIL_PRICE * 100) AS INTEGER) % 100 <> 99"),
            "0");
  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM PRODUCTS WHERE RETAIL_PRICE IS NULL OR CURRENT_COST_PRICE IS NULL"), "0");
  EXPECT_EQ(Value(db, "SELECT MIN(DATE_CREATED) FROM PRODUCTS").left(4), "2019");
  EXPECT_EQ(Value(db, "SELECT COUNT(*) FROM BRANCHSTOCK WHERE PLU NOT IN (SELECT PLU FROM PRODUCTS)"), "0");
  for (const char* ix : {"IX_BRANCHSTOCK_PLU_BRANCH_ID_STOCK_QUANTITY", "IX_PRODUCTS_DESCRIPTION"})
    EXPECT_TRUE(kvschema::ExistingIndexes(db).contains(ix)) << ix;
  EXPECT_EQ(kvschema::StatisticsNeed(db), "");
  EXPECT_EQ(kvschema::RecordedRows(db, "BRANCHSTOCK"), kvschema::ActualRows(db, "BRANCHSTOCK"));
  // New rows get ids after the generated ones (the counters were moved on).
  db.Execute("INSERT INTO BRANCHES (NAME, CODE) VALUES ('NEW', 'NEW')");
  EXPECT_EQ(Value(db, "SELECT ID FROM BRANCHES WHERE NAME = 'NEW'"), "11");
}

TEST_P(CatalogueCacheTest, ABuildRemovesStaleCopiesOfTheSameSize) {
  const QString stale = GetParam() == Engine::SQLite ? "sqlite-" + size.name + "-000000000000"
                                                     : "kvcat_" + size.name + "_000000000000";
  if (GetParam() == Engine::SQLite) QDir(cache.path()).mkpath(stale);
  else kvtest::PgAdminExecute("CREATE DATABASE " + stale);
  const kvcat::CatalogueDb c = kvcat::EnsureCatalogue(GetParam(), size, cache.path());
  ASSERT_TRUE(c.built);
  if (GetParam() == Engine::SQLite) {
    EXPECT_FALSE(QDir(cache.path()).exists(stale));
  } else {
    kvtest::DbHandle h = Open(c);
    EXPECT_EQ(Value(*h.db, "SELECT COUNT(*) FROM pg_database WHERE datname = '" + stale + "'"), "0");
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, CatalogueCacheTest, ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

// The same size gives the same figures on both engines.
class CatalogueBothEngines : public CatalogueCacheTest {};

TEST_P(CatalogueBothEngines, FiguresAreTheSame) {
  const QStringList sql = {
      "SELECT COUNT(*) FROM PRODUCTS", "SELECT CAST(ROUND(SUM(RETAIL_PRICE) * 100) AS INTEGER) FROM PRODUCTS",
      "SELECT COUNT(*) FROM BRANCHSTOCK", "SELECT SUM(STOCK_QUANTITY) FROM BRANCHSTOCK",
      "SELECT SUM(QUANTITY) FROM TRANSACTIONS", "SELECT MAX(PLU) FROM ORDERS",
      "SELECT COUNT(*) FROM PRODUCTS WHERE ECOM_FLAG = true", "SELECT MAX(DATE_CREATED) FROM PRODUCTS",
      "SELECT COUNT(*) FROM SIZES"};
  std::vector<QStringList> figures;
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    kvtest::DbHandle h = Open(kvcat::EnsureCatalogue(e, size, cache.path()));
    QStringList f;
    for (const QString& s : sql) f << Value(*h.db, s);
    figures.push_back(f);
  }
  EXPECT_EQ(figures[0], figures[1]);
}
// Both engines in one test; the parameter only names which one is cleaned up.
INSTANTIATE_TEST_SUITE_P(Engines, CatalogueBothEngines, ::testing::Values(Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
