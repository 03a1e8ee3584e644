// The session's lock wait as the data module sets it: a row another program
// holds in edit makes Edit wait the lock time, then fail, never hang.
#include "ConnectedModuleTest.h"

#include <QElapsedTimer>

namespace {

class LockWaitDbTest : public fwdbtest::ConnectedModuleTest {};

TEST_P(LockWaitDbTest, ARowInEditElsewhereMakesEditWaitTheLockTimeThenFail) {
  EXPECT_EQ(m->DBSessionRemote->LockRetryCount, 15);
  EXPECT_EQ(m->DBSessionRemote->LockWaitTime, 100);
  Exec("CREATE TABLE rfw_lock (ID INTEGER PRIMARY KEY, QTY INTEGER)");
  Exec("INSERT INTO rfw_lock (ID, QTY) VALUES (1, 0)");
  kdb::Table theirs(&db());  // another program holds the row
  theirs.TableName = "rfw_lock";
  theirs.Open();
  theirs.Edit();

  ASSERT_TRUE(m->GetTable("rfw_lock", m->DBTableR1)) << m->LastError.toStdString();
  QElapsedTimer waited;
  waited.start();
  EXPECT_THROW(m->DBTableR1->Edit(), kdb::DbError);
  // Fifteen retries 100 ms apart before giving up, and never a hang.
  EXPECT_GE(waited.elapsed(), 1300);
  EXPECT_LT(waited.elapsed(), 15000);

  theirs.FieldByName("QTY").SetAsInteger(4);
  theirs.Post();
  ASSERT_TRUE(m->DBTableR1->FindKey({1}));
  m->DBTableR1->Edit();  // free again: starts from the posted change
  EXPECT_EQ(m->DBTableR1->FieldByName("QTY").AsInteger(), 4);
  m->DBTableR1->Cancel();
}

KV_DB_ENGINES(LockWaitDbTest);

}  // namespace
