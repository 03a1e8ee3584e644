// The query-progress pump of the data module: long statements of the
// progress queries keep the window alive, and nothing handled meanwhile can
// start a second statement in the middle of the running one.
#include "ConnectedModuleTest.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

class QueryProgressDbTest : public fwdbtest::ConnectedModuleTest {};

// Whether a timer due at once could fire while the statement ran.
bool EventsRanDuring(TDMDB& m, kdb::Query* q, const QString& sql) {
  bool ran = false;
  QTimer::singleShot(0, [&] { ran = true; });
  const bool ok = m.RunQuery(sql, q);
  const bool during = ran;
  QCoreApplication::processEvents();  // the timer of a query that did not pump
  EXPECT_TRUE(ok) << m.LastError.toStdString();
  EXPECT_TRUE(ran);
  return during;
}

TEST_P(QueryProgressDbTest, LongQueriesOfTheProgressQueriesLetWindowEventsRun) {
  EXPECT_TRUE(EventsRanDuring(*m, m->DBQueryRemote1, Slow()));
  EXPECT_TRUE(EventsRanDuring(*m, m->DBQueryBRules, Slow()));
  EXPECT_FALSE(EventsRanDuring(*m, m->DBQueryRemote2, Slow()));
  EXPECT_EQ(m->DBQueryRemote1->RecordCount(), 1);
}

// A handler run by the pump (here a timer, as a click's would be) that
// starts a statement on the query still fetching, or on the connection.
TEST_P(QueryProgressDbTest, AHandlerRunMidFetchCannotStartAnotherStatement) {
  bool handled = false, sameQuery = true, otherQuery = true;
  QTimer::singleShot(0, [&] {
    handled = true;
    sameQuery = m->RunQuery("SELECT 2 AS X", m->DBQueryRemote1);
    otherQuery = m->RunQuery("SELECT 3 AS X", m->DBQueryRemote2);
  });
  ASSERT_TRUE(m->RunQuery(Slow(), m->DBQueryRemote1)) << m->LastError.toStdString();
  ASSERT_TRUE(handled);
  EXPECT_FALSE(sameQuery);
  EXPECT_FALSE(otherQuery);
  EXPECT_TRUE(Log().contains("TDMDB::RunQuery")) << Log().toStdString();
  EXPECT_TRUE(Log().contains("still running"));
  // The running statement's own result, whole.
  ASSERT_EQ(m->DBQueryRemote1->RecordCount(), 1);
  EXPECT_NE(m->DBQueryRemote1->FieldByName("X").AsString(), "2");
  EXPECT_TRUE(m->RunQuery("SELECT 2 AS X", m->DBQueryRemote1));  // free again afterwards
}

KV_DB_ENGINES(QueryProgressDbTest);

}  // namespace
