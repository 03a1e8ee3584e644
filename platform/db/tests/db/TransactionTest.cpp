// Units of work: scoped transactions nested as savepoints, all-or-nothing
// saves, and the table lock of a numbering save, which waits longer than a
// row lock. Staged with a second connection where two programs meet.
#include "DbTestTables.h"
#include "KvTransaction.h"

#include <QElapsedTimer>
#include <QThread>

#include <thread>

using namespace kdb;
using dbtest::Count;

class TransactionTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (!HasFatalFailure()) dbtest::CreateItems(db());
  }
  void Add(Database& on, const QString& name) {
    on.Execute("INSERT INTO ITEMS (NAME) VALUES (" + sql::Quote(name) + ")");
  }
  QStringList Names() { return Column("SELECT NAME FROM ITEMS ORDER BY ID"); }
  // A post that the NOT NULL column refuses.
  void FailingPost(Table& t) {
    t.Append();
    t.FieldByName("NAME").SetAsString("bad");
    t.FieldByName("QTY").Clear();
    EXPECT_THROW(t.Post(), DbError);
    t.Cancel();
  }
};

TEST_P(TransactionTest, ANestedUnitRollsBackToItsSavepointAndTheOuterGoesOn) {
  {
    Transaction outer(db());
    Add(db(), "A");
    {
      Transaction inner(db());
      EXPECT_FALSE(inner.Outermost());
      Add(db(), "B");
    }  // not committed
    EXPECT_TRUE(db().InTransaction());
    {
      Transaction inner(db());
      Add(db(), "C");
      inner.Commit();
    }
    Add(db(), "D");
    auto other = Connect();  // nothing is visible outside before the commit
    EXPECT_EQ(Count(*other.db, "SELECT COUNT(*) FROM ITEMS"), 0);
    outer.Commit();
  }
  EXPECT_EQ(Names(), QStringList({"A", "C", "D"}));
  {
    Transaction outer(db());
    {
      Transaction inner(db());
      Add(db(), "E");
      inner.Commit();
    }
  }  // the outer rollback takes the committed inner unit with it
  EXPECT_EQ(Names(), QStringList({"A", "C", "D"}));
}

TEST_P(TransactionTest, AFailedStatementInANestedUnitIsOnlyThatUnitsFailure) {
  Transaction outer(db());
  Add(db(), "kept");
  {
    Transaction lookUp(db());
    EXPECT_THROW(db().Execute("SELECT NOPE FROM ITEMS"), DbError);
  }  // back to its savepoint
  Add(db(), "after");  // PostgreSQL would refuse this without the savepoint
  outer.Commit();
  EXPECT_EQ(Names(), QStringList({"kept", "after"}));
}

TEST_P(TransactionTest, AnAllOrNothingUnitWithAFailedPostSavesNothing) {
  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  {
    Transaction tx(db(), Transaction::AllOrNothing);
    Add(db(), "first");
    FailingPost(t);
    try {
      tx.Commit();
      FAIL() << "an all-or-nothing unit committed after a failed post";
    } catch (const DbError& e) {
      EXPECT_TRUE(e.Message().contains("nothing")) << e.Message().toStdString();
    }
  }
  EXPECT_FALSE(db().InTransaction());
  EXPECT_TRUE(Names().isEmpty());

  // An ordinary unit keeps the rows around a failed post on both engines.
  Transaction tx(db());
  Add(db(), "first");
  FailingPost(t);
  Add(db(), "second");
  tx.Commit();
  EXPECT_EQ(Names(), QStringList({"first", "second"}));
}

TEST_P(TransactionTest, AUnitEndedUnderneathLeavesItsScopedUnitsNothingToDo) {
  Transaction outer(db());
  Transaction inner(db());
  Add(db(), "gone");
  db().Rollback();  // the old way out ends every level at once
  EXPECT_FALSE(db().InTransaction());
  EXPECT_THROW(inner.Commit(), DbError);
  outer.Rollback();  // nothing left to undo, and no error
  Add(db(), "later");
  EXPECT_EQ(Names(), QStringList({"later"}));
  EXPECT_FALSE(db().InTransaction());
}

