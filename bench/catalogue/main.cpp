// kvbench_catalogue: makes sure the benchmark catalogue of KV_BENCH_SCALE
// exists on both engines (PostgreSQL on the server of KV_PG_STATE), building
// what is missing or stale, and says how long each build took.
#include <QCoreApplication>
#include <QTextStream>

#include "CatalogueCacheClass.h"
#include "KvDb.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTextStream out(stdout), err(stderr);
  const kvcat::CatalogueSize size = kvcat::SizeFromEnvironment();
  int failed = 0;
  for (kvtest::Engine e : {kvtest::Engine::SQLite, kvtest::Engine::PostgreSQL}) {
    const QString engine = QString::fromStdString(kvtest::EngineName(e));
    out << "catalogue " << size.name << " (" << size.styles << " styles) on " << engine << ": " << Qt::flush;
    try {
      const kvcat::CatalogueDb c = kvcat::EnsureCatalogue(e, size);
      if (c.built) out << "built in " << QString::number(c.buildSeconds, 'f', 1) << " s\n";
      else out << "cached\n";
    } catch (const kdb::DbError& x) {
      out << "failed\n";
      err << "kvbench_catalogue: " << x.Message() << "\n";
      ++failed;
    }
    out.flush();
  }
  return failed ? 1 : 0;
}
