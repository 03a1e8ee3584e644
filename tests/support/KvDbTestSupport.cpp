#include "KvDbTestSupport.h"

#include "KvTestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>

namespace kvtest {

namespace {

PgServer RequirePgServer() {
  const PgServer s = TestPgServer();
  if (!s.valid())
    throw kdb::DbError("The PostgreSQL test server is not running (no state file at KV_PG_STATE)");
  return s;
}

// Unique across the parallel test processes of a run and across runs.
QString UniqueDatabaseName() {
  static std::atomic<int> counter{0};
  return QString("kvt_%1_%2_%3")
      .arg(QCoreApplication::applicationPid())
      .arg(++counter)
      .arg(QRandomGenerator::global()->generate() & 0xffffff, 6, 16, QChar('0'));
}

DbFacts PgFacts(const PgServer& s, const QString& database) {
  DbFacts f;
  f.engine = Engine::PostgreSQL;
  f.host = s.host;
  f.port = s.port;
  f.database = database;
  f.sslRootCert = s.sslRootCert;
  return f;
}

}  // namespace

std::string EngineName(Engine e) { return e == Engine::SQLite ? "SQLite" : "PostgreSQL"; }

void PgAdminExecute(const QString& statement) {
  const DbFacts admin = PgFacts(RequirePgServer(), "postgres");
  kdb::Session s;
  kdb::Database db;
  TestDatabase::Configure(admin, s, db);
  db.Open();
  db.Execute(statement);
}

TestDatabase::TestDatabase(Engine e) : TestDatabase(e, QString()) {}

TestDatabase::TestDatabase(Engine e, const QString& settingsFolder) {
  if (e == Engine::PostgreSQL) {
    const QString name = UniqueDatabaseName();
    PgAdminExecute("CREATE DATABASE " + name + " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'");
    facts_ = PgFacts(RequirePgServer(), name);
    return;
  }
  QString folder = settingsFolder;
  if (folder.isEmpty()) {
    const QString root = TempRoot().isEmpty() ? QDir::tempPath() : TempRoot();
    dir_ = std::make_unique<QTemporaryDir>(root + "/kvdb-XXXXXX");
    if (!dir_->isValid()) throw kdb::DbError("Cannot create a temporary folder below " + root);
    folder = dir_->path() + "/";
  }
  facts_.engine = Engine::SQLite;
  facts_.localDataFolder = folder;
  facts_.dataDir = facts_.localDataFolder + "db/data/";
  facts_.tempDir = facts_.localDataFolder + "db/temp/";
  // The empty database file, made the way dbsetup makes it (the programs
  // never create one).
  kdb::Session s;
  kdb::Database db;
  Configure(facts_, s, db);
  db.CreateIfMissing = true;
  db.Open();
}

TestDatabase::~TestDatabase() {
  if (facts_.engine != Engine::PostgreSQL || facts_.database.isEmpty()) return;
  try {
    PgAdminExecute("DROP DATABASE IF EXISTS " + facts_.database + " WITH (FORCE)");
  } catch (const kdb::DbError& e) {
    ADD_FAILURE() << "Dropping test database " << facts_.database.toStdString() << ": "
                  << e.Message().toStdString();
  }
}

QStringList Column(kdb::Database& db, const QString& sql) {
  kdb::Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  QStringList out;
  for (q.First(); !q.Eof(); q.Next()) out << q.Fields(0).AsString();
  return out;
}

void TestDatabase::Configure(const DbFacts& f, kdb::Session& s, kdb::Database& db) {
  db.SetSession(&s);
  if (f.engine == Engine::SQLite) {
    s.SessionType = kdb::Session::Type::Local;
    s.PrivateDir = f.tempDir;
    db.Directory = f.dataDir;
    db.DatabaseName = f.databaseName;
  } else {
    s.SessionType = kdb::Session::Type::Remote;
    s.RemoteHost = f.host;
    s.RemotePort = f.port;
    s.RemoteUser = f.user;
    s.RemotePassword = f.password;
    db.RemoteDatabase = f.database;
  }
}

DbHandle TestDatabase::Connect() const {
  DbHandle h{std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
  Configure(facts_, *h.session, *h.db);
  h.db->Open();
  h.session->SetActive(true);
  return h;
}

void DbTest::SetUp() {
  try {
    database_ = std::make_unique<TestDatabase>(GetParam());
    main_ = database_->Connect();
  } catch (const kdb::DbError& e) {
    GTEST_FAIL() << "No test database on " << EngineName(GetParam()) << ": " << e.Message().toStdString();
  }
}

void DbTest::TearDown() {
  main_.db.reset();
  main_.session.reset();
  database_.reset();
}

}  // namespace kvtest
