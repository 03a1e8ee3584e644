// The data module on both engines: the single-user edition on local SQLite
// files, the multi-user edition on the test run's PostgreSQL server.
#include "KvFwTestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using kvfwtest::NoWaitWindowLeft;
using kvfwtest::WaitWindowSpy;
using kvtest::ReadAll;

namespace {

class DataModFDbTest : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<TDMDB> m;

  bool Pg() const { return isPg(); }

  void SetUp() override {
    EditionDbTest::SetUp();
    // The live name counts, not the name the file gives.
    PrepareDatabase({}, "DBName=NOT_THIS\n");
    m = Module();
    ASSERT_TRUE(m->Init());
  }
  void TearDown() override {
    m.reset();
    EditionDbTest::TearDown();
  }

  QByteArray LogText() const { return ReadAll(m->LogFileName); }
  // Runs a statement that must succeed.
  void Exec(const QString& sql) { ASSERT_TRUE(m->RunQuery(sql, m->DBQueryRemote2)) << m->LastError.toStdString(); }
};

TEST_P(DataModFDbTest, ConnectShowsTheWaitWindowLogsOnceAndAgainDoesNothing) {
  WaitWindowSpy spy;
  ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  const QByteArray expected = Pg() ? "2024-03-05 09:15:30\r\nDB Connecting to: 127.0.0.1\r\n"
                                   : "2024-03-05 09:15:30\r\nDB Connecting...\r\n";
  EXPECT_TRUE(LogText().endsWith(expected)) << LogText().toStdString();
  EXPECT_EQ(spy.shown, QStringList{Pg() ? "Connecting to Back Office: 127.0.0.1"
                                        : "Connecting to database..."});
  EXPECT_TRUE(NoWaitWindowLeft());
  EXPECT_EQ(m->DBDatabaseRemote->IsPostgres(), Pg());

  const QByteArray before = LogText();
  spy.shown.clear();
  EXPECT_TRUE(m->ConnectRemoteDB(true));
  EXPECT_EQ(LogText(), before);
  EXPECT_TRUE(spy.shown.isEmpty());
  EXPECT_TRUE(boxes.isEmpty());
}

// The connect started ahead while a window is built: nothing logged or shown
// until the connect itself, which then logs and shows as ever.
TEST_P(DataModFDbTest, ConnectAheadIsSilentAndTheConnectTakesItOver) {
  WaitWindowSpy spy;
  const QByteArray before = LogText();
  m->ConnectAhead();
  m->ConnectAhead();
  EXPECT_EQ(LogText(), before);
  EXPECT_TRUE(spy.shown.isEmpty());
  EXPECT_FALSE(m->DBDatabaseRemote->Connected());
  ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  EXPECT_TRUE(LogText().endsWith(Pg() ? "DB Connecting to: 127.0.0.1\r\n" : "DB Connecting...\r\n"))
      << LogText().toStdString();
  EXPECT_EQ(spy.shown.size(), 1);
  Exec("SELECT 1");
  EXPECT_EQ(m->DBDatabaseRemote->IsPostgres(), Pg());
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(DataModFDbTest, TheDatabaseIsChosenByTheEdition) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  if (Pg()) {
    EXPECT_EQ(m->DBDatabaseRemote->RemoteDatabase, facts().database);
    EXPECT_EQ(m->DBSessionRemote->RemoteUser, "Admin");
    EXPECT_EQ(m->DBSessionRemote->RemoteTransport, kdb::Session::RemoteType::LAN);
    Exec("select current_database() as name");
    EXPECT_EQ(m->DBQueryRemote2->FieldByName("name").AsString(), facts().database);
  } else {
    EXPECT_EQ(m->DBDatabaseRemote->Directory, kvtest::SingleUserFolder() + "db/data/");
    EXPECT_TRUE(QFileInfo(kvtest::SingleUserFolder() + "db/data").isDir());
    EXPECT_TRUE(QFileInfo(kvtest::SingleUserFolder() + "db/temp").isDir());
    EXPECT_EQ(m->DBSessionRemote->SessionType, kdb::Session::Type::Local);
  }
}

