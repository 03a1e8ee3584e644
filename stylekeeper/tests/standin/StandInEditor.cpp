// A stand-in for a code-list editor, for the tests that start one from the
// style editor and wait for it. It starts as the suite's programs do (its data
// module finds the database of the edition its folder belongs to), notes its
// working folder in the file KV_STANDIN_MARK, waits KV_STANDIN_DELAY_MS,
// runs the statement KV_STANDIN_SQL and ends: 0 when the statement ran.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QThread>

#include "DataModF.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TDMDB module;
  module.Init();
  if (!module.ConnectAndLoadUser(false)) return 2;
  QFile mark(qEnvironmentVariable("KV_STANDIN_MARK"));
  if (mark.open(QIODevice::WriteOnly)) mark.write(QDir::currentPath().toUtf8());
  mark.close();
  QThread::msleep(static_cast<unsigned long>(qEnvironmentVariableIntValue("KV_STANDIN_DELAY_MS")));
  try {
    module.DBDatabaseRemote->Execute(qEnvironmentVariable("KV_STANDIN_SQL"));
  } catch (const std::exception&) {
    return 3;
  }
  return 0;
}
