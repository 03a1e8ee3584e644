// The launcher's start-up and automatic log-in against a real database, on
// both engines: SQLite as the single-user edition the launcher always runs
// in, and PostgreSQL by starting the same window with no launcher file
// beside the program, so the data module reads the multi-user settings that
// point it at the test server.
#include "../LauncherTestUtil.h"

#include "KvDbTestSupport.h"

#include <QStackedWidget>
#include <QToolButton>

namespace {

using kvtest::Engine;
using kvtest::ReadAll;

class LauncherStartTest : public lt::LauncherTestBase<::testing::TestWithParam<Engine>> {
 protected:
  std::unique_ptr<kvfwtest::EditionDatabase> database;
  QString fixedUserId;

  bool Pg() const { return GetParam() == Engine::PostgreSQL; }

  void TearDown() override {
    LauncherTestBase::TearDown();  // the window and the data module first: they hold the connection
    database.reset();
  }

  // The database with the starter data and the change, and the settings
  // that lead the launcher to it.
  void Prepare(const kvfwtest::DataChange& change = {}) {
    database = std::make_unique<kvfwtest::EditionDatabase>(
        GetParam(), programDir, kvfwtest::StarterData([&](kdb::Database& db) {
          if (change) change(db);
          fixedUserId = kvfwtest::FixedUserId(db);
        }));
  }

