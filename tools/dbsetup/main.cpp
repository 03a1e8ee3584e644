// dbsetup: creates the shared database's tables on SQLite or PostgreSQL and
// optionally loads the starter data. See DbSetupClass.h for the arguments.
#include "DbSetupClass.h"

#include <QCoreApplication>
#include <QTextStream>


int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  QStringList args = QCoreApplication::arguments();
  args.removeFirst();
  return kvschema::RunDbSetup(args, out, err);
}
