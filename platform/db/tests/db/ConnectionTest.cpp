// Connecting: the local file, the server over LAN and TLS, failures that must
// be fast and clear, and a connection lost under a running program.
#include "DbTestTables.h"
#include "KvTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <unistd.h>

using namespace kdb;
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

int Probe(Database& db) { return dbtest::Count(db, "SELECT 1 + 1"); }

// Connects a fresh session with the facts changed by `tweak`.
template <class F>
kvtest::DbHandle ConnectWith(const kvtest::DbFacts& facts, F tweak) {
  kvtest::DbHandle h{std::make_unique<Session>(), std::make_unique<Database>()};
  TestDatabase::Configure(facts, *h.session, *h.db);
  tweak(*h.session);
  h.db->Open();
  return h;
}

bool UsesTls(Database& db) {
  Query q(&db);
  q.SQL = "SELECT ssl FROM pg_stat_ssl WHERE pid = pg_backend_pid()";
  q.ExecSQL();
  return q.Fields(0).AsBoolean();
}

}  // namespace

TEST(SqliteConnection, CreatesItsFileInWalModeBelowTheDataFolder) {
  TestDatabase td(Engine::SQLite);
  auto h = td.Connect();
  EXPECT_TRUE(QFile::exists(td.Facts().dataDir + "DATA.sqlite"));
  EXPECT_TRUE(QDir(td.Facts().tempDir).exists());
  Query q(h.db.get());
  q.SQL = "PRAGMA journal_mode";
  q.ExecSQL();
  EXPECT_EQ(q.Fields(0).AsString().toLower(), "wal");
  EXPECT_TRUE(h.db->Connected());
  h.session->DropConnections();
  EXPECT_FALSE(h.db->Connected());
}

TEST(SqliteConnection, CorruptFileGivesDbError) {
  TestDatabase td(Engine::SQLite);
  QDir().mkpath(td.Facts().dataDir);
  QFile f(td.Facts().dataDir + "DATA.sqlite");
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(8192, 'x'));
  f.close();
  try {
    td.Connect();
    FAIL() << "a garbage file opened as a database";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.Message().contains("not a database")) << e.Message().toStdString();
  }
}

TEST(PgConnection, DroppedConnectionIsNoticedAndReconnects) {
  TestDatabase td(Engine::PostgreSQL);
  auto h = td.Connect();
  const int pid = dbtest::Count(*h.db, "SELECT pg_backend_pid()");
  EXPECT_TRUE(h.db->Connected());
  kvtest::PgAdminExecute("SELECT pg_terminate_backend(" + sql::Int(pid) + ")");
  EXPECT_TRUE(NoticesLoss(*h.db));
  EXPECT_THROW(Probe(*h.db), DbError);
  h.db->Open();
  EXPECT_EQ(Probe(*h.db), 2);
}

TEST(PgConnection, WrongPasswordClosedPortAndDeadHostFailFast) {
  TestDatabase td(Engine::PostgreSQL);
  try {
    ConnectWith(td.Facts(), [](Session& s) { s.RemotePassword = "wrong"; });
    FAIL() << "connected with a wrong password";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.Message().contains("password")) << e.Message().toStdString();
  }
  EXPECT_THROW(ConnectWith(td.Facts(), [](Session& s) { s.RemotePort = 1; }), DbError);

  QElapsedTimer timer;
  timer.start();
  EXPECT_THROW(ConnectWith(td.Facts(),
                           [](Session& s) {
                             s.RemoteHost = "10.255.255.1";  // routes nowhere
                             s.ConnectTimeoutSeconds = 1;
                           }),
               DbError);
  EXPECT_LT(timer.elapsed(), 10000);  // bounded by the connect timeout, not the OS's minutes
}

TEST(PgConnection, InternetTransportRequiresTlsAndVerifiesTheServer) {
  TestDatabase td(Engine::PostgreSQL);
  ASSERT_FALSE(td.Facts().sslRootCert.isEmpty());
  auto verified = ConnectWith(td.Facts(), [&](Session& s) {
    s.RemoteTransport = Session::RemoteType::Internet;
    s.RemoteSslRootCert = td.Facts().sslRootCert;
  });
  EXPECT_TRUE(UsesTls(*verified.db));
  auto encrypted = ConnectWith(td.Facts(), [](Session& s) { s.RemoteTransport = Session::RemoteType::Internet; });
  EXPECT_TRUE(UsesTls(*encrypted.db));
  // A server whose certificate the given authority did not sign is refused.
  EXPECT_THROW(ConnectWith(td.Facts(),
                           [](Session& s) {
                             s.RemoteTransport = Session::RemoteType::Internet;
                             s.RemoteSslRootCert = "/etc/ssl/certs/ca-certificates.crt";
                           }),
               DbError);
}

// A private server, so stopping it does not disturb the tests running beside.
class PrivateServer {
 public:
  PrivateServer() : state_(kvtest::TempRoot() + "/private-pg.env") {
    Script("start");
    QFile f(state_);
    if (!f.open(QIODevice::ReadOnly)) return;
    for (const QByteArray& line : f.readAll().split('\n')) {
      const int eq = line.indexOf('=');
      if (eq > 0) vars_[QString(line.left(eq))] = QString(line.mid(eq + 1));
    }
  }
  ~PrivateServer() { Script("stop"); }

  int Port() const { return vars_.value("PGPORT").toInt(); }
  bool Stop() { return PgCtl({"-m", "fast", "-w", "stop"}); }
  bool Start() {
    return PgCtl({"-o", "-p " + vars_.value("PGPORT"), "-l", vars_.value("PGSOCKETDIR") + "/server.log", "-w",
                  "start"});
  }

 private:
  QString state_;
  QMap<QString, QString> vars_;

  void Script(const QString& cmd) {
    QProcess::execute(qEnvironmentVariable("KV_SOURCE_DIR") + "/tests/support/pgtest.sh", {cmd, state_});
  }
  // postgres refuses to run as root: then it runs as the postgres user.
  bool PgCtl(QStringList args) {
    args = QStringList{"/usr/lib/postgresql/15/bin/pg_ctl", "-D", vars_.value("PGDATADIR")} + args;
    if (geteuid() == 0) args = QStringList{"-u", "postgres", "--"} + args;
    const QString program = args.takeFirst();
    return QProcess::execute(geteuid() == 0 ? "runuser" : program, geteuid() == 0 ? QStringList{program} + args : args) == 0;
  }
};

TEST(PgConnection, ServerStoppedDuringARunAndBackAgain) {
  PrivateServer server;
  ASSERT_GT(server.Port(), 0) << "the private server did not start";
  kvtest::DbFacts facts;
  facts.engine = Engine::PostgreSQL;
  facts.host = "127.0.0.1";
  facts.port = server.Port();
  facts.database = "postgres";
  auto h = ConnectWith(facts, [](Session&) {});
  EXPECT_EQ(Probe(*h.db), 2);

  ASSERT_TRUE(server.Stop());
  EXPECT_TRUE(NoticesLoss(*h.db));
  EXPECT_THROW(Probe(*h.db), DbError);
  EXPECT_THROW(h.db->Open(), DbError);  // nobody listening: fails at once

  ASSERT_TRUE(server.Start());
  h.db->Open();
  EXPECT_TRUE(h.db->Connected());
  EXPECT_EQ(Probe(*h.db), 2);
}
