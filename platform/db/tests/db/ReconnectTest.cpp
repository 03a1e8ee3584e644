// A connection lost under a running program: the server closing it, a server
// restart, a line that stalls. Reads go on after one reconnect; a write cut
// off is reported and never repeated; a unit of work that lost its
// connection saves nothing. Staged with a second connection (the test run's
// superuser) or the test's own server.
#include "DbTestTables.h"
#include "KvTransaction.h"
#include "NetworkFaults.h"

#include <QElapsedTimer>
#include <QThread>

#include <thread>

using namespace kdb;
using dbtest::Count;
using kvtest::Engine;
using kvtest::TestDatabase;

namespace {

// Waits (briefly) until the database notices that its server is gone.
bool NoticesLoss(Database& db) {
  for (int k = 0; k < 250; ++k) {
    if (!db.Connected()) return true;
    QThread::msleep(20);
  }
  return false;
}

int BackendPid(Database& db) { return Count(db, "SELECT pg_backend_pid()"); }

void Terminate(int pid) { kvtest::PgAdminExecute("SELECT pg_terminate_backend(" + sql::Int(pid) + ")"); }

// Terminates the backend `afterMs` from now, while the caller runs a statement.
std::thread TerminateLater(int pid, int afterMs) {
  return std::thread([=] {
    QThread::msleep(afterMs);
    Terminate(pid);
  });
}

class PgReconnect : public ::testing::Test {
 protected:
  TestDatabase td{Engine::PostgreSQL};
  kvtest::DbHandle h = td.Connect();
  QStringList reconnects;

  void SetUp() override {
    h.db->OnReconnect = [this](const QString& why) { reconnects << why; };
    dbtest::CreateItems(*h.db);
  }
  Database& db() { return *h.db; }
};

}  // namespace

TEST_F(PgReconnect, ADroppedConnectionIsOpenedAgainBeforeTheNextStatement) {
  const int pid = BackendPid(db());
  Terminate(pid);
  ASSERT_TRUE(NoticesLoss(db()));
  EXPECT_NE(BackendPid(db()), pid);
  EXPECT_EQ(reconnects.size(), 1);
  EXPECT_TRUE(db().Connected());
}

TEST_F(PgReconnect, ASelectCutOffWhileRunningRunsOnceMoreOnANewConnection) {
  std::thread cut = TerminateLater(BackendPid(db()), 300);
  Query q(&db());
  q.SQL = "SELECT 7 AS N FROM (SELECT pg_sleep(1)) AS w";
  q.ExecSQL();
  cut.join();
  ASSERT_EQ(q.RecordCount(), 1);
  EXPECT_EQ(q.FieldByName("N").AsInteger(), 7);
  EXPECT_EQ(reconnects.size(), 1);
}

TEST_F(PgReconnect, AWriteCutOffWhileRunningIsReportedAndNotRepeated) {
  db().Execute("INSERT INTO ITEMS (NAME, QTY) VALUES ('row', 0)");
  std::thread cut = TerminateLater(BackendPid(db()), 300);
  EXPECT_THROW(db().Execute("UPDATE ITEMS SET QTY = QTY + 1 FROM (SELECT pg_sleep(1)) AS w"), DbError);
  cut.join();
  EXPECT_TRUE(reconnects.isEmpty());  // not retried on the spot
  EXPECT_EQ(Count(db(), "SELECT QTY FROM ITEMS"), 0);
  EXPECT_EQ(reconnects.size(), 1);  // the next statement reconnected
}

TEST_F(PgReconnect, AUnitOfWorkThatLostItsConnectionSavesNothing) {
  {
    Transaction tx(db());
    db().Execute("INSERT INTO ITEMS (NAME) VALUES ('first')");
    Terminate(BackendPid(db()));
    Table t(&db());
    t.TableName = "ITEMS";
    try {
      t.Open();
      t.Append();
      t.FieldByName("NAME").SetAsString("second");
      t.Post();
      FAIL() << "a write of a lost unit of work went through";
    } catch (const DbError& e) {
      EXPECT_TRUE(e.Message().contains("not saved")) << e.Message().toStdString();
    }
    // Not on a new connection of its own: that would write half the unit.
    EXPECT_THROW(db().Execute("INSERT INTO ITEMS (NAME) VALUES ('third')"), DbError);
    EXPECT_THROW(tx.Commit(), DbError);
  }
  EXPECT_FALSE(db().InTransaction());
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 0);
  EXPECT_EQ(reconnects.size(), 1);
}

TEST(PgServerRestart, TheFirstStatementAfterTheRestartReconnects) {
  dbtest::PrivateServer server;
  ASSERT_GT(server.Port(), 0) << "the private server did not start";
  kvtest::DbFacts facts;
  facts.engine = Engine::PostgreSQL;
  facts.host = "127.0.0.1";
  facts.port = server.Port();
  facts.database = "postgres";
  Session s;
  Database db;
  TestDatabase::Configure(facts, s, db);
  db.Open();
  EXPECT_EQ(Count(db, "SELECT 1 + 1"), 2);

  ASSERT_TRUE(server.Stop());
  EXPECT_TRUE(NoticesLoss(db));
  EXPECT_THROW(Count(db, "SELECT 1 + 1"), DbError);  // nobody listening: fails at once

  ASSERT_TRUE(server.Start());
  EXPECT_EQ(Count(db, "SELECT 1 + 1"), 2);
  EXPECT_TRUE(db.Connected());
}

TEST(PgStalledLine, ASaveGivesUpAfterTheWriteTimeOutAndTheProgramGoesOn) {
  TestDatabase td(Engine::PostgreSQL);
  dbtest::StallRelay relay(td.Facts().port);
  kvtest::DbFacts facts = td.Facts();
  facts.port = relay.Port();
  Session s;
  Database db;
  TestDatabase::Configure(facts, s, db);
  s.WriteTimeoutSeconds = 2;
  db.Open();
  dbtest::CreateItems(db);

  QElapsedTimer waited;
  {
    Transaction tx(db);
    db.Execute("INSERT INTO ITEMS (NAME) VALUES ('first')");
    relay.Stall(true);
    waited.start();
    EXPECT_THROW(db.Execute("INSERT INTO ITEMS (NAME) VALUES ('second')"), DbError);
    EXPECT_GE(waited.elapsed(), 1500);
    EXPECT_LT(waited.elapsed(), 8000);
    EXPECT_THROW(tx.Commit(), DbError);
  }
  relay.Stall(false);
  // The line is back: the next statement runs on a new connection and finds
  // nothing of the unit that was given up.
  EXPECT_EQ(Count(db, "SELECT COUNT(*) FROM ITEMS"), 0);
}
