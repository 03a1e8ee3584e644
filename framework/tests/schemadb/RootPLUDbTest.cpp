// Root PLUs numbered by season and sub-department, on both engines.
#include "FwDbFixture.h"
#include "KvTransaction.h"

namespace {

class RootPLUDbTest : public fwdbtest::FwDbTest {
 protected:
  void SetUp() override {
    FwDbTest::SetUp();
    if (HasFatalFailure()) return;
    ExecWithIds("INSERT INTO PARAMETERS (ID, NAME, TYPE, EXTRA) VALUES "
                "(1, 'WINTER', 'SEASON', 'W'), (2, 'JACKETS', 'SUBDEPARTMENT', 'JK'), "
                "(3, 'ODD', 'SEASON', '-'), (4, 'ANY', 'SUBDEPARTMENT', 'A'), "
                "(5, 'JK AS SEASON', 'SEASON', 'JK')");
  }
  void Store(const QStringList& rootPlus) {
    for (const QString& r : rootPlus)
      Exec("INSERT INTO PRODUCTS (ROOT_PLU, PLU) VALUES ('" + r + "', '" + r + "00')");
  }
  QString Next(const QString& season = "1", const QString& subDept = "2") {
    return m->BRGetSeasonSubDeptRootPLU(season, subDept);
  }
};

TEST_P(RootPLUDbTest, SerialsStartAtOneAndContinueInHexadecimal) {
  EXPECT_EQ(Next(), "WJK00001");
  Store({"WJK00009", "WJK0000F", "WJJFFFFF", "XJK00020"});
  EXPECT_EQ(Next(), "WJK00010");
  EXPECT_FALSE(LogText().contains("TDMDB::BRGetSeasonSubDeptRootPLU"));
}

TEST_P(RootPLUDbTest, OddCodesFallBackToZeros) {
  EXPECT_EQ(Next("3", "4"), "0A000001");
  EXPECT_EQ(Next("99", "98"), "00000001");  // no such rows
  EXPECT_EQ(Next("2", "2"), "0JK00001");    // a sub-department is no season
}

TEST_P(RootPLUDbTest, TakenCandidatesAreSkippedUpToTen) {
  // A tail that is no hexadecimal number restarts the serial at 0.
  Store({"WJKZZZZZ", "WJK00000", "WJK00001", "WJK00002"});
  EXPECT_EQ(Next(), "WJK00003");
  EXPECT_TRUE(LogText().contains("TDMDB::BRGetSeasonSubDeptRootPLU\r\n"));
  Store({"WJK00003", "WJK00004", "WJK00005", "WJK00006", "WJK00007", "WJK00008", "WJK00009"});
  EXPECT_EQ(Next(), "");
}

TEST_P(RootPLUDbTest, NoRootPLUIsLongerThanEightCharacters) {
  Store({"WJKFFFFE"});
  EXPECT_EQ(Next(), "WJKFFFFF");
  Store({"WJKFFFFF"});
  EXPECT_EQ(Next(), "");
  // A stored tail past the five digits gives nothing either.
  Exec("DELETE FROM PRODUCTS");
  Store({"WJK123456"});
  EXPECT_EQ(Next(), "");
}

TEST_P(RootPLUDbTest, AFailedCodeLookUpReachesTheCaller) {
  EXPECT_THROW(Next("1 OR 1=1", "2"), kdb::DbError);
  Exec("DROP TABLE PRODUCTS");
  EXPECT_EQ(Next(), "");  // no free test can pass without the table
}

// Inside a save: look-ups that fail (here every one of them, the column
// being gone) are each only a failed look-up; the save itself goes on.
TEST_P(RootPLUDbTest, FailedLookUpsInsideASaveLeaveTheSaveUsable) {
  kdb::Transaction save(*m->DBDatabaseRemote, kdb::Transaction::AllOrNothing);
  ASSERT_TRUE(m->RunQuery("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('BEFORE', 'COLOUR')", m->DBQueryRemote2));
  ASSERT_TRUE(m->RunQuery("ALTER TABLE PRODUCTS RENAME COLUMN ROOT_PLU TO OLD_ROOT_PLU", m->DBQueryRemote2));
  EXPECT_EQ(Next(), "");
  EXPECT_TRUE(LogText().contains("TDMDB::BRGetSeasonSubDeptRootPLU\r\n"));
  ASSERT_TRUE(m->RunQuery("INSERT INTO PARAMETERS (NAME, TYPE) VALUES ('AFTER', 'COLOUR')", m->DBQueryRemote2))
      << m->LastError.toStdString();
  save.Commit();
  EXPECT_EQ(Column("SELECT NAME FROM PARAMETERS WHERE TYPE = 'COLOUR' ORDER BY NAME"),
            QStringList({"AFTER", "BEFORE"}));
}

KV_DB_ENGINES(RootPLUDbTest);

}  // namespace
