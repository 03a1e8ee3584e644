// The log-in against STAFF, the hand-over file read back by a tool, and the
// security check, on both engines.
#include "FwDbFixture.h"

#include <QElapsedTimer>
#include <QThread>

namespace {

class UserDbTest : public fwdbtest::FwDbTest {
 protected:
  void SetUp() override {
    FwDbTest::SetUp();
    if (HasFatalFailure()) return;
    ExecWithIds(
        "INSERT INTO STAFF (ID, USERNAME, PASSWORD, SECURITY_LEVEL, DISPLAYNAME) VALUES "
        "(4, 'ADMIN', 'pw', 3, 'The Admin'), (5, 'O''BRIEN', 'it''s', 2, 'Pat'), "
        "(6, 'TWIN', 'same', 1, 'One'), (7, 'TWIN', 'same', 1, 'Two')");
    Exec("INSERT INTO SECURITY (SECURITY_LEVEL, SECURITY_FUNCTION) VALUES (3, 'Edit Stock')");
  }
  void WriteUserFile(const QByteArray& bytes) { kvtest::WriteFile(m->UserFileName(), bytes); }
  int StaffRows() { return static_cast<int>(Column("SELECT ID FROM STAFF").size()); }
};

TEST_P(UserDbTest, LoginKeepsTheOneRowFoundAndLogsIt) {
  ASSERT_TRUE(m->LoginUser("ADMIN", "pw"));
  EXPECT_EQ(m->StaffID, "4");
  EXPECT_EQ(m->UserName, "ADMIN");
  EXPECT_EQ(m->SecurityLevel, "3");
  EXPECT_EQ(m->DisplayName, "The Admin");
  EXPECT_TRUE(LogText().endsWith("2024-03-05 09:15:30\r\nLogin StaffID: 4\r\nLogin Username: ADMIN\r\n"));

  EXPECT_FALSE(m->LoginUser("ADMIN", "wrong"));
  EXPECT_EQ(m->StaffID, "4");  // a failed log-in changes nothing
}

TEST_P(UserDbTest, TwoRowsWithTheSameLoginNameNoUser) {
  const QByteArray before = LogText();
  EXPECT_FALSE(m->LoginUser("TWIN", "same"));
  EXPECT_TRUE(m->StaffID.isEmpty());
  EXPECT_EQ(LogText(), before);  // silent
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(UserDbTest, QuotesInNamesAndPasswordsAreDataNotStatement) {
  ASSERT_TRUE(m->LoginUser("O'BRIEN", "it's"));
  EXPECT_EQ(m->StaffID, "5");
  EXPECT_FALSE(LogText().contains("Exception SQL:"));

  TDMDB& mod = *m;
  for (const auto& [user, password] : std::vector<std::pair<QString, QString>>{
           {"ADMIN", "' OR '1'='1"},
           {"ADMIN' --", "x"},
           {"x'; DELETE FROM STAFF; --", "x"},
           {"ADMIN", "pw' OR USERNAME = 'TWIN"}}) {
    EXPECT_FALSE(mod.LoginUser(user, password)) << user.toStdString() << " / " << password.toStdString();
  }
  EXPECT_EQ(StaffRows(), 4);
  EXPECT_FALSE(LogText().contains("Exception SQL:"));
}

TEST_P(UserDbTest, TheHandOverFileBringsTheUserToATool) {
  ASSERT_TRUE(m->SaveUser("ADMIN", "4"));
  EXPECT_EQ(kvtest::ReadAll(m->UserFileName()), "ADMIN\r\n4\r\n");
  m->StaffID.clear();
  m->UserName.clear();
  ASSERT_TRUE(m->ConnectAndLoadUser(true));
  EXPECT_EQ(m->StaffID, "4");
  EXPECT_EQ(m->SecurityLevel, "3");
  EXPECT_TRUE(LogText().endsWith("2024-03-05 09:15:30\r\nStaffID: 4\r\nUsername: ADMIN\r\n"));
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(UserDbTest, TheUserNameIsTheFilesNotTheRows) {
  WriteUserFile("someone else\n5\n");  // LF alone reads as well
  ASSERT_TRUE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_EQ(m->UserName, "someone else");
  EXPECT_EQ(m->SecurityLevel, "2");
}

TEST_P(UserDbTest, AStaffIdWithoutARowIsUnknown) {
  WriteUserFile("GHOST\r\n99\r\n");
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false));
  EXPECT_TRUE(boxes.isEmpty());
  EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, true));
  EXPECT_EQ(boxes, QStringList{"Unknown or invalid user credentials."});
  EXPECT_TRUE(m->SecurityLevel.isEmpty());
}

TEST_P(UserDbTest, AStaffIdThatIsNoNumberBuildsNoStatement) {
  for (const QByteArray id : {"4 ", "4 OR 1=1", "4; DELETE FROM STAFF", "x"}) {
    WriteUserFile("ADMIN\r\n" + id + "\r\n");
    const QByteArray before = LogText();
    EXPECT_FALSE(m->LoadUser(m->DBQueryRemote1, false)) << id.constData();
    const QByteArray added = LogText().mid(before.size());
    EXPECT_TRUE(added.startsWith("TDMDB::LoadUser\r\n")) << added.constData();
    EXPECT_FALSE(added.contains("Exception SQL:")) << added.constData();
  }
  EXPECT_EQ(StaffRows(), 4);
  EXPECT_TRUE(m->SecurityLevel.isEmpty());
}

TEST_P(UserDbTest, CheckSecurityPassesOnlyTheLevelsFunction) {
  ASSERT_TRUE(m->LoginUser("ADMIN", "pw"));
  EXPECT_TRUE(m->CheckSecurity("Edit Stock", true));
  EXPECT_TRUE(messages.isEmpty());

  EXPECT_FALSE(m->CheckSecurity("Edit Prices", false));
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_FALSE(m->CheckSecurity("Edit Stock' OR '1'='1", true));
  EXPECT_EQ(messages, QStringList{"Sorry, you do not have the required security level.\n\n"
                                  "Requires: Edit Stock' OR '1'='1"});
  EXPECT_FALSE(LogText().contains("Exception SQL:"));

  ASSERT_TRUE(m->LoginUser("O'BRIEN", "it's"));
  EXPECT_FALSE(m->CheckSecurity("Edit Stock", false));
}

TEST_P(UserDbTest, CheckSecurityReconnectsAfterTheConnectionDropped) {
  ASSERT_TRUE(m->LoginUser("ADMIN", "pw"));
  if (isPg()) {
    // The server ends the module's session, as an administrator or a restart would.
    Exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
         "WHERE datname = current_database() AND pid <> pg_backend_pid()");
    QElapsedTimer t;
    t.start();
    while (m->DBDatabaseRemote->Connected() && t.elapsed() < 5000) QThread::msleep(20);
  } else {
    ASSERT_TRUE(m->DisconnectRemoteDB());
  }
  ASSERT_FALSE(m->DBDatabaseRemote->Connected());
  EXPECT_TRUE(m->CheckSecurity("Edit Stock", true));
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(m->DBDatabaseRemote->Connected());
}

KV_DB_ENGINES(UserDbTest);

}  // namespace
