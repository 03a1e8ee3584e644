// Edits from two windows on one row: only changed columns are written, and a
// column another session changed since the window loaded it is refused.
#include "DbTestTables.h"
#include "KvEditBaseline.h"
#include "KvTransaction.h"

using namespace kdb;

class EditBaselineTest : public kvtest::DbTest {
 protected:
  void SetUp() override {
    DbTest::SetUp();
    if (HasFatalFailure()) return;
    dbtest::CreateProducts(db());
    db().Execute("INSERT INTO PRODUCTS (PLU, DESCRIPTION, RETAIL_PRICE) VALUES ('0000000100', 'RED SHIRT', 12.5)");
  }

  // What a window shows after loading the row.
  EditBaseline Load(Database& on) {
    Query q(&on);
    q.SQL = "SELECT PLU, DESCRIPTION, RETAIL_PRICE FROM PRODUCTS WHERE PLU = '0000000100'";
    q.ExecSQL();
    EditBaseline b;
    b.Capture(q, {"DESCRIPTION", "RETAIL_PRICE"});
    b.SetCaption("RETAIL_PRICE", "Retail Price");
    b.SetCaption("DESCRIPTION", "Description");
    return b;
  }

  // A save as a window makes it: lock, apply, post, commit.
  int Save(Database& on, EditBaseline& b, const EditBaseline::Values& shown) {
    Transaction tx(on);
    Table t(&on);
    t.TableName = "PRODUCTS";
    t.Open();
    EXPECT_TRUE(t.FindKey({"0000000100"}));
    t.Edit();
    int n = 0;
    try {
      n = b.Apply(t, shown);
    } catch (...) {
      t.Cancel();
      throw;
    }
    if (n > 0) t.Post(); else t.Cancel();
    tx.Commit();
    return n;
  }

  QString Stored(const QString& col) {
    return kvtest::Column(db(), "SELECT " + col + " FROM PRODUCTS WHERE PLU = '0000000100'").value(0);
  }
};

TEST_P(EditBaselineTest, SecondWindowKeepsTheFirstWindowsChange) {
  auto other = Connect();
  EditBaseline a = Load(db());
  EditBaseline b = Load(*other.db);

  // A changes the description; B, loaded before, changes only the price.
  EXPECT_EQ(Save(db(), a, {{"DESCRIPTION", "BLUE SHIRT"}, {"RETAIL_PRICE", "12.50"}}), 1);
  EXPECT_EQ(Save(*other.db, b, {{"DESCRIPTION", "RED SHIRT"}, {"RETAIL_PRICE", "14.00"}}), 1);

  EXPECT_EQ(Stored("DESCRIPTION"), "BLUE SHIRT");
  EXPECT_EQ(Stored("RETAIL_PRICE"), "14");
}

TEST_P(EditBaselineTest, SameColumnChangedMeanwhileIsRefusedAndNothingWritten) {
  auto other = Connect();
  EditBaseline a = Load(db());
  EditBaseline b = Load(*other.db);
  Save(db(), a, {{"RETAIL_PRICE", "13"}});
  try {
    Save(*other.db, b, {{"DESCRIPTION", "GREEN SHIRT"}, {"RETAIL_PRICE", "15"}});
    FAIL() << "the second save went through";
  } catch (const EditConflict& e) {
    EXPECT_EQ(e.Caption(), "Retail Price");
    EXPECT_TRUE(e.Message().contains("Retail Price"));
  }
  EXPECT_EQ(Stored("RETAIL_PRICE"), "13");
  EXPECT_EQ(Stored("DESCRIPTION"), "RED SHIRT");  // not half-written
}

TEST_P(EditBaselineTest, ShownTextEqualToTheStoredValueIsNoChange) {
  EditBaseline a = Load(db());
  Table t(&db());
  t.TableName = "PRODUCTS";
  t.Open();
  ASSERT_TRUE(t.FindKey({"0000000100"}));
  EXPECT_TRUE(a.Changed(t, {{"RETAIL_PRICE", "12.5000"}, {"DESCRIPTION", "RED SHIRT"}}).empty());
  EXPECT_EQ(a.Changed(t, {{"RETAIL_PRICE", "12.51"}}).size(), 1u);
  // An empty text is stored as NULL; both sides count as empty.
  EXPECT_TRUE(EditBaseline::Same(QString(), QVariant(), FieldType::Text, "DESCRIPTION"));
  EXPECT_FALSE(EditBaseline::Same("A", "a", FieldType::Text, "DESCRIPTION"));
}

TEST_P(EditBaselineTest, ASecondSaveFromTheSameWindowChecksAgainstWhatItWrote) {
  EditBaseline a = Load(db());
  Save(db(), a, {{"DESCRIPTION", "BLUE SHIRT"}});
  EXPECT_EQ(Save(db(), a, {{"DESCRIPTION", "NAVY SHIRT"}}), 1);
  EXPECT_EQ(Stored("DESCRIPTION"), "NAVY SHIRT");
}

TEST_P(EditBaselineTest, TransactionLeftUncommittedRollsBack) {
  {
    Transaction tx(db());
    db().Execute("UPDATE PRODUCTS SET DESCRIPTION = 'GONE' WHERE PLU = '0000000100'");
  }
  EXPECT_FALSE(db().InTransaction());
  EXPECT_EQ(Stored("DESCRIPTION"), "RED SHIRT");
  {
    Transaction tx(db());
    db().Execute("UPDATE PRODUCTS SET DESCRIPTION = 'KEPT' WHERE PLU = '0000000100'");
    tx.Commit();
    EXPECT_THROW(tx.Commit(), DbError);
  }
  EXPECT_EQ(Stored("DESCRIPTION"), "KEPT");
}

// Many rows of one result captured with their fields looked up once: each
// baseline holds its own row's values (names in any letter case, money exact).
TEST_P(EditBaselineTest, FieldsLookedUpOnceCaptureEachRowOfTheResult) {
  db().Execute("INSERT INTO PRODUCTS (PLU, DESCRIPTION, RETAIL_PRICE) VALUES ('0000000101', 'RED SHIRT L', 13.1234)");
  Query q(&db());
  q.SQL = "SELECT PLU, DESCRIPTION, RETAIL_PRICE FROM PRODUCTS ORDER BY PLU";
  q.ExecSQL();
  const EditBaseline::Fields fields(q, {"retail_price", "DESCRIPTION"});
  std::vector<EditBaseline> rows;
  for (q.First(); !q.Eof(); q.Next()) {
    rows.emplace_back();
    rows.back().Capture(fields);
  }
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].Value("DESCRIPTION").toString(), "RED SHIRT");
  EXPECT_EQ(rows[1].Value("description").toString(), "RED SHIRT L");
  EXPECT_EQ(rows[0].Value("RETAIL_PRICE").value<Currency>(), Currency::FromRaw(125000));
  EXPECT_EQ(rows[1].Value("RETAIL_PRICE").value<Currency>(), Currency::FromRaw(131234));
  EXPECT_FALSE(rows[1].Has("PLU"));
}

KV_DB_ENGINES(EditBaselineTest);
