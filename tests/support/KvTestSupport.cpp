#include "KvTestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUuid>
#include <QWidget>

namespace kvtest {

PrivateHome::PrivateHome() : root_(std::make_unique<QTemporaryDir>(QDir::tempPath() + "/kvtest-XXXXXX")) {
  const QString r = root_->path();
  QDir().mkpath(r + "/home/.local/share");
  QDir().mkpath(r + "/common");
  qputenv("KV_TEST_ROOT", r.toUtf8());
  qputenv("HOME", (r + "/home").toUtf8());
  qputenv("XDG_DATA_HOME", (r + "/home/.local/share").toUtf8());
  qputenv("TESSARIN_COMMON_APPDATA", (r + "/common").toUtf8());
  qputenv("XDG_RUNTIME_DIR", r.toUtf8());
}

PrivateHome::~PrivateHome() = default;

QString TempRoot() { return qEnvironmentVariable("KV_TEST_ROOT"); }

namespace {
int& EscapesExpectedCount() {
  static int count = 0;
  return count;
}
}  // namespace

ExpectEscapes::ExpectEscapes() { ++EscapesExpectedCount(); }
ExpectEscapes::~ExpectEscapes() { --EscapesExpectedCount(); }
bool EscapesExpected() { return EscapesExpectedCount() > 0; }

QString SaveScreenshot(QWidget* w, const QString& name) {
  const QString dir = qEnvironmentVariable("KV_SCREENS_DIR");
  if (dir.isEmpty() || !w) return {};
  QDir().mkpath(dir);
  const QString file = dir + "/" + name + ".png";
  w->ensurePolished();
  if (!w->isVisible()) w->adjustSize();
  return w->grab().save(file, "PNG") ? file : QString();
}

PgServer TestPgServer() {
  PgServer s;
  QFile f(qEnvironmentVariable("KV_PG_STATE"));
  if (!f.open(QIODevice::ReadOnly)) return s;
  QTextStream in(&f);
  while (!in.atEnd()) {
    const QString line = in.readLine();
    const int eq = line.indexOf('=');
    if (eq < 0) continue;
    const QString key = line.left(eq), value = line.mid(eq + 1);
    if (key == "PGHOST") s.host = value;
    else if (key == "PGPORT") s.port = value.toInt();
    else if (key == "PGSUPERUSER") s.superUser = value;
    else if (key == "PGSOCKETDIR") s.socketDir = value;
    else if (key == "PGSSLROOTCERT") s.sslRootCert = value;
  }
  return s;
}

QString UserFolder() { return qEnvironmentVariable("XDG_DATA_HOME") + "/"; }
QString CommonFolder() { return qEnvironmentVariable("TESSARIN_COMMON_APPDATA") + "/"; }
QString MultiUserFolder() { return UserFolder() + "Tarnwick/TessarinVELT/"; }
QString SingleUserFolder() { return CommonFolder() + "Tarnwick/TessarinQS/"; }

void RemoveSettingsFolders() {
  QDir(UserFolder() + "Tarnwick").removeRecursively();
  QDir(CommonFolder() + "Tarnwick").removeRecursively();
}

QString FreshFolder(const QString& prefix) {
  const QString dir = TempRoot() + "/" + prefix + "-" + QUuid::createUuid().toString(QUuid::Id128) + "/";
  QDir().mkpath(dir);
  return dir;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  f.write(bytes);
}

int OpenHandlesOf(const QString& path) {
  const QString target = QFileInfo(path).canonicalFilePath();
  int n = 0;
  for (const QFileInfo& fd : QDir("/proc/self/fd").entryInfoList(QDir::Files | QDir::System))
    if (fd.symLinkTarget() == target) ++n;
  return n;
}

QDateTime At(const char* iso) { return QDateTime::fromString(iso, Qt::ISODate); }

QString PdfText(const QString& pdf) {
  const QString tool = QStandardPaths::findExecutable("pdftotext");
  if (tool.isEmpty()) {
    ADD_FAILURE() << "pdftotext (poppler-utils) is needed to read the PDF back";
    return {};
  }
  QProcess p;
  p.start(tool, {"-layout", pdf, "-"});
  EXPECT_TRUE(p.waitForFinished(60000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QString::fromUtf8(p.readAllStandardOutput());
}

}  // namespace kvtest