TEST_P(TransactionTest, ATableLockWaitsLongerThanARowLockThenFails) {
  auto holder = Connect();
  auto saver = Connect();
  // The row-lock wait of the waiting program: 2 x 50 ms.
  saver.session->LockRetryCount = 2;
  saver.session->LockWaitTime = 50;
  saver.db->Close();
  saver.db->Open();

  auto held = std::make_unique<Transaction>(*holder.db, Transaction::AllOrNothing, TableLock{"ITEMS"});
  Add(*holder.db, "numbered first");
  // The holder commits after 700 ms, long past the saver's row-lock wait.
  std::thread release([&] {
    QThread::msleep(700);
    held->Commit();
  });
  QElapsedTimer waited;
  waited.start();
  {
    Transaction tx(*saver.db, Transaction::AllOrNothing, TableLock{"ITEMS", 5000});
    EXPECT_GE(waited.elapsed(), 500);
    Add(*saver.db, "numbered second");
    tx.Commit();
  }
  release.join();
  held.reset();
  EXPECT_EQ(Names(), QStringList({"numbered first", "numbered second"}));

  // Held for longer than the lock may wait: the save fails, bounded, and
  // the program is called back all through the wait (its wait window).
  Transaction holding(*holder.db, Transaction::Partial, TableLock{"ITEMS"});
  int callbacks = 0;
  saver.db->OnLockWait = [&](int, bool&) { ++callbacks; };
  waited.restart();
  EXPECT_THROW(Transaction(*saver.db, Transaction::AllOrNothing, TableLock{"ITEMS", 400}), DbError);
  EXPECT_GE(waited.elapsed(), 300);
  EXPECT_LT(waited.elapsed(), 5000);
  EXPECT_GE(callbacks, 2);
  EXPECT_FALSE(saver.db->InTransaction());
  // Readers are never held up by it.
  EXPECT_EQ(Count(*saver.db, "SELECT COUNT(*) FROM ITEMS"), 2);
}

TEST_P(TransactionTest, LockTableInsideAnOpenUnitHoldsOtherSaversOff) {
  auto other = Connect();
  Transaction tx(db());
  db().LockTable("ITEMS", 1000);
  EXPECT_THROW(Transaction(*other.db, Transaction::AllOrNothing, TableLock{"ITEMS", 200}), DbError);
  tx.Commit();
  EXPECT_THROW(db().LockTable("ITEMS"), DbError);  // outside a unit of work
  EXPECT_THROW(Transaction(db(), Transaction::Partial, TableLock{"ITEMS; DROP TABLE ITEMS"}), DbError);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 0);
}

// A run of saves under one lock: each save opens its unit with the lock the
// run holds already, as a savepoint; one that rolls back leaves the run
// holding the lock, and nothing is seen outside before the run commits.
TEST_P(TransactionTest, NestedUnitsUnderTheLockTheOuterHoldsKeepItUntilTheOuterEnds) {
  auto other = Connect();
  {
    Transaction run(db(), Transaction::Partial, TableLock{"ITEMS"});
    for (const QString& name : QStringList{"first", "undone", "last"}) {
      Transaction save(db(), Transaction::AllOrNothing, TableLock{"ITEMS"});
      Add(db(), name);
      if (name != "undone") save.Commit();
    }
    EXPECT_THROW(Transaction(*other.db, Transaction::AllOrNothing, TableLock{"ITEMS", 200}), DbError);
    EXPECT_EQ(Count(*other.db, "SELECT COUNT(*) FROM ITEMS"), 0);
    run.Commit();
  }
  EXPECT_EQ(Names(), QStringList({"first", "last"}));
  Transaction next(*other.db, Transaction::AllOrNothing, TableLock{"ITEMS", 200});
  next.Commit();
}

KV_DB_ENGINES(TransactionTest);
