// The real program: menuhost from the build's bin folder, on a single-user
// database made by kvschema in an all-users folder of its own.
#include "LauncherTestUtil.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

TEST(MenuHostRun, TheBuiltLauncherLogsTheFixedUserInAndHandsItOver) {
  const QString binDir = qEnvironmentVariable("KV_BIN_DIR");
  const QString program = binDir + "/menuhost";
  ASSERT_TRUE(QFileInfo(program).isExecutable()) << program.toStdString();

  QTemporaryDir common(kvtest::TempRoot() + "/common-run-XXXXXX");
  ASSERT_TRUE(common.isValid());
  const QString settings = common.path() + "/Tarnwick/TessarinQS/";
  QString staffId;
  kvfwtest::MakeLocalDatabase(settings,
                              kvfwtest::StarterData([&](kdb::Database& db) { staffId = kvfwtest::FixedUserId(db); }));
  const QString userFile = settings + "user.txt";

  QProcess launcher;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  env.insert("TESSARIN_COMMON_APPDATA", common.path() + "/");
  launcher.setProcessEnvironment(env);
  launcher.setWorkingDirectory(binDir);
  launcher.start(program, {});
  ASSERT_TRUE(launcher.waitForStarted(10000));

  QElapsedTimer timer;
  timer.start();
  while (!QFile::exists(userFile) && launcher.state() == QProcess::Running && timer.elapsed() < 20000)
    QTest::qWait(100);
  QTest::qWait(500);
  // The menu stays up until someone closes it.
  const bool running = launcher.state() == QProcess::Running;
  launcher.terminate();
  if (!launcher.waitForFinished(5000)) {
    launcher.kill();
    launcher.waitForFinished(5000);
  }
  EXPECT_TRUE(running) << launcher.readAllStandardError().toStdString();

  EXPECT_EQ(kvtest::ReadAll(userFile), "1\r\n" + staffId.toUtf8() + "\r\n");
  const QDir logs(settings + "bologs/menuhost");
  const QStringList files = logs.entryList({"* menuhost.log"}, QDir::Files);
  ASSERT_EQ(files.size(), 1) << files.join(",").toStdString();
  const QByteArray log = kvtest::ReadAll(logs.filePath(files.first()));
  EXPECT_TRUE(log.startsWith("[=]program started[=]\r\n")) << log.toStdString();
  EXPECT_TRUE(log.contains("\r\nmenuhost\r\n"));
  EXPECT_TRUE(log.contains("\r\nLoading company details...\r\n"));
  EXPECT_TRUE(log.contains("\r\nLogin StaffID: " + staffId.toUtf8() + "\r\nLogin Username: 1\r\n"))
      << log.toStdString();
  EXPECT_FALSE(log.contains("TMainForm::"));
  // The other working folders of the settings folder were made.
  for (const char* folder : {"datapoll", "labels", "bookgoodsin"})
    EXPECT_TRUE(QFileInfo(settings + folder).isDir()) << folder;
}

}  // namespace
