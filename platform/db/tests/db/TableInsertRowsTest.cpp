// Tables: several new rows in one statement, stored and read back as single
// posts store them, AfterPost per row in the order filled, and all or none
// inside a unit of work.
#include "DbTestTables.h"

#include "KvTransaction.h"

using namespace kdb;
using dbtest::Count;

class TableInsertRowsTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (HasFatalFailure()) return;
    dbtest::CreateItems(db());
    dbtest::CreateProducts(db());
  }

  // Every field of the current row as the post log writes it, but the ID.
  static QStringList Record(Table& t) {
    QStringList r;
    for (int i = 0; i < t.FieldCount(); ++i)
      if (t.Fields(i).FieldName() != "ID") r << t.Fields(i).FieldName() + "=" + t.Fields(i).AsString();
    return r;
  }

  static void SetItem(Table& t, int i) {
    t.FieldByName("NAME").SetAsString("ITEM " + QString::number(i));
    t.FieldByName("QTY").SetAsString(QString::number(i));
    t.FieldByName("PRICE").SetAsString("12.34567");
    t.FieldByName("ECOM_FLAG").SetAsBoolean(i % 2 == 0);
    t.FieldByName("DATE_CREATED").SetAsDateTime(QDateTime(QDate(2025, 3, 4), QTime(10, 11, 12)));
  }
};

TEST_P(TableInsertRowsTest, RowsAreStoredAndLoggedAsSinglePostsAre) {
  Table single(&db());
  single.TableName = "ITEMS";
  single.Open();
  single.Append();
  SetItem(single, 0);
  single.Post();
  const QStringList posted = Record(single);

  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  QList<QStringList> logged;
  QList<qint64> ids;
  t.AfterPost = [&](Table& tab) {
    EXPECT_EQ(tab.GetState(), Table::State::Browse);
    logged << Record(tab);
    ids << tab.FieldByName("ID").AsInteger();
  };
  t.InsertRows(3, [&](int i) { SetItem(t, i); });
  ASSERT_EQ(logged.size(), 3);
  EXPECT_EQ(logged[0], posted);  // same values, types and texts as a single post
  EXPECT_EQ(logged[1][0], "NAME=ITEM 1");
  EXPECT_EQ(logged[2], QStringList({"NAME=ITEM 2", "QTY=2", "PRICE=12.3457", "RATE=", "ECOM_FLAG=True",
                                    "DATE_CREATED=2025-03-04 10:11:12"}));
  EXPECT_EQ(ids.size(), 3);
  EXPECT_NE(ids[0], ids[1]);  // each row shows its own read-back ID
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE PRICE = 12.3457"), 4);
}

TEST_P(TableInsertRowsTest, AfterPostFollowsTheOrderFilledWhateverOrderTheRowsComeBack) {
  Table t(&db());
  t.TableName = "PRODUCTS";
  t.Open();
  const QStringList plus = {"0000004202", "0000004200", "0000004201", "0000004299"};
  QStringList seen;
  t.AfterPost = [&](Table& tab) { seen << tab.FieldByName("PLU").AsString(); };
  t.InsertRows(int(plus.size()), [&](int i) {
    t.FieldByName("PLU").SetAsString(plus[i]);
    t.FieldByName("DESCRIPTION").SetAsString("D");
  });
  EXPECT_EQ(seen, plus);
  EXPECT_EQ(t.FieldByName("PLU").AsString(), "0000004299");  // the last one stays shown
}

// A row starts as the one before it: fill may set only what differs, and a
// value set in a middle row is what the rows after it carry.
TEST_P(TableInsertRowsTest, EachRowStartsAsTheRowBeforeIt) {
  Table t(&db());
  t.TableName = "ITEMS";
  t.Open();
  QList<QStringList> logged;
  t.AfterPost = [&](Table& tab) { logged << Record(tab); };
  t.InsertRows(3, [&](int i) {
    t.FieldByName("NAME").SetAsString("ITEM " + QString::number(i));
    if (i == 0) SetItem(t, 0);
    if (i == 1) t.FieldByName("QTY").SetAsString("7");
  });
  ASSERT_EQ(logged.size(), 3);
  EXPECT_EQ(logged[0], QStringList({"NAME=ITEM 0", "QTY=0", "PRICE=12.3457", "RATE=", "ECOM_FLAG=True",
                                    "DATE_CREATED=2025-03-04 10:11:12"}));
  EXPECT_EQ(logged[1], QStringList({"NAME=ITEM 1", "QTY=7", "PRICE=12.3457", "RATE=", "ECOM_FLAG=True",
                                    "DATE_CREATED=2025-03-04 10:11:12"}));
  EXPECT_EQ(logged[2][0], "NAME=ITEM 2");
  EXPECT_EQ(logged[2][1], "QTY=7");
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM ITEMS WHERE PRICE = 12.3457 AND DATE_CREATED IS NOT NULL"), 3);
}

TEST_P(TableInsertRowsTest, AFailedStatementWritesNoRowAndRowsMustSetTheSameFields) {
  db().Execute("INSERT INTO PRODUCTS (PLU) VALUES ('TAKEN')");
  Table t(&db());
  t.TableName = "PRODUCTS";
  t.Open();
  int posts = 0;
  t.AfterPost = [&](Table&) { ++posts; };
  {
    Transaction tx(db());
    EXPECT_THROW(t.InsertRows(3, [&](int i) { t.FieldByName("PLU").SetAsString(i == 2 ? "TAKEN" : "NEW" + QString::number(i)); }),
                 DbError);
  }
  EXPECT_EQ(posts, 0);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM PRODUCTS"), 1);
  EXPECT_THROW(t.InsertRows(2,
                            [&](int i) {
                              t.FieldByName("PLU").SetAsString("P" + QString::number(i));
                              if (i == 1) t.FieldByName("DESCRIPTION").SetAsString("only here");
                            }),
               DbError);
  EXPECT_EQ(Count(db(), "SELECT COUNT(*) FROM PRODUCTS"), 1);
  EXPECT_EQ(t.GetState(), Table::State::Browse);  // usable again
  t.InsertRows(0, [&](int) { ADD_FAILURE() << "nothing to fill"; });
}

KV_DB_ENGINES(TableInsertRowsTest);
