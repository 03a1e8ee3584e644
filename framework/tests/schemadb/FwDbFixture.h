#pragma once
// A data module connected to a fresh database that holds the whole schema,
// on each engine, and the business rules beside it.
#include "DMBRulesF.h"
#include "KvShopTestSupport.h"
#include "SchemaClass.h"

namespace fwdbtest {

class FwDbTest : public kvfwtest::EditionDbTest {
 protected:
  TDMDB* m = nullptr;  // the fixture's module (dm)
  std::unique_ptr<TDMBRules> rules;

  void SetUp() override {
    EditionDbTest::SetUp();
    PrepareDatabase(kvfwtest::Schema);
    dm = Module();
    m = dm.get();
    ASSERT_TRUE(m->Init());
    ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
    rules = std::make_unique<TDMBRules>();
  }
  void TearDown() override {
    rules.reset();
    EditionDbTest::TearDown();
  }

  // Rows with explicit ids: the id counters then move past them.
  void ExecWithIds(const QString& sql) {
    Exec(sql);
    kvschema::SyncIdCounters(db());
  }
};

}  // namespace fwdbtest
