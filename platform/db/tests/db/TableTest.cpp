// Tables: primary-index order, find by key, edit/insert/post/cancel, row
// locks between two programs, and units of work.
#include "DbTestTables.h"

#include <QRandomGenerator>

#include <algorithm>

using namespace kdb;
using dbtest::Count;

class TableTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (HasFatalFailure()) return;
    dbtest::CreateItems(db());
    dbtest::CreateProducts(db());
  }

  void Open(Table& t, const QString& name) {
    t.TableName = name;
    t.Open();
  }

  qint64 AddItem(const QString& name, int qty) {
    Table t(&db());
    Open(t, "ITEMS");
    t.Append();
    t.FieldByName("NAME").SetAsString(name);
    t.FieldByName("QTY").SetAsInteger(qty);
    t.Post();
    return t.FieldByName("ID").AsInteger();
  }

  int QtyOf(qint64 id) { return Count(db(), "SELECT QTY FROM ITEMS WHERE ID = " + sql::Int(id)); }
};

TEST_P(TableTest, OpensOnFirstRowInPrimaryIndexOrderAndPagesThrough) {
  // More rows than one page, inserted out of order.
  QStringList plus;
  for (int k = 0; k < 137; ++k) plus << QString("%1").arg(k * 7919 % 100003, 10, 10, QChar('0'));
  std::shuffle(plus.begin(), plus.end(), *QRandomGenerator::global());
  QStringList values;
  for (const QString& p : plus) values << "(" + sql::Quote(p) + ", 'd')";
  db().Execute("INSERT INTO PRODUCTS (PLU, DESCRIPTION) VALUES " + values.join(", "));
  std::sort(plus.begin(), plus.end());

  Table t(&db());
  Open(t, "products");
  EXPECT_EQ(t.PrimaryKey(), QStringList{"PLU"});
  EXPECT_EQ(t.GetState(), Table::State::Browse);
  EXPECT_EQ(t.RecordCount(), 137);
  QStringList seen;
  for (; !t.Eof(); t.Next()) seen << t.FieldByName("PLU").AsString();
  EXPECT_EQ(seen, plus);

  t.Last();
  EXPECT_EQ(t.FieldByName("PLU").AsString(), plus.last());
  t.Prior();
  EXPECT_EQ(t.FieldByName("PLU").AsString(), plus[plus.size() - 2]);
  EXPECT_EQ(t.RecNo(), 136);
  t.First();
  EXPECT_EQ(t.FieldByName("PLU").AsString(), plus.first());
  t.Prior();
  EXPECT_TRUE(t.Bof());
  EXPECT_EQ(t.RecNo(), 1);
}

TEST_P(TableTest, FindKeyEditPostRunsAfterPost) {
  AddItem("first", 1);
  const qint64 id = AddItem("second", 2);
  Table t(&db());
  int afterPost = 0;
  QString seenInAfterPost;
  t.AfterPost = [&](Table& tab) {
    ++afterPost;
    EXPECT_EQ(tab.GetState(), Table::State::Browse);
    seenInAfterPost = tab.FieldByName("NAME").AsString();
  };
  Open(t, "ITEMS");
  EXPECT_FALSE(t.FindKey({999}));
  EXPECT_EQ(t.FieldByName("NAME").AsString(), "first");  // a miss does not move
  ASSERT_TRUE(t.FindKey({QString::number(id)}));       // the id as text
  EXPECT_EQ(t.FieldByName("NAME").AsString(), "second");
  t.Edit();
  EXPECT_EQ(t.GetState(), Table::State::Edit);
  t.FieldByName("NAME").SetAsString("changed");
  t.FieldByName("QTY").SetAsString("20");
  EXPECT_EQ(t.FieldByName("QTY").AsInteger(), 20);  // the edit buffer is what fields show
  t.Post();
  EXPECT_EQ(afterPost, 1);
  EXPECT_EQ(seenInAfterPost, "changed");
  EXPECT_EQ(QtyOf(id), 20);
  EXPECT_FALSE(db().InTransaction());
  EXPECT_THROW(t.Post(), DbError);  // nothing pending
}

