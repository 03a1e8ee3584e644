// The pack row of a style and its barcode, on both engines: never one
// without the other, whatever fails, and one row when two programs make the
// same style's pack at once.
#include "FwDbFixture.h"

#include <chrono>
#include <future>
#include <thread>

namespace {

using kdb::sql::Quote;

class WSPackDbTest : public fwdbtest::FwDbTest {
 protected:
  // Every pack row as "STYLE|BARCODE" ("" for a missing barcode).
  QStringList Packs() {
    return Column("SELECT STYLE || '|' || COALESCE(BARCODE, '') FROM WSPACKS ORDER BY ID");
  }
};

// The program failed between writing the row and writing its barcode (the
// first post's record could not be written, say): nothing of the pack stays.
TEST_P(WSPackDbTest, AFailureAfterTheRowIsWrittenLeavesNoRowWithoutBarcode) {
  kdb::Table& table = *m->DBTableR1;
  const auto logPost = table.AfterPost;
  bool failed = false;
  table.AfterPost = [&](kdb::Table& t) {
    logPost(t);
    if (!failed && t.TableName == "WSPACKS") {
      failed = true;
      throw kdb::DbError("The log disk is full");
    }
  };
  QString barcode = "stale";
  EXPECT_FALSE(rules->SaveWSPack("JEANS", barcode));
  EXPECT_TRUE(barcode.isEmpty());
  EXPECT_TRUE(LogText().contains("TDMBRules::SaveWSPack\r\n"));
  EXPECT_TRUE(Packs().isEmpty()) << Packs().join(",").toStdString();
  table.AfterPost = logPost;

  // The next save makes the pack whole.
  ASSERT_TRUE(rules->SaveWSPack("JEANS", barcode));
  const QString id = Column("SELECT ID FROM WSPACKS WHERE STYLE = 'JEANS'").value(0);
  EXPECT_EQ(barcode, "99" + id.rightJustified(8, '0'));
  EXPECT_EQ(Packs(), QStringList{"JEANS|" + barcode});
}

// A row that an earlier program left without its barcode gets it now,
// instead of every later save handing out an empty pack code.
TEST_P(WSPackDbTest, ARowFoundWithoutBarcodeGetsItsBarcode) {
  ExecWithIds("INSERT INTO WSPACKS (ID, STYLE) VALUES (12, 'HALF'), (13, 'EMPTY')");
  Exec("UPDATE WSPACKS SET BARCODE = '' WHERE ID = 13");
  QString barcode;
  ASSERT_TRUE(rules->SaveWSPack("HALF", barcode));
  EXPECT_EQ(barcode, "9900000012");
  ASSERT_TRUE(rules->SaveWSPack("EMPTY", barcode));
  EXPECT_EQ(barcode, "9900000013");
  EXPECT_EQ(Packs(), (QStringList{"HALF|9900000012", "EMPTY|9900000013"}));
  // Found whole, it is only read.
  const int posts = int(LogText().count("[x]after post: WSPACKS[=]"));
  ASSERT_TRUE(rules->SaveWSPack("HALF", barcode));
  EXPECT_EQ(barcode, "9900000012");
  EXPECT_EQ(LogText().count("[x]after post: WSPACKS[=]"), posts);
}

// Another program makes the pack of the same style in its open transaction;
// this save runs meanwhile, waits for it and takes that program's pack.
TEST_P(WSPackDbTest, TwoProgramsMakingOneStylesPackAtOnceShareOneRow) {
  kvtest::DbHandle other = Connect();
  std::promise<void> written;
  std::future<void> otherWrote = written.get_future();
  std::thread program([&] {
    kdb::Database& db = *other.db;
    try {
      db.StartTransaction();
      db.Execute("INSERT INTO WSPACKS (STYLE, BARCODE) VALUES (" + Quote("RACE 'ONE'") + ", '9900000077')");
      written.set_value();
      std::this_thread::sleep_for(std::chrono::milliseconds(400));
      db.Commit();
    } catch (...) {
      db.Rollback();
      written.set_exception(std::current_exception());
    }
  });
  try {
    otherWrote.get();
  } catch (const kdb::DbError& e) {
    ADD_FAILURE() << e.Message().toStdString();
  }
  QString barcode;
  const bool saved = rules->SaveWSPack("RACE 'ONE'", barcode);
  program.join();
  EXPECT_TRUE(saved) << m->LastError.toStdString();
  EXPECT_EQ(barcode, "9900000077");
  EXPECT_EQ(Packs(), QStringList{"RACE 'ONE'|9900000077"});
}

KV_DB_ENGINES(WSPackDbTest);

}  // namespace
