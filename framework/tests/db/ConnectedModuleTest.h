#pragma once
// A program's data module connected to a fresh database of the test's engine.
#include "KvFwTestSupport.h"

namespace fwdbtest {

class ConnectedModuleTest : public kvfwtest::EditionDbTest {
 protected:
  std::unique_ptr<TDMDB> m;

  void SetUp() override {
    EditionDbTest::SetUp();
    PrepareDatabase();
    m = Module();
    ASSERT_TRUE(m->Init());
    ASSERT_TRUE(m->ConnectRemoteDB(false)) << m->LastError.toStdString();
  }
  void TearDown() override {
    m.reset();
    EditionDbTest::TearDown();
  }

  QByteArray Log() const { return kvtest::ReadAll(m->LogFileName); }

  // A statement that keeps the engine busy for a few hundred milliseconds.
  QString Slow() const {
    return isPg() ? "SELECT pg_sleep(0.3) AS X"
                  : "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c"
                    " WHERE x < 1000000) SELECT COUNT(*) AS X FROM c";
  }
};

}  // namespace fwdbtest