  void ExpectNoLogIn(const QByteArray& userFileBefore) {
    EXPECT_EQ(ReadAll(UserFile()), userFileBefore);
    EXPECT_EQ(form->PageControlTop->currentWidget(), form->TabSheetLogin);
    EXPECT_EQ(form->PanelTop->text(), "Login");
    EXPECT_FALSE(LogText().contains("Login StaffID"));
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
  }
};

TEST_P(LauncherStartTest, AStartLogsTheFixedUserInAndHandsItOver) {
  Prepare();
  ASSERT_FALSE(fixedUserId.isEmpty());
  kvfwtest::WaitWindowSpy spy;
  StartAndShow();

  EXPECT_EQ(dm->Setup->LocalMode, !Pg());
  EXPECT_EQ(ReadAll(UserFile()), "1\r\n" + fixedUserId.toUtf8() + "\r\n");
  const QByteArray log = LogText();
  EXPECT_TRUE(log.contains("2024-03-05 09:15:30\r\nLogin StaffID: " + fixedUserId.toUtf8() +
                           "\r\nLogin Username: 1\r\n"))
      << log.toStdString();
  EXPECT_TRUE(log.contains("2024-03-05 09:15:30\r\nLoading company details...\r\n"));
  EXPECT_FALSE(log.contains("TMainForm::"));
  EXPECT_EQ(dm->StaffID, fixedUserId);
  EXPECT_EQ(dm->DisplayName, "STORE MANAGER");

  // The one start-up window opened first with the edition's starting text.
  ASSERT_FALSE(spy.shown.isEmpty());
  EXPECT_EQ(spy.shown.first(), "Starting Tessarin Quick Start Edition..");
  EXPECT_TRUE(kvfwtest::NoWaitWindowLeft());

  EXPECT_EQ(form->LabelCompName->text(), "Company Name:\t\tTESSARIN FASHIONS LTD");
  EXPECT_EQ(form->LabelCompNo->text(), "Company Reg No:\t09876543");
  EXPECT_EQ(form->LabelCompVATNo->text(), "Company VAT No:\tGB 123 4567 89");
  // The test's program file holds no version record: nothing after the words.
  EXPECT_EQ(form->LabelCopyVersion->text(), QString("Tessarin") + QChar(0x2122) + " Version ");
  EXPECT_EQ(form->LabelCopyInfo->text(), "Copyright (c) Tarnwick Systems Ltd 2024");

  EXPECT_EQ(form->PageControlTop->currentWidget(), form->TabSheetMainMenu);
  EXPECT_EQ(form->PanelTop->text(), "Quick Start Edition");
  EXPECT_EQ(form->MBottomPageIndex(), -1);
  EXPECT_TRUE(boxes.isEmpty()) << boxes.join("|").toStdString();
  if (!Pg()) {
    kvtest::SaveScreenshot(form.get(), "MenuHostMainMenu");
    form->SpButParam->click();
    kvtest::SaveScreenshot(form.get(), "MenuHostSetupMenu");
  }
}

TEST_P(LauncherStartTest, WithoutTheFixedUserNothingIsHandedOver) {
  Prepare([](kdb::Database& db) { db.Execute("DELETE FROM STAFF WHERE USERNAME = '1'"); });
  // A file of an earlier run stays as it was; the tools keep finding that user.
  QDir().mkpath(kvfwtest::EditionFolder(GetParam()));
  const QByteArray earlier = "7\r\n42\r\n";
  kvtest::WriteFile(kvfwtest::EditionFolder(GetParam()) + "user.txt", earlier);
  StartAndShow();
  ExpectNoLogIn(earlier);
}

TEST_P(LauncherStartTest, TheFixedPairTwiceLogsNobodyIn) {
  Prepare([](kdb::Database& db) {
    db.Execute("INSERT INTO STAFF (USERNAME, PASSWORD, SECURITY_LEVEL, DISPLAYNAME) "
               "VALUES ('1', '8264', 1, 'SECOND')");
  });
  StartAndShow();
  ExpectNoLogIn(QByteArray());
  EXPECT_FALSE(QFile::exists(UserFile()));
}

TEST_P(LauncherStartTest, AMissingCompanyRowLeavesTheCaptionsAndStartUpGoesOn) {
  Prepare([](kdb::Database& db) { db.Execute("DELETE FROM COMPANY"); });
  StartAndShow();
  EXPECT_EQ(form->LabelCompName->text(), "Company Name:\t\t");
  EXPECT_EQ(form->LabelCompNo->text(), "Company Reg No:\t");
  EXPECT_EQ(form->LabelCompVATNo->text(), "Company VAT No:\t");
  EXPECT_EQ(form->PageControlTop->currentWidget(), form->TabSheetMainMenu);
  EXPECT_EQ(ReadAll(UserFile()), "1\r\n" + fixedUserId.toUtf8() + "\r\n");
}

TEST_P(LauncherStartTest, AnUnreadableCompanyTableIsLoggedByTheLauncher) {
  Prepare([](kdb::Database& db) { db.Execute("DROP TABLE COMPANY"); });
  StartAndShow();
  EXPECT_TRUE(LogText().contains("TMainForm::LoadCompanyDetails\r\n2024-03-05 09:15:30\r\n"))
      << LogText().toStdString();
  EXPECT_EQ(form->LabelCompName->text(), "Company Name:\t\t");
  EXPECT_FALSE(form->Terminating());
  EXPECT_EQ(form->PanelTop->text(), "Quick Start Edition");
  EXPECT_TRUE(boxes.isEmpty());
}

TEST_P(LauncherStartTest, AnUnwritableUserFileIsReportedAndTheMenuStillShows) {
  Prepare();
  // A folder where the file should be: the hand-over cannot be written.
  QDir().mkpath(kvfwtest::EditionFolder(GetParam()) + "user.txt");
  StartAndShow();
  EXPECT_TRUE(LogText().contains("TDMDB::SaveUser\r\n")) << LogText().toStdString();
  EXPECT_GE(kui::ModalSeam::ShownCount(), 1);  // the failure's message was shown
  EXPECT_EQ(form->PageControlTop->currentWidget(), form->TabSheetMainMenu);
  EXPECT_EQ(form->PanelTop->text(), "Quick Start Edition");
}

INSTANTIATE_TEST_SUITE_P(Engines, LauncherStartTest,
                         ::testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         kvtest::EngineParamName());

}  // namespace
