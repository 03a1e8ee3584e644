#include "KvTestSupport.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTextStream>
#include <QWidget>

namespace kvtest {

QString TempRoot() { return qEnvironmentVariable("KV_TEST_ROOT"); }

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

}  // namespace kvtest