TEST_P(TableTest, InsertedRowShowsItsNewIdAndDefaults) {
  Table t(&db());
  Open(t, "ITEMS");
  EXPECT_TRUE(t.IsEmpty());
  EXPECT_TRUE(t.Eof());
  t.Insert();
  t.FieldByName("NAME").SetAsString("a");
  t.Post();
  const qint64 first = t.FieldByName("ID").AsInteger();
  EXPECT_GT(first, 0);
  EXPECT_EQ(t.FieldByName("QTY").AsInteger(), 0);  // the column default
  t.Append();
  t.Post();  // nothing set: every column takes its default
  EXPECT_GT(t.FieldByName("ID").AsInteger(), first);
  EXPECT_TRUE(t.FieldByName("NAME").IsNull());
  EXPECT_EQ(t.RecordCount(), 2);
}

TEST_P(TableTest, CancelDropsTheChangeAndReleasesTheRow) {
  const qint64 id = AddItem("keep", 5);
  Table t(&db());
  Open(t, "ITEMS");
  t.Edit();
  t.FieldByName("QTY").SetAsInteger(99);
  t.Cancel();
  EXPECT_EQ(t.GetState(), Table::State::Browse);
  EXPECT_EQ(t.FieldByName("QTY").AsInteger(), 5);
  EXPECT_EQ(QtyOf(id), 5);
  t.Insert();
  t.FieldByName("NAME").SetAsString("dropped");
  t.Cancel();
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 1);

  // Another program can edit the row at once.
  auto other = Connect();
  Table o(other.db.get());
  Open(o, "ITEMS");
  o.Edit();
  o.FieldByName("QTY").SetAsInteger(6);
  o.Post();
  EXPECT_EQ(QtyOf(id), 6);
}

TEST_P(TableTest, RowInEditIsLockedAgainstAnotherProgram) {
  const qint64 id = AddItem("shared", 1);
  auto other = Connect();
  other.session->LockRetryCount = 3;  // keep the test short; the wait is the same mechanism
  other.session->LockWaitTime = 50;
  other.db->Close();
  other.db->Open();

  Table mine(&db());
  Open(mine, "ITEMS");
  Table theirs(other.db.get());
  Open(theirs, "ITEMS");

  mine.Edit();
  EXPECT_THROW(theirs.Edit(), DbError);  // waits, then fails: never hangs
  EXPECT_EQ(theirs.GetState(), Table::State::Browse);
  mine.FieldByName("QTY").SetAsInteger(5);
  mine.Post();

  // The first change survives; the second program starts from it.
  ASSERT_TRUE(theirs.FindKey({id}));
  theirs.Edit();
  EXPECT_EQ(theirs.FieldByName("QTY").AsInteger(), 5);
  theirs.FieldByName("NAME").SetAsString("second");
  theirs.Post();
  Query q(&db());
  q.SQL = "SELECT NAME, QTY FROM ITEMS WHERE ID = " + sql::Int(id);
  q.ExecSQL();
  EXPECT_EQ(q.FieldByName("QTY").AsInteger(), 5);
  EXPECT_EQ(q.FieldByName("NAME").AsString(), "second");
}

TEST_P(TableTest, EditStartsFromAChangePostedMeanwhile) {
  const qint64 id = AddItem("row", 1);
  Table t(&db());
  Open(t, "ITEMS");  // positioned, QTY read as 1
  auto other = Connect();
  other.db->Execute("UPDATE ITEMS SET QTY = 50 WHERE ID = " + sql::Int(id));
  t.Edit();
  EXPECT_EQ(t.FieldByName("QTY").AsInteger(), 50);
  t.FieldByName("NAME").SetAsString("renamed");
  t.Post();
  EXPECT_EQ(QtyOf(id), 50);  // only the changed column is written
}

TEST_P(TableTest, RolledBackUnitOfWorkLeavesNothing) {
  const qint64 id = AddItem("before", 1);
  db().StartTransaction();
  Table t(&db());
  Open(t, "ITEMS");
  t.Append();
  t.FieldByName("NAME").SetAsString("in transaction");
  t.Post();
  EXPECT_TRUE(db().InTransaction());  // Post inside a unit of work does not commit
  db().StartTransaction();             // nested: only counts
  db().Execute("UPDATE ITEMS SET QTY = 7");
  ASSERT_TRUE(t.FindKey({id}));
  t.Edit();
  t.FieldByName("NAME").SetAsString("edited");
  t.Post();
  db().Commit();
  EXPECT_TRUE(db().InTransaction());
  auto other = Connect();  // nothing is visible outside yet
  EXPECT_EQ(Count(*other.db, "SELECT COUNT(*) FROM ITEMS WHERE QTY = 7"), 0);
  db().Rollback();
  EXPECT_FALSE(db().InTransaction());
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 1);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NAME = 'before' AND QTY = 1"), 1);
  EXPECT_THROW(db().Commit(), DbError);  // the unit of work is over
}

