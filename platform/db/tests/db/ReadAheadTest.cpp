// Statements read ahead in one round trip: the same statements that follow
// take their rows, in order; anything else drops what is left, and one that
// failed runs (and fails) as ever.
#include "KvDbTestSupport.h"

using namespace kdb;
using kvtest::Engine;
using kvtest::TestDatabase;

namespace {

const QString kAll = "SELECT ID FROM RA ORDER BY ID";
const QString kFirst = "SELECT NAME FROM RA WHERE ID = 1";
const QString kBroken = "SELECT NOSUCH FROM RA";

int Rows(Database& db, const QString& sql) {
  Query q(&db);
  q.SQL = sql;
  q.ExecSQL();
  return q.RecordCount();
}

QString RunError(Database& db, const QString& sql) {
  try {
    Rows(db, sql);
  } catch (const DbError& e) {
    return e.Message();
  }
  return QString();
}

}  // namespace

TEST(ReadAhead, TheStatementsThatFollowTakeTheirRowsInOrderOnly) {
  for (Engine e : {Engine::SQLite, Engine::PostgreSQL}) {
    SCOPED_TRACE(kvtest::EngineName(e));
    TestDatabase td(e);
    auto h = td.Connect();
    auto other = td.Connect();  // changes the table behind the reader's back
    Database& db = *h.db;
    db.Execute("CREATE TABLE RA (ID INTEGER, NAME VARCHAR(20))");
    db.Execute("INSERT INTO RA (ID, NAME) VALUES (1, 'ONE')");
    db.Execute("INSERT INTO RA (ID, NAME) VALUES (2, 'TWO')");
    const int kept = e == Engine::PostgreSQL ? 2 : 3;  // SQLite has no such round trip: it reads anew

    // Taken in order: the rows are those of the moment they were read.
    db.ReadAhead({kAll, kFirst});
    other.db->Execute("INSERT INTO RA (ID, NAME) VALUES (3, 'THREE')");
    EXPECT_EQ(Rows(db, kAll), kept);
    EXPECT_EQ(Rows(db, kFirst), 1);
    EXPECT_EQ(Rows(db, kAll), 3);  // nothing is kept twice

    // Out of order: the first other statement drops them all.
    db.ReadAhead({kAll, kFirst});
    other.db->Execute("INSERT INTO RA (ID, NAME) VALUES (4, 'FOUR')");
    EXPECT_EQ(Rows(db, kFirst), 1);
    EXPECT_EQ(Rows(db, kAll), 4);

    // A failed one fails when it runs, with the message it has run alone;
    // the ones after it run anew.
    const QString alone = RunError(db, kBroken);
    ASSERT_FALSE(alone.isEmpty());
    db.ReadAhead({kBroken, kAll});
    other.db->Execute("INSERT INTO RA (ID, NAME) VALUES (5, 'FIVE')");
    EXPECT_EQ(RunError(db, kBroken), alone);
    EXPECT_EQ(Rows(db, kAll), 5);

    // Given anything but SELECTs, nothing is read ahead (nor run).
    db.ReadAhead({kAll, "DELETE FROM RA"});
    other.db->Execute("INSERT INTO RA (ID, NAME) VALUES (6, 'SIX')");
    EXPECT_EQ(Rows(db, kAll), 6);
    // Nor inside a unit of work: its statements see what the unit sees.
    if (e == Engine::PostgreSQL) {
      db.StartTransaction();
      db.ReadAhead({kAll});
      other.db->Execute("INSERT INTO RA (ID, NAME) VALUES (7, 'SEVEN')");
      EXPECT_EQ(Rows(db, kAll), 7);
      db.Rollback();
    }
  }
}
