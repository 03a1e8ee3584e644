// Connecting: the local file (never made by a program), the server over LAN
// and TLS, and failures that must be fast and clear.
#include "DbTestTables.h"
#include "KvTestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>

using namespace kdb;
using kvtest::Engine;
using kvtest::TestDatabase;

namespace {

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

TEST(SqliteConnection, OpensItsFileInWalModeBelowTheDataFolder) {
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

TEST(SqliteConnection, AMissingFileIsAFailedOpenUnlessTheCallerMakesDatabases) {
  TestDatabase td(Engine::SQLite);
  const QString file = td.Facts().dataDir + "DATA.sqlite";
  ASSERT_TRUE(QFile::remove(file));
  Session s;
  Database db;
  TestDatabase::Configure(td.Facts(), s, db);
  try {
    db.Open();
    FAIL() << "a missing database file was opened";
  } catch (const DbError& e) {
    EXPECT_TRUE(e.Message().contains("does not exist")) << e.Message().toStdString();
  }
  EXPECT_FALSE(db.Connected());
  EXPECT_FALSE(QFile::exists(file));  // no empty database left in its place

  ASSERT_TRUE(QDir(td.Facts().dataDir).removeRecursively());
  db.CreateIfMissing = true;  // the schema tool
  db.Open();
  EXPECT_TRUE(QFile::exists(file));
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

// A connection opened ahead is Open's only for the settings it was opened
// with; its failure is then Open's failure, with the same message. So it is
// when another database opened it ahead and handed it over (TakeAhead).
TEST(OpenAhead, OpenTakesItForTheSameSettingsOnlyAndReportsItsFailure) {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    SCOPED_TRACE(kvtest::EngineName(e));
    TestDatabase td(e);
    // Each case: the settings OpenAhead sees, then the ones Open sees.
    const auto spoil = [e](Session& s, Database& d) {
      if (e == Engine::PostgreSQL)
        s.RemotePassword = "wrong";
      else
        d.Directory += "missing/";
    };
    const QString refusal = e == Engine::PostgreSQL ? "password" : "does not exist";
    const auto run = [&](bool spoiledAhead, bool spoiledOpen, bool handedOver) {
      Session s, early;
      Database db, opener;
      TestDatabase::Configure(td.Facts(), s, db);
      TestDatabase::Configure(td.Facts(), early, opener);
      Session& aheadSession = handedOver ? early : s;
      Database& ahead = handedOver ? opener : db;
      const QString password = s.RemotePassword, folder = db.Directory;
      if (spoiledAhead) spoil(aheadSession, ahead);
      ahead.OpenAhead();
      ahead.OpenAhead();  // a second start while one runs does nothing
      if (handedOver) db.TakeAhead(opener);
      s.RemotePassword = password;
      db.Directory = folder;
      if (spoiledOpen) spoil(s, db);
      db.Open();
      Query q(&db);
      q.SQL = "SELECT 41 + 1";
      q.ExecSQL();
      return q.Fields(0).AsInteger();
    };
    for (bool handedOver : {false, true}) {
      SCOPED_TRACE(handedOver ? "handed over" : "own");
      EXPECT_EQ(run(false, false, handedOver), 42);
      EXPECT_EQ(run(true, false, handedOver), 42);  // the spoiled one is not taken: Open opens anew
      for (bool ahead : {false, true}) {
        try {
          run(ahead, true, handedOver);
          ADD_FAILURE() << "opened with spoiled settings (ahead spoiled: " << ahead << ")";
        } catch (const DbError& x) {
          EXPECT_TRUE(x.Message().contains(refusal)) << x.Message().toStdString();
        }
      }
    }
  }
}