TEST_P(TableTest, EditInsideUnitOfWorkHoldsTheLockUntilCommit) {
  const qint64 id = AddItem("row", 1);
  auto other = Connect();
  other.session->LockRetryCount = 2;
  other.session->LockWaitTime = 50;
  other.db->Close();
  other.db->Open();
  Table theirs(other.db.get());
  Open(theirs, "ITEMS");

  db().StartTransaction();
  Table t(&db());
  Open(t, "ITEMS");
  t.Edit();
  t.FieldByName("QTY").SetAsInteger(2);
  t.Post();
  EXPECT_THROW(theirs.Edit(), DbError);
  db().Commit();
  theirs.Edit();
  EXPECT_EQ(theirs.FieldByName("QTY").AsInteger(), 2);
  theirs.Cancel();
  EXPECT_EQ(QtyOf(id), 2);
}

TEST_P(TableTest, FailedPostKeepsTheUnitOfWorkUsable) {
  AddItem("row", 1);
  Table t(&db());
  Open(t, "ITEMS");
  db().StartTransaction();
  db().Execute("INSERT INTO ITEMS (NAME) VALUES ('kept')");
  t.Append();
  t.FieldByName("NAME").SetAsString("bad");
  t.FieldByName("QTY").Clear();  // NOT NULL
  EXPECT_THROW(t.Post(), DbError);
  EXPECT_EQ(t.GetState(), Table::State::Insert);
  t.Cancel();
  db().Commit();
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NAME = 'kept'"), 1);

  // Same for an edit: the row stays locked and editable after the failure.
  t.First();
  t.Edit();
  t.FieldByName("QTY").Clear();
  EXPECT_THROW(t.Post(), DbError);
  EXPECT_EQ(t.GetState(), Table::State::Edit);
  t.FieldByName("QTY").SetAsInteger(3);
  t.Post();
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE QTY = 3"), 1);
}

TEST_P(TableTest, CommitNeverHidesLostWork) {
  db().StartTransaction();
  db().Execute("INSERT INTO ITEMS (NAME) VALUES ('x')");
  EXPECT_THROW(db().Execute("INSERT INTO NOPE VALUES (1)"), DbError);
  bool committed = true;
  try {
    db().Commit();
  } catch (const DbError&) {
    committed = false;  // PostgreSQL: the failed statement spoiled the transaction
  }
  EXPECT_EQ(committed, !isPg());
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), committed ? 1 : 0);
  EXPECT_FALSE(db().InTransaction());
}

TEST_P(TableTest, BadTableNamesAndStatesAreRefused) {
  Table t(&db());
  t.TableName = "ITEMS; DROP TABLE ITEMS";
  EXPECT_THROW(t.Open(), DbError);
  t.TableName = "MISSING";
  EXPECT_THROW(t.Open(), DbError);
  EXPECT_FALSE(t.Active());
  Open(t, "ITEMS");
  EXPECT_THROW(t.Edit(), DbError);  // empty table: no row
  t.Close();
  EXPECT_THROW(t.FindKey({1}), DbError);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS"), 0);
}

// The statements a table generates are prepared once per connection and kept;
// a table another program changed meanwhile (dbsetup adding a column to a
// live database) must still be read and written.
TEST_P(TableTest, KeptStatementsFollowATableChangedByAnotherProgram) {
  const qint64 id = AddItem("row", 1);
  Table t(&db());
  Open(t, "ITEMS");
  ASSERT_TRUE(t.FindKey({id}));
  auto other = Connect();
  other.db->Execute("ALTER TABLE ITEMS ADD COLUMN NOTE VARCHAR(10)");

  ASSERT_TRUE(t.FindKey({id}));
  t.Edit();
  t.FieldByName("QTY").SetAsInteger(5);
  t.Post();
  EXPECT_EQ(QtyOf(id), 5);
  EXPECT_EQ(AddItem("added", 2), id + 1);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE NOTE IS NULL"), 2);
}

KV_DB_ENGINES(TableTest);
