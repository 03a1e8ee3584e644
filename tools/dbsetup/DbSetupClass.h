#pragma once
// The command line of dbsetup:
//   dbsetup --local FOLDER [--starter]
//   dbsetup --server HOST [--port N] [--database NAME] [--user U --password P]
//           [--ssl-root-cert FILE] [--starter]
// A local FOLDER is a single-user settings folder: the database lives in
// FOLDER/db/data/ and is created when missing (no program ever creates it);
// an existing file is read through first (quick check), and a damaged one is
// reported as a failure. On a server the database is created (C collation,
// UTF-8) when it does not exist yet.

#include <QString>
#include <QStringList>

class QTextStream;

namespace kdb {
class Session;
}

namespace kvschema {

struct DbSetupOptions {
  QString localFolder;       // set for --local
  QString host;              // set for --server
  int port = 0;              // 0: the session's default port
  QString database = "DATA";
  QString user = "Admin";
  QString password = "QpRelay";
  QString sslRootCert;       // verify the server (internet transport)
  bool starter = false;

  // Parses arguments (without the program name); on failure returns false
  // and sets error.
  bool Parse(const QStringList& args, QString& error);
};

// Fills a session for the options (local or remote).
void ConfigureSession(const DbSetupOptions& o, kdb::Session& s);

// PostgreSQL: creates the database when the server does not have it yet.
// Returns true when it was created.
bool EnsureServerDatabase(kdb::Session& s, const QString& name);

// Runs the whole tool; writes progress to out and failures to err. Returns
// the exit code: 0 done, 1 failed (a damaged file too), 2 wrong arguments.
int RunDbSetup(const QStringList& args, QTextStream& out, QTextStream& err);

}  // namespace kvschema