TEST_P(DataModFDbTest, RunQueryLeavesTheRowsOfASelectOnTheQuery) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  Exec("DROP TABLE IF EXISTS fw_rows");
  Exec("CREATE TABLE fw_rows (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))");
  Exec("INSERT INTO fw_rows (ID, NAME) VALUES (1, 'A'), (2, 'B'), (3, 'C')");
  ASSERT_TRUE(m->RunQuery("SELECT ID, NAME FROM fw_rows WHERE ID > 1 ORDER BY ID", m->DBQueryRemote1));
  EXPECT_EQ(m->DBQueryRemote1->RemoteReadSize, 10);
  EXPECT_EQ(m->DBQueryRemote1->RecordCount(), 2);
  EXPECT_EQ(m->DBQueryRemote1->FieldByName("name").AsString(), "B");
}

TEST_P(DataModFDbTest, AFailedStatementLeavesFourEntriesInOrder) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  const QString sql = "SELECT * FROM fw_no_such_table";
  EXPECT_FALSE(m->RunQuery(sql, m->DBQueryBRules));
  ASSERT_FALSE(m->LastError.isEmpty());
  const QByteArray t = "2024-03-05 09:15:30\r\n";
  const QByteArray message = m->LastError.toUtf8().replace("\n", "\r\n");  // CR LF lines in the log
  const QByteArray expected = "TDMDB::RunQuery\r\n" + t + message + "\r\n\r\n" + t +
                              "Exception SQL:\r\n" + sql.toUtf8() + "\r\n";
  EXPECT_TRUE(LogText().endsWith(expected)) << LogText().toStdString();
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(DataModFDbTest, APostOfTenFieldsIsLoggedAsFourteenLines) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  Exec("DROP TABLE IF EXISTS fw_ten");
  Exec("CREATE TABLE fw_ten (ID INTEGER PRIMARY KEY, NAME VARCHAR(20), QTY INTEGER, "
       "PRICE NUMERIC(19,4), ACTIVE BOOLEAN, F5 VARCHAR(5), F6 VARCHAR(5), F7 VARCHAR(5), "
       "F8 VARCHAR(5), F9 VARCHAR(5))");
  ASSERT_TRUE(m->GetTable("fw_ten", m->DBTableR1)) << m->LastError.toStdString();
  const QByteArray before = LogText();
  m->DBTableR1->Insert();
  m->DBTableR1->FieldByName("ID").SetAsInteger(7);
  m->DBTableR1->FieldByName("NAME").SetAsString("RED");
  m->DBTableR1->FieldByName("QTY").SetAsInteger(3);
  m->DBTableR1->FieldByName("PRICE").SetAsString("12.5");
  m->DBTableR1->FieldByName("ACTIVE").SetAsBoolean(true);
  m->DBTableR1->Post();
  const QByteArray record = LogText().mid(before.size());
  const QList<QByteArray> lines = record.split('\n');
  ASSERT_EQ(lines.size(), 15) << record.toStdString();  // 14 lines and the end of the last
  EXPECT_TRUE(record.endsWith("[=]------end------[=]\r\n"));
  EXPECT_EQ(record.count("\r\n"), 14);
  EXPECT_EQ(lines[0], "\r");
  EXPECT_EQ(lines[1].toLower(), "[x]after post: fw_ten[=]\r");
  EXPECT_EQ(lines[2].toUpper(), "ID=7\r");
  EXPECT_EQ(lines[3].toUpper(), "NAME=RED\r");
  EXPECT_EQ(lines[5].toUpper(), "PRICE=12.5\r");
  EXPECT_EQ(lines[6].toUpper(), "ACTIVE=TRUE\r");
  EXPECT_EQ(lines[7].toUpper(), "F5=\r");
  EXPECT_EQ(lines[12], "2024-03-05 09:15:30\r");

  // A value beyond ASCII, of two lines: UTF-8, CR LF inside it as well.
  const QByteArray second = LogText();
  m->DBTableR1->Insert();
  m->DBTableR1->FieldByName("ID").SetAsInteger(8);
  m->DBTableR1->FieldByName("NAME").SetAsString(QString::fromUtf8("CAF\u00c9\nNOIR"));
  m->DBTableR1->FieldByName("QTY").SetAsInteger(4);
  m->DBTableR1->Post();
  EXPECT_TRUE(LogText().mid(second.size()).toUpper().contains("\r\nID=8\r\nNAME=CAF\xc3\x89\r\nNOIR\r\nQTY=4\r\n"))
      << LogText().mid(second.size()).toStdString();
}

