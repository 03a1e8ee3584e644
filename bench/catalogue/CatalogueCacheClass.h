#pragma once
// The catalogue as a ready database, built once and kept between runs:
//   SQLite      <cache>/sqlite-<size>-<hash>/Tarnwick/TessarinQS/db/data/DATA.sqlite
//               (the folder above Tarnwick/ is an all-users folder: point
//               TESSARIN_COMMON_APPDATA at it and the programs find it)
//   PostgreSQL  the database kvcat_<size>_<hash> on the server of KV_PG_STATE
// The hash covers the generator's sources, the schema (every table and index
// statement) and the size, so a change to any of them builds it anew; the
// stale copies of the same size are removed then. Several programs may ask at
// once: one builds while the others wait on a lock file.
//
// A build makes the tables, loads the starter data, writes the generated rows
// through the engine's bulk path, then lets the schema tool add the indexes
// and gather the statistics, as dbsetup does on a shop's database.
#include <QString>

#include "CatalogueClass.h"
#include "KvDbTestSupport.h"

namespace kvcat {

// KV_BENCH_CACHE, or the build folder's bench-catalogue/.
QString DefaultCacheRoot();

// The hash that names a catalogue of this size (12 hex digits).
QString CatalogueHash(const CatalogueSize& size);

struct CatalogueDb {
  kvtest::DbFacts facts;   // as a test database describes it (TestDatabase::Configure)
  QString commonFolder;    // SQLite: the all-users folder holding it
  bool built = false;      // this call built it
  double buildSeconds = 0;
};

// Makes sure the catalogue exists on the engine and says where. Throws
// kdb::DbError (PostgreSQL without the test server, a failed build).
CatalogueDb EnsureCatalogue(kvtest::Engine e, const CatalogueSize& size,
                            const QString& cacheRoot = DefaultCacheRoot());

// One connection per engine to the catalogue of KV_BENCH_SCALE, made (and
// the catalogue with it) on first use and kept until
// CloseCatalogueConnections, which a benchmark's main calls before it ends.
kdb::Database& CatalogueConnection(kvtest::Engine e);
void CloseCatalogueConnections();

// Builds the catalogue into an empty database that the facts point at.
void BuildCatalogue(const kvtest::DbFacts& facts, const CatalogueSize& size);

}  // namespace kvcat
