// The field-list cache on a query of either engine.
#include "KVFieldListClass.h"
#include "KvDbTestSupport.h"

namespace {

class FieldList : public kvtest::DbTest {
 protected:
  kdb::Query query{nullptr};
  void SetUp() override {
    DbTest::SetUp();
    db().Execute("CREATE TABLE fl_items (plu VARCHAR(20), style VARCHAR(40), size_name VARCHAR(10))");
    db().Execute("INSERT INTO fl_items (plu, style, size_name) VALUES ('0000001200', 'DRESS', '12')");
    query.SetDatabase(&db());
    query.SQL = "select plu, style, size_name from fl_items";
    query.ExecSQL();
  }
  void TearDown() override {
    query.Close();
    DbTest::TearDown();
  }
};

TEST_P(FieldList, FindsEachFieldOnceThenFromTheSortedCache) {
  KVDBFieldListClass fields;
  fields.Fields = &query;
  kdb::Field* style = fields.FieldByName("style");
  ASSERT_NE(style, nullptr);
  EXPECT_EQ(style->AsString(), "DRESS");
  ASSERT_NE(fields.FieldByName("plu"), nullptr);
  EXPECT_EQ(fields.FieldByName("plu")->AsString(), "0000001200");
  EXPECT_EQ(fields.Searches(), 2);
  // "plu" sorts first; found there again without searching the dataset.
  EXPECT_EQ(fields.Index().Strings(0), "plu");
  EXPECT_EQ(fields.FieldByName("plu"), &query.FieldByName("plu"));
  EXPECT_EQ(fields.FieldByName("style"), style);
  EXPECT_EQ(fields.Searches(), 2);
}

TEST_P(FieldList, NamesAreCaseSensitive) {
  KVDBFieldListClass fields;
  fields.Fields = &query;
  EXPECT_EQ(fields.FieldByName("STYLE"), nullptr);
  EXPECT_NE(fields.FieldByName("style"), nullptr);
  EXPECT_EQ(fields.FieldByName("Style"), nullptr);
  EXPECT_EQ(fields.FieldByName("colour"), nullptr);
  EXPECT_EQ(fields.Index().Count(), 1);
}

TEST_P(FieldList, ClearForgetsTheCache) {
  KVDBFieldListClass fields;
  fields.Fields = &query;
  fields.FieldByName("size_name");
  fields.Clear();
  EXPECT_EQ(fields.Index().Count(), 0);
  EXPECT_TRUE(fields.Index().Sorted());
  fields.Fields = nullptr;
  EXPECT_EQ(fields.FieldByName("size_name"), nullptr);
}

KV_DB_ENGINES(FieldList);

}  // namespace
