// The data module after the server dropped its connection (a restart): the
// next connect reconnects, and so does the next statement on its own, so a
// style that exists is still found.
#include "ConnectedModuleTest.h"

#include <QTest>

namespace {

using kvtest::Engine;

class ReconnectDbTest : public fwdbtest::ConnectedModuleTest {
 protected:
  qint64 DropConnection() {
    EXPECT_TRUE(m->RunQuery("SELECT pg_backend_pid() AS PID", m->DBQueryRemote1));
    const qint64 pid = m->DBQueryRemote1->FieldByName("PID").AsInteger();
    Exec("SELECT pg_terminate_backend(" + kdb::sql::Int(pid) + ")");
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m->DBDatabaseRemote->Connected(); }, 5000));
    return pid;
  }
};

TEST_P(ReconnectDbTest, AConnectionTheServerDroppedIsNoticedByTheNextConnect) {
  const qint64 pid = DropConnection();
  const QByteArray before = Log();
  ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  EXPECT_EQ(Log().mid(before.size()),
            "2024-03-05 09:15:30\r\nDB Connecting to: " + facts().host.toUtf8() + "\r\n");
  ASSERT_TRUE(m->RunQuery("SELECT pg_backend_pid() AS PID", m->DBQueryRemote1));
  EXPECT_NE(m->DBQueryRemote1->FieldByName("PID").AsInteger(), pid);
}

TEST_P(ReconnectDbTest, TheNextStatementReconnectsByItselfAndSaysSoInTheLog) {
  Exec("CREATE TABLE rfw_styles (ROOT_PLU VARCHAR(8))");
  Exec("INSERT INTO rfw_styles (ROOT_PLU) VALUES ('00000517')");
  const qint64 pid = DropConnection();
  ASSERT_TRUE(m->RunQuery("SELECT ROOT_PLU, pg_backend_pid() AS PID FROM rfw_styles", m->DBQueryRemote1))
      << m->LastError.toStdString();
  EXPECT_EQ(m->DBQueryRemote1->RecordCount(), 1);
  EXPECT_NE(m->DBQueryRemote1->FieldByName("PID").AsInteger(), pid);
  EXPECT_TRUE(Log().contains("DB Reconnected: ")) << Log().toStdString();
  EXPECT_FALSE(Log().contains("TDMDB::RunQuery"));
}

INSTANTIATE_TEST_SUITE_P(Server, ReconnectDbTest, ::testing::Values(Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