TEST_P(DataModFDbTest, TheSharedPostHandlerNamesTheTablePosted) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  for (const char* t : {"fw_two", "fw_three"}) {
    Exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(t));
    Exec(QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY, NAME VARCHAR(20))").arg(t));
  }
  ASSERT_TRUE(m->GetTable("fw_two", m->DBTableRemote2));
  ASSERT_TRUE(m->GetTable("fw_three", m->DBTableRemote3));
  m->DBTableRemote3->Append();
  m->DBTableRemote3->FieldByName("ID").SetAsInteger(1);
  m->DBTableRemote3->Post();
  EXPECT_TRUE(LogText().toLower().contains("[x]after post: fw_three[=]\r\nid=1\r\n"));
  EXPECT_FALSE(LogText().toLower().contains("fw_two"));
  m->CloseTable(m->DBTableRemote3);
  EXPECT_FALSE(m->DBTableRemote3->Active());
}

TEST_P(DataModFDbTest, AMissingTableIsLoggedAndReportedByFalse) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  EXPECT_FALSE(m->GetTable("fw_missing_table", m->DBTableR1));
  EXPECT_TRUE(LogText().contains("TDMDB::GetTable\r\n2024-03-05 09:15:30\r\n"));
  EXPECT_FALSE(m->DBTableR1->Active());
}

TEST_P(DataModFDbTest, DisconnectAndReconnect) {
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  ASSERT_TRUE(m->RunQuery("SELECT 1 AS ONE", m->DBQueryRemote3));
  EXPECT_TRUE(m->DisconnectRemoteDB());
  EXPECT_FALSE(m->DBDatabaseRemote->Connected());
  EXPECT_FALSE(m->DBSessionRemote->Active());
  EXPECT_FALSE(m->DBQueryRemote3->Active());
  EXPECT_FALSE(m->RunQuery("SELECT 1 AS ONE", m->DBQueryRemote3));
  ASSERT_TRUE(m->ConnectRemoteDB(false));
  EXPECT_TRUE(m->RunQuery("SELECT 1 AS ONE", m->DBQueryRemote3));
  EXPECT_EQ(m->DBQueryRemote3->FieldByName("ONE").AsInteger(), 1);
}

KV_DB_ENGINES(DataModFDbTest);

// ----- the multi-user edition's connection failures and transports --------------

// A loopback port where nothing listens.
int ClosedPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(fd);
  return ntohs(a.sin_port);
}

class ServerConnectTest : public kvfwtest::ModuleTest<> {
 protected:
  void TearDown() override {
    qunsetenv("TESSARIN_DB_PORT");
    ModuleTest::TearDown();
  }
};

