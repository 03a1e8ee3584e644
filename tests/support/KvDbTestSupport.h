#pragma once
// Database tests: every test gets a fresh, empty database on each engine.
//
//   class MyTest : public kvtest::DbTest {};
//   TEST_P(MyTest, Something) { db().Execute("CREATE TABLE ..."); ... }
//   KV_DB_ENGINES(MyTest);
//
// SQLite: a new temporary folder (LocalDataFolder, with db/data/ and db/temp/
// below it) holding an empty database file. PostgreSQL: a database with a name unique across processes,
// created on the test run's server and dropped at the end. Without that
// server the PostgreSQL cases fail; they never skip.

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include <memory>
#include <ostream>
#include <string>

#include "KvDb.h"

class QTemporaryDir;

namespace kvtest {

enum class Engine { SQLite, PostgreSQL };
std::string EngineName(Engine e);
inline void PrintTo(Engine e, std::ostream* os) { *os << EngineName(e); }

// Where the test database is: what a program's settings would point at.
struct DbFacts {
  Engine engine = Engine::SQLite;
  // SQLite: the single-user settings folder; the file is below dataDir.
  QString localDataFolder;  // ends with "/"
  QString dataDir;          // localDataFolder + "db/data/"
  QString tempDir;          // localDataFolder + "db/temp/"
  QString databaseName = "DATA";
  // PostgreSQL.
  QString host;
  int port = 0;
  QString database;
  QString user = "Admin";
  QString password = "QpRelay";
  QString sslRootCert;  // the server's certificate, for verify-full
};

// A session with its database, connected (or not yet, see Configure).
struct DbHandle {
  std::unique_ptr<kdb::Session> session;
  std::unique_ptr<kdb::Database> db;
};

// A fresh empty database; dropped (PostgreSQL) or deleted (SQLite) when
// destroyed. Throws kdb::DbError when it cannot be made.
class TestDatabase {
 public:
  explicit TestDatabase(Engine e);
  // SQLite: the database below a given settings folder (db/data/, db/temp/),
  // where a single-user program looks for it; the folder is the caller's to
  // remove. PostgreSQL: as above, the folder is not used.
  TestDatabase(Engine e, const QString& settingsFolder);
  ~TestDatabase();
  TestDatabase(const TestDatabase&) = delete;
  TestDatabase& operator=(const TestDatabase&) = delete;

  const DbFacts& Facts() const { return facts_; }
  // A new session and database connected to this database.
  DbHandle Connect() const;
  // Points a session and database at the facts (does not connect).
  static void Configure(const DbFacts& f, kdb::Session& s, kdb::Database& db);

 private:
  DbFacts facts_;
  std::unique_ptr<QTemporaryDir> dir_;
};

// Runs one statement on the test server's "postgres" database as Admin.
void PgAdminExecute(const QString& statement);

// The first column of every row a statement returns, as text.
QStringList Column(kdb::Database& db, const QString& sql);

class DbTest : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override;
  void TearDown() override;

  kdb::Session& session() { return *main_.session; }
  kdb::Database& db() { return *main_.db; }
  const DbFacts& facts() const { return database_->Facts(); }
  bool isPg() const { return GetParam() == Engine::PostgreSQL; }
  // A second program on the same database.
  DbHandle Connect() const { return database_->Connect(); }
  QStringList Column(const QString& sql) { return kvtest::Column(db(), sql); }

 private:
  std::unique_ptr<TestDatabase> database_;
  DbHandle main_;
};

struct EngineParamName {
  std::string operator()(const ::testing::TestParamInfo<Engine>& info) const {
    return EngineName(info.param);
  }
};

}  // namespace kvtest

// Instantiates a DbTest suite on both engines.
#define KV_DB_ENGINES(Suite)                                                           \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite,                                             \
                           ::testing::Values(kvtest::Engine::SQLite, kvtest::Engine::PostgreSQL), \
                           kvtest::EngineParamName())
