// The planner statistics: gathered when a table with rows has none or when
// they are far off its size, left alone when they fit; and what dbsetup says.
#include <gtest/gtest.h>

#include <QTextStream>

#include "DbSetupClass.h"
#include "KvDbTestSupport.h"
#include "SchemaClass.h"
#include "StatisticsClass.h"

namespace {

class StatisticsTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    kvtest::DbTest::SetUp();
    kvschema::CreateSchema(db());
  }
  void AddStock(int from, int to) {
    QStringList rows;
    for (int i = from; i < to; ++i)
      rows << QString("('%1', '%2', 1, %3)").arg(i, 10, 10, QChar('0')).arg(i / 10, 8, 10, QChar('0')).arg(i % 7);
    db().Execute("INSERT INTO BRANCHSTOCK (PLU, ROOT_PLU, BRANCH_ID, STOCK_QUANTITY) VALUES " + rows.join(", "));
  }
};

TEST_P(StatisticsTest, AnEmptyDatabaseNeedsNone) {
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "");
  EXPECT_EQ(kvschema::UpdateStatistics(db(), true), "");
}

TEST_P(StatisticsTest, MissingThenFittingThenStale) {
  AddStock(0, 40);
  EXPECT_EQ(kvschema::RecordedRows(db(), "BRANCHSTOCK"), -1);
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "no statistics for BRANCHSTOCK");
  EXPECT_EQ(kvschema::UpdateStatistics(db(), false), "no statistics for BRANCHSTOCK");
  EXPECT_EQ(kvschema::RecordedRows(db(), "BRANCHSTOCK"), 40);
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "");
  EXPECT_EQ(kvschema::UpdateStatistics(db(), false), "");

  AddStock(40, 60);  // half as many again: still close enough
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "");
  AddStock(60, 200);  // five times the recorded size
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "statistics of BRANCHSTOCK record 40 rows, it holds 200");
  kvschema::UpdateStatistics(db(), false);
  EXPECT_EQ(kvschema::RecordedRows(db(), "BRANCHSTOCK"), 200);
  // New indexes want fresh statistics even when the old ones fit.
  EXPECT_EQ(kvschema::UpdateStatistics(db(), true), "new indexes");
}

TEST_P(StatisticsTest, TheReportIndexesAreThere) {
  const QStringList have = kvschema::ExistingIndexes(db());
  for (const char* ix : {"IX_BRANCHSTOCK_PLU_BRANCH_ID_STOCK_QUANTITY", "IX_BRANCHSTOCK_ROOT_PLU_BRANCH_ID_PLU_STOCK_QUANTITY",
                         "IX_PRODUCTS_DESCRIPTION", "IX_PRODUCTS_SUPPLIER_NAME", "IX_TRANSACTIONS_FULL_PLU_STRING_DATE"})
    EXPECT_TRUE(have.contains(ix)) << ix;
}

TEST_P(StatisticsTest, APartialIndexDoesNotStandForItsTable) {
  // Three products, one of them on the website: the website index holds one row.
  for (const char* row : {"'00000001', '0000000100', true", "'00000002', '0000000200', false",
                          "'00000003', '0000000300', false"})
    db().Execute(QString("INSERT INTO PRODUCTS (ROOT_PLU, PLU, ECOM_FLAG) VALUES (") + row + ")");
  kvschema::UpdateStatistics(db(), true);
  EXPECT_EQ(kvschema::RecordedRows(db(), "PRODUCTS"), 3);
  EXPECT_EQ(kvschema::StatisticsNeed(db()), "");
}

KV_DB_ENGINES(StatisticsTest);

// dbsetup on a shop's single-user database gathers them once, then not again.
TEST(DbSetupStatistics, GatheredWhenMissingAndOnlyThen) {
  kvtest::TestDatabase local(kvtest::Engine::SQLite);
  const QString folder = local.Facts().localDataFolder;
  auto run = [&] {
    QString out, err;
    QTextStream o(&out), e(&err);
    EXPECT_EQ(kvschema::RunDbSetup({"--local", folder, "--starter"}, o, e), 0) << err.toStdString();
    o.flush();
    return out;
  };
  EXPECT_TRUE(run().contains("Statistics gathered (no statistics for PARAMETERS)"));
  const QString second = run();
  EXPECT_FALSE(second.contains("Statistics")) << second.toStdString();
}

}  // namespace
