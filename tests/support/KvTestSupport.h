#pragma once
// Helpers shared by every test program.
#include <QString>

class QWidget;

namespace kvtest {

// The temporary home of this test program: user and all-users data folders
// are redirected below it, so no test touches the machine's real folders.
QString TempRoot();

// Renders a window into build/screens/<name>.png for a reviewer to look at.
// Returns the file written, or "" when the folder is not set.
QString SaveScreenshot(QWidget* w, const QString& name);

// Connection facts of the test run's PostgreSQL server (empty when absent).
struct PgServer {
  QString host;
  int port = 0;
  QString superUser;   // the OS/database superuser used to create roles
  QString socketDir;
  QString sslRootCert; // certificate of the server (CA for verify-full)
  bool valid() const { return port > 0; }
};
PgServer TestPgServer();

}  // namespace kvtest
