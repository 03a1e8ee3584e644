#pragma once
// Helpers shared by every test program.
#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <ostream>

#include <memory>

class QTemporaryDir;
class QWidget;

namespace kvtest {

// A private temporary home for a test or benchmark program: while it lives,
// HOME, XDG_DATA_HOME, the all-users folder (TESSARIN_COMMON_APPDATA),
// XDG_RUNTIME_DIR and KV_TEST_ROOT (TempRoot) point below it, so the
// programs' settings, logs and databases never touch the machine's own.
class PrivateHome {
 public:
  PrivateHome();
  ~PrivateHome();
  PrivateHome(const PrivateHome&) = delete;
  PrivateHome& operator=(const PrivateHome&) = delete;

 private:
  std::unique_ptr<QTemporaryDir> root_;
};

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

// The settings folders of the two editions below this program's temporary
// home. Every folder name ends with "/".
QString UserFolder();        // the user's data folder ($XDG_DATA_HOME)
QString CommonFolder();      // the all-users folder ($TESSARIN_COMMON_APPDATA)
QString MultiUserFolder();   // UserFolder() + "Tarnwick/TessarinVELT/"
QString SingleUserFolder();  // CommonFolder() + "Tarnwick/TessarinQS/"
// Removes the settings folders of both editions (what an earlier test left).
void RemoveSettingsFolders();

// A new empty folder TempRoot()/<prefix>-<unique>/.
QString FreshFolder(const QString& prefix);

// The bytes of a file ("" when it cannot be read).
QByteArray ReadAll(const QString& path);
// Writes a file, making its folder; a file that cannot be written fails the test.
void WriteFile(const QString& path, const QByteArray& bytes);
// How many open files of this process are the given file.
int OpenHandlesOf(const QString& path);

// Test programs run under the application's net (kui::KvApplication): an
// exception escaping an event handler fails the running test, unless the test
// expects one while an ExpectEscapes lives; then the net shows it as a
// program would (answer its message through kui::ModalSeam).
class ExpectEscapes {
 public:
  ExpectEscapes();
  ~ExpectEscapes();
  ExpectEscapes(const ExpectEscapes&) = delete;
  ExpectEscapes& operator=(const ExpectEscapes&) = delete;
};
bool EscapesExpected();

// A local time written as ISO 8601 ("2024-03-05T09:15:30").
QDateTime At(const char* iso);

// The text of a PDF file as pdftotext -layout reads it; the test fails when
// the tool is missing or fails.
QString PdfText(const QString& pdf);

}  // namespace kvtest

// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
