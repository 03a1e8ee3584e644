// The data module's connection on both engines: the query-progress pump, the
// session's lock wait, and a server connection that went away.
#include "KvFwTestSupport.h"

#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

using kvtest::Engine;

namespace {

class ReviewFwDbTest : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<TDMDB> m;

  void SetUp() override {
    EditionDbTest::SetUp();
    PrepareDatabase();
    m = Module();
    ASSERT_TRUE(m->Init());
    ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  }
  void TearDown() override {
    m.reset();
    EditionDbTest::TearDown();
  }

  // A statement that keeps the engine busy for a few hundred milliseconds.
  QString Slow() const {
    return isPg() ? "SELECT pg_sleep(0.3) AS X"
                  : "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                    " WHERE x < 1000000) SELECT COUNT(*) AS X FROM c";
  }
};

// Whether a timer due at once could fire while the statement ran.
bool EventsRanDuring(TDMDB& m, kdb::Query* q, const QString& sql) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  const bool ok = m.RunQuery(sql, q);
  const bool during = ran;
  QCoreApplication::processEvents();  // the timer of a query that did not pump
  EXPECT_TRUE(ok) << m.LastError.toStdString();
  EXPECT_TRUE(ran);
  return during;
}

TEST_P(ReviewFwDbTest, LongQueriesOfTheProgressQueriesLetWindowEventsRun) {
  EXPECT_TRUE(EventsRanDuring(*m, m->DBQueryRemote1, Slow()));
  EXPECT_TRUE(EventsRanDuring(*m, m->DBQueryBRules, Slow()));
  EXPECT_FALSE(EventsRanDuring(*m, m->DBQueryRemote2, Slow()));
  EXPECT_EQ(m->DBQueryRemote1->RecordCount(), 1);
}

TEST_P(ReviewFwDbTest, ARowInEditElsewhereMakesEditWaitTheLockTimeThenFail) {
  EXPECT_EQ(m->DBSessionRemote->LockRetryCount, 15);
  EXPECT_EQ(m->DBSessionRemote->LockWaitTime, 100);
  Exec("CREATE TABLE rfw_lock (ID INTEGER PRIMARY KEY, QTY INTEGER)");
  Exec("INSERT INTO rfw_lock (ID, QTY) VALUES (1, 0)");
  kdb::Table theirs(&db());  // another program holds the row
  theirs.TableName = "rfw_lock";
  theirs.Open();
  theirs.Edit();

  ASSERT_TRUE(m->GetTable("rfw_lock", m->DBTableR1)) << m->LastError.toStdString();
  QElapsedTimer waited;
  waited.start();
  EXPECT_THROW(m->DBTableR1->Edit(), kdb::DbError);
  // Fifteen retries 100 ms apart before giving up, and never a hang.
  EXPECT_GE(waited.elapsed(), 1300);
  EXPECT_LT(waited.elapsed(), 15000);

  theirs.FieldByName("QTY").SetAsInteger(4);
  theirs.Post();
  ASSERT_TRUE(m->DBTableR1->FindKey({1}));
  m->DBTableR1->Edit();  // free again: starts from the posted change
  EXPECT_EQ(m->DBTableR1->FieldByName("QTY").AsInteger(), 4);
  m->DBTableR1->Cancel();
}

KV_DB_ENGINES(ReviewFwDbTest);

class ReviewFwServerTest : public ReviewFwDbTest {};

TEST_P(ReviewFwServerTest, AConnectionTheServerDroppedIsNoticedByTheNextConnect) {
  ASSERT_TRUE(m->RunQuery("SELECT pg_backend_pid() AS PID", m->DBQueryRemote1));
  const qint64 pid = m->DBQueryRemote1->FieldByName("PID").AsInteger();
  Exec("SELECT pg_terminate_backend(" + kdb::sql::Int(pid) + ")");
  ASSERT_TRUE(QTest::qWaitFor([&] { return !m->DBDatabaseRemote->Connected(); }, 5000));

  const QByteArray before = kvtest::ReadAll(m->LogFileName);
  ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  EXPECT_EQ(kvtest::ReadAll(m->LogFileName).mid(before.size()),
            "2024-03-05 09:15:30\r\nDB Connecting to: " + facts().host.toUtf8() + "\r\n");
  ASSERT_TRUE(m->RunQuery("SELECT pg_backend_pid() AS PID", m->DBQueryRemote1));
  EXPECT_NE(m->DBQueryRemote1->FieldByName("PID").AsInteger(), pid);
}

INSTANTIATE_TEST_SUITE_P(Server, ReviewFwServerTest, ::testing::Values(Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