// Only dbsetup makes a database: a single-user program that finds none
// fails to connect (and logs why) instead of working on an empty one.
TEST_F(ServerConnectTest, TheSingleUserConnectFailsWithoutItsDatabaseFile) {
  SingleUserEdition();
  const QString file = kvtest::SingleUserFolder() + "db/data/DATA.sqlite";
  ASSERT_TRUE(QFile::remove(file));
  auto m = Module();
  ASSERT_TRUE(m->Init());
  EXPECT_FALSE(m->ConnectRemoteDB(false));
  EXPECT_FALSE(QFileInfo::exists(file));
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("DB Connecting...\r\nTDMDB::ConnectDBQSMode\r\n")) << log.toStdString();
  EXPECT_TRUE(m->LastError.contains("does not exist")) << m->LastError.toStdString();
  EXPECT_TRUE(boxes.isEmpty());
  EXPECT_FALSE(m->ConnectRemoteDB(true));
  EXPECT_EQ(boxes, QStringList{"TDMDB::ConnectDBQSMode " + m->LastError});
  EXPECT_TRUE(NoWaitWindowLeft());
}

TEST_F(ServerConnectTest, AClosedPortFailsFastAndIsLogged) {
  qputenv("TESSARIN_DB_PORT", QByteArray::number(ClosedPort()));
  WriteSettings("[Database]\nDBHost=127.0.0.1\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  QElapsedTimer timer;
  timer.start();
  EXPECT_FALSE(m->ConnectRemoteDB(true));
  // A refused connection is an answer: no waiting for the connect time-out.
  EXPECT_LT(timer.elapsed(), 1000 * m->DBSessionRemote->ConnectTimeoutSeconds);
  EXPECT_FALSE(m->LastError.isEmpty());
  const QByteArray log = ReadAll(m->LogFileName);
  EXPECT_TRUE(log.contains("DB Connecting to: 127.0.0.1\r\nTDMDB::ConnectRemoteDB\r\n2024-03-05 09:15:30\r\n" +
                           m->LastError.toUtf8().replace("\n", "\r\n") + "\r\n\r\n"))
      << log.toStdString();
  EXPECT_EQ(boxes, QStringList{"TDMDB::ConnectRemoteDB " + m->LastError});
  EXPECT_TRUE(NoWaitWindowLeft());

  boxes.clear();
  EXPECT_FALSE(m->ConnectRemoteDB(false));  // silent for the user
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_F(ServerConnectTest, InternetUsesTheEncryptedTransport) {
  const kvtest::TestDatabase server(kvtest::Engine::PostgreSQL);
  qputenv("TESSARIN_DB_PORT", QByteArray::number(server.Facts().port));
  qputenv("TESSARIN_DB_SSLROOTCERT", server.Facts().sslRootCert.toUtf8());
  WriteSettings("[Database]\nDBHost=127.0.0.1\nDBUseInternet=1\nDBLiveName=" +
                server.Facts().database.toUtf8() + "\n");
  auto m = Module();
  ASSERT_TRUE(m->Init());
  const bool connected = m->ConnectRemoteDB(false);
  qunsetenv("TESSARIN_DB_SSLROOTCERT");
  ASSERT_TRUE(connected) << m->LastError.toStdString();
  EXPECT_EQ(m->DBSessionRemote->RemoteTransport, kdb::Session::RemoteType::Internet);
  ASSERT_TRUE(m->RunQuery("SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()", m->DBQueryRemote1));
  EXPECT_TRUE(m->DBQueryRemote1->FieldByName("ssl").AsBoolean());
}

TEST_F(ServerConnectTest, QueryProgressLetsPendingEventsRunAndNeverAborts) {
  auto m = Module();
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  bool abort = true;
  m->DBQueryRemote1->OnQueryProgress(50, abort);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(abort);
  EXPECT_TRUE(static_cast<bool>(m->DBQueryBRules->OnQueryProgress));
  EXPECT_FALSE(static_cast<bool>(m->DBQueryRemote2->OnQueryProgress));
  // A wait for a table lock lets the wait window paint the same way.
  ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  abort = true;
  ASSERT_TRUE(static_cast<bool>(m->DBDatabaseRemote->OnLockWait));
  m->DBDatabaseRemote->OnLockWait(0, abort);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(abort);
}

}  // namespace
