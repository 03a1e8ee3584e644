#include "CatalogueCacheClass.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>

#include <map>

#include "KvDb.h"
#include "KvTestSupport.h"
#include "SchemaClass.h"
#include "StarterDataClass.h"
#include "StatisticsClass.h"

#ifndef KV_CATALOGUE_SOURCE_HASH
#define KV_CATALOGUE_SOURCE_HASH "unknown"
#endif
#ifndef KV_BENCH_CACHE_DIR
#define KV_BENCH_CACHE_DIR ""
#endif

namespace kvcat {

namespace {

const char* const kSingleUser = "Tarnwick/TessarinQS/";

QString Prefix(kvtest::Engine e, const CatalogueSize& size) {
  return e == kvtest::Engine::SQLite ? "sqlite-" + size.name + "-" : "kvcat_" + size.name + "_";
}

kvtest::DbFacts SqliteFacts(const QString& commonFolder) {
  kvtest::DbFacts f;
  f.engine = kvtest::Engine::SQLite;
  f.localDataFolder = commonFolder + kSingleUser;
  f.dataDir = f.localDataFolder + "db/data/";
  f.tempDir = f.localDataFolder + "db/temp/";
  return f;
}

kvtest::DbFacts PgFacts(const QString& database) {
  const kvtest::PgServer s = kvtest::TestPgServer();
  if (!s.valid()) throw kdb::DbError("The PostgreSQL server is not running (no state file at KV_PG_STATE)");
  kvtest::DbFacts f;
  f.engine = kvtest::Engine::PostgreSQL;
  f.host = s.host;
  f.port = s.port;
  f.database = database;
  f.sslRootCert = s.sslRootCert;
  return f;
}

QStringList PgDatabases(const QString& prefix) {
  kdb::Session s;
  kdb::Database db;
  kvtest::TestDatabase::Configure(PgFacts("postgres"), s, db);
  db.Open();
  return kvtest::Column(db, "SELECT datname FROM pg_database WHERE datname LIKE " + kdb::sql::Quote(prefix + "%"));
}

// ----- the bulk load on each engine -----

void LoadSqlite(const kvtest::DbFacts& f, CatalogueGenerator& gen) {
  sqlite3* db = nullptr;
  const QByteArray file = QDir(f.dataDir).filePath(f.databaseName + ".sqlite").toUtf8();
  if (sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
    const QString msg = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_close_v2(db);
    throw kdb::DbError("Catalogue: " + msg);
  }
  // The file is not in use yet and is thrown away when the build fails.
  sqlite3_exec(db, "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; BEGIN", nullptr, nullptr, nullptr);
  try {
    SqliteSink sink(db);
    gen.WriteAll(sink);
  } catch (...) {
    sqlite3_close_v2(db);
    throw;
  }
  const int rc = sqlite3_exec(db, "COMMIT; PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
  sqlite3_close_v2(db);
  if (rc != SQLITE_OK) throw kdb::DbError("Catalogue: the load was not committed");
}

void LoadPostgres(const kvtest::DbFacts& f, CatalogueGenerator& gen) {
  const QByteArray info = QString("host=%1 port=%2 dbname=%3 user=%4 password=%5")
                              .arg(f.host).arg(f.port).arg(f.database, f.user, f.password).toUtf8();
  PGconn* c = PQconnectdb(info.constData());
  try {
    if (PQstatus(c) != CONNECTION_OK) throw kdb::DbError("Catalogue: " + QString::fromUtf8(PQerrorMessage(c)));
    PgCopySink sink(c);
    gen.WriteAll(sink);
  } catch (...) {
    PQfinish(c);
    throw;
  }
  PQfinish(c);
}

void RemoveStale(kvtest::Engine e, const CatalogueSize& size, const QString& root, const QString& keep) {
  const QString prefix = Prefix(e, size);
  if (e == kvtest::Engine::SQLite) {
    for (const QString& d : QDir(root).entryList({prefix + "*"}, QDir::Dirs | QDir::NoDotAndDotDot))
      if (d != keep) QDir(QDir(root).filePath(d)).removeRecursively();
    return;
  }
  for (const QString& d : PgDatabases(prefix))
    if (d != keep) kvtest::PgAdminExecute("DROP DATABASE IF EXISTS " + d + " WITH (FORCE)");
}

}  // namespace

QString DefaultCacheRoot() {
  const QString env = qEnvironmentVariable("KV_BENCH_CACHE");
  if (!env.isEmpty()) return QDir(env).absolutePath() + "/";
  const QString built = QStringLiteral(KV_BENCH_CACHE_DIR);
  return (built.isEmpty() ? QDir::tempPath() + "/kv-bench-catalogue" : built) + "/";
}

QString CatalogueHash(const CatalogueSize& size) {
  QCryptographicHash h(QCryptographicHash::Sha256);
  h.addData(QByteArrayLiteral(KV_CATALOGUE_SOURCE_HASH));
  for (bool pg : {false, true}) {
    for (const kvschema::TableDef& t : kvschema::Tables()) h.addData(kvschema::CreateTableSql(t, pg).toUtf8());
    for (const kvschema::IndexDef& ix : kvschema::Indexes()) h.addData(kvschema::CreateIndexSql(ix).toUtf8());
  }
  h.addData(QString("%1/%2/%3").arg(size.name).arg(size.styles).arg(size.movements).toUtf8());
  return QString::fromLatin1(h.result().toHex().left(12));
}

void BuildCatalogue(const kvtest::DbFacts& facts, const CatalogueSize& size) {
  auto open = [&facts](kdb::Session& s, kdb::Database& db) {
    kvtest::TestDatabase::Configure(facts, s, db);
    db.CreateIfMissing = true;  // the catalogue is made here, as dbsetup makes a database
    db.Open();
  };
  std::unique_ptr<CatalogueGenerator> gen;
  {
    kdb::Session s;
    kdb::Database db;
    open(s, db);
    const bool pg = db.IsPostgres();
    for (const kvschema::TableDef& t : kvschema::Tables()) db.Execute(kvschema::CreateTableSql(t, pg));
    kvschema::LoadStarterData(db);
    gen = std::make_unique<CatalogueGenerator>(size, ReadCodeLists(db));
  }
  if (facts.engine == kvtest::Engine::SQLite) LoadSqlite(facts, *gen);
  else LoadPostgres(facts, *gen);
  // The indexes and statistics as dbsetup leaves a shop's database.
  kdb::Session s;
  kdb::Database db;
  open(s, db);
  if (db.IsPostgres()) db.Execute("SET maintenance_work_mem = '512MB'");
  kvschema::CreateSchema(db);
  kvschema::SyncIdCounters(db);
  kvschema::UpdateStatistics(db, true);
}

CatalogueDb EnsureCatalogue(kvtest::Engine e, const CatalogueSize& size, const QString& cacheRoot) {
  const QString hash = CatalogueHash(size);
  const QString name = Prefix(e, size) + hash;
  CatalogueDb out;
  if (!QDir().mkpath(cacheRoot)) throw kdb::DbError("Catalogue: cannot create " + cacheRoot);
  QLockFile lock(QDir(cacheRoot).filePath(Prefix(e, size) + "lock"));
  lock.setStaleLockTime(0);  // a build takes minutes; only a dead holder frees it
  if (!lock.lock()) throw kdb::DbError("Catalogue: cannot lock " + cacheRoot);

  if (e == kvtest::Engine::SQLite) {
    out.commonFolder = QDir(cacheRoot).filePath(name) + "/";
    out.facts = SqliteFacts(out.commonFolder);
    if (QFileInfo::exists(out.facts.dataDir + "DATA.sqlite")) return out;
  } else {
    out.facts = PgFacts(name);
    if (PgDatabases(name).contains(name)) return out;
  }

  QElapsedTimer t;
  t.start();
  // Built under a name of its own, then renamed: a half-built catalogue is
  // never taken for a finished one.
  const QString building = name + "_b" + QString::number(QCoreApplication::applicationPid());
  try {
    if (e == kvtest::Engine::SQLite) {
      const QString folder = QDir(cacheRoot).filePath(building) + "/";
      QDir(folder).removeRecursively();
      const kvtest::DbFacts f = SqliteFacts(folder);
      QDir().mkpath(f.dataDir);
      QDir().mkpath(f.tempDir);
      BuildCatalogue(f, size);
      if (!QDir().rename(folder, out.commonFolder)) throw kdb::DbError("Catalogue: cannot rename " + folder);
    } else {
      kvtest::PgAdminExecute("DROP DATABASE IF EXISTS " + building + " WITH (FORCE)");
      kvtest::PgAdminExecute("CREATE DATABASE " + building +
                             " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'");
      BuildCatalogue(PgFacts(building), size);
      kvtest::PgAdminExecute("ALTER DATABASE " + building + " RENAME TO " + name);
    }
  } catch (...) {
    if (e == kvtest::Engine::SQLite) QDir(QDir(cacheRoot).filePath(building)).removeRecursively();
    else {
      try {
        kvtest::PgAdminExecute("DROP DATABASE IF EXISTS " + building + " WITH (FORCE)");
      } catch (const kdb::DbError&) {
      }
    }
    throw;
  }
  RemoveStale(e, size, cacheRoot, name);
  out.built = true;
  out.buildSeconds = double(t.elapsed()) / 1000.0;
  return out;
}

namespace {
std::map<kvtest::Engine, kvtest::DbHandle>& Connections() {
  static std::map<kvtest::Engine, kvtest::DbHandle> connections;
  return connections;
}
}  // namespace

kdb::Database& CatalogueConnection(kvtest::Engine e) {
  kvtest::DbHandle& h = Connections()[e];
  if (!h.db) {
    h = {std::make_unique<kdb::Session>(), std::make_unique<kdb::Database>()};
    kvtest::TestDatabase::Configure(EnsureCatalogue(e, SizeFromEnvironment()).facts, *h.session, *h.db);
    h.db->Open();
  }
  return *h.db;
}

void CloseCatalogueConnections() { Connections().clear(); }

}  // namespace kvcat
