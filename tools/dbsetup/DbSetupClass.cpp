#include "DbSetupClass.h"

#include "KvDb.h"
#include "SchemaClass.h"
#include "StarterDataClass.h"
#include "StatisticsClass.h"

#include <QDir>
#include <QTextStream>

namespace kvschema {

namespace {

const char* const kUsage =
    "usage: dbsetup --local FOLDER [--starter]\n"
    "       dbsetup --server HOST [--port N] [--database NAME] [--user U --password P]\n"
    "               [--ssl-root-cert FILE] [--starter]\n";

QString LocalDataDir(const QString& folder) { return QDir(folder).filePath("db/data/"); }
QString LocalTempDir(const QString& folder) { return QDir(folder).filePath("db/temp/"); }

// A name as a PostgreSQL identifier, case kept.
QString QuotedName(const QString& name) {
  QString n = name;
  return "\"" + n.replace("\"", "\"\"") + "\"";
}

void Report(QTextStream& out, const QStringList& lines) {
  for (const QString& l : lines) out << "  " << l << "\n";
}

// SQLite: a file whose pages are damaged still opens, and its tables are
// still listed; only reading every page tells. Throws when it is damaged.
void CheckLocalFile(kdb::Database& db) {
  QStringList problems;
  try {
    kdb::Query q(&db);
    q.SQL = "PRAGMA quick_check";
    q.ExecSQL();
    for (q.First(); !q.Eof(); q.Next()) problems << q.Fields(0).AsString();
  } catch (const kdb::DbError& e) {
    problems = QStringList{e.Message()};
  }
  if (problems == QStringList{"ok"}) return;
  throw kdb::DbError("the database file " + QDir::toNativeSeparators(db.Directory + db.DatabaseName + ".sqlite") +
                     " is damaged; restore it from a backup. The check found: " +
                     problems.mid(0, 5).join("; "));
}

// The planner's statistics, gathered when missing, stale or after new indexes.
void ReportStatistics(kdb::Database& db, bool newIndexes, QTextStream& out) {
  const QString why = UpdateStatistics(db, newIndexes);
  if (!why.isEmpty()) out << "Statistics gathered (" << why << ").\n";
}

void SetUpDatabase(kdb::Database& db, bool starter, QTextStream& out) {
  const SchemaChanges changes = CreateSchema(db);
  if (changes.Empty()) {
    out << "Tables, columns and indexes are up to date.\n";
  } else {
    out << "Schema: " << changes.tables.size() << " tables created, " << changes.columns.size()
        << " columns added, " << changes.indexes.size() << " indexes created.\n";
    Report(out, changes.Lines());
  }
  if (starter) {
    const StarterResult loaded = LoadStarterData(db);
    if (!loaded.loaded) {
      out << "Starter data not loaded: the database already holds data.\n";
    } else {
      out << "Starter data loaded.\n";
      Report(out, loaded.lines);
    }
  }
  ReportStatistics(db, !changes.indexes.isEmpty(), out);
}

}  // namespace

bool DbSetupOptions::Parse(const QStringList& args, QString& error) {
  auto value = [&](int& i) -> QString {
    if (i + 1 >= args.size()) {
      error = args[i] + " needs a value";
      return {};
    }
    return args[++i];
  };
  for (int i = 0; i < args.size() && error.isEmpty(); ++i) {
    const QString& a = args[i];
    if (a == "--local") localFolder = value(i);
    else if (a == "--server") host = value(i);
    else if (a == "--database") database = value(i);
    else if (a == "--user") user = value(i);
    else if (a == "--password") password = value(i);
    else if (a == "--ssl-root-cert") sslRootCert = value(i);
    else if (a == "--starter") starter = true;
    else if (a == "--port") {
      bool ok = false;
      const QString text = value(i);
      port = text.toInt(&ok);
      if (error.isEmpty() && (!ok || port <= 0 || port > 65535)) error = "invalid port: " + text;
    } else {
      error = "unknown argument: " + a;
    }
  }
  if (!error.isEmpty()) return false;
  if (localFolder.isEmpty() == host.isEmpty()) {
    error = "give either --local FOLDER or --server HOST";
    return false;
  }
  if (database.isEmpty()) {
    error = "the database name is empty";
    return false;
  }
  return true;
}

void ConfigureSession(const DbSetupOptions& o, kdb::Session& s) {
  s.SessionName = "SessionSetup";
  if (!o.localFolder.isEmpty()) {
    s.SessionType = kdb::Session::Type::Local;
    s.PrivateDir = LocalTempDir(o.localFolder);
  } else {
    s.SessionType = kdb::Session::Type::Remote;
    s.RemoteHost = o.host;
    if (o.port > 0) s.RemotePort = o.port;
    s.RemoteUser = o.user;
    s.RemotePassword = o.password;
    if (!o.sslRootCert.isEmpty()) {
      s.RemoteTransport = kdb::Session::RemoteType::Internet;
      s.RemoteSslRootCert = o.sslRootCert;
    }
  }
  s.SetActive(true);
}

bool EnsureServerDatabase(kdb::Session& s, const QString& name) {
  kdb::Database admin(&s);
  admin.RemoteDatabase = "postgres";
  admin.Open();
  kdb::Query q(&admin);
  q.SQL = "SELECT 1 AS FOUND FROM pg_database WHERE datname = " + kdb::sql::Quote(name);
  q.ExecSQL();
  const bool exists = q.RecordCount() > 0;
  q.Close();
  if (!exists)
    admin.Execute("CREATE DATABASE " + QuotedName(name) +
                  " TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'");
  admin.Close();
  return !exists;
}

int RunDbSetup(const QStringList& args, QTextStream& out, QTextStream& err) {
  if (args.contains("--help") || args.contains("-h")) {
    out << kUsage;
    out.flush();
    return 0;
  }
  DbSetupOptions o;
  QString error;
  if (!o.Parse(args, error)) {
    err << "dbsetup: " << error << "\n" << kUsage;
    return 2;
  }
  try {
    kdb::Session session;
    ConfigureSession(o, session);
    kdb::Database db(&session);
    db.DatabaseName = "DATA";
    if (!o.localFolder.isEmpty()) {
      const QString dir = LocalDataDir(o.localFolder);
      if (!QDir().mkpath(dir) || !QDir().mkpath(session.PrivateDir)) {
        err << "dbsetup: cannot create the folder " << dir << "\n";
        return 1;
      }
      db.Directory = dir;
      db.CreateIfMissing = true;  // the one program that makes a database
      out << "Local database in " << QDir::toNativeSeparators(dir) << "\n";
    } else {
      db.RemoteDatabase = o.database;
      if (EnsureServerDatabase(session, o.database))
        out << "Created database " << o.database << " on " << o.host << "\n";
      out << "Database " << o.database << " on " << o.host << ":" << session.RemotePort << "\n";
    }
    db.Open();
    if (!o.localFolder.isEmpty()) CheckLocalFile(db);
    SetUpDatabase(db, o.starter, out);
    db.Close();
    out << "Done.\n";
    out.flush();
    return 0;
  } catch (const kdb::DbError& e) {
    out.flush();
    err << "dbsetup: failed: " << e.Message() << "\n";
    err.flush();
  } catch (const std::exception& e) {
    out.flush();
    err << "dbsetup: failed: " << e.what() << "\n";
    err.flush();
  }
  return 1;
}

}  // namespace kvschema
