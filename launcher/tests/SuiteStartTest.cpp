// tools/start-suite.sh without a display: it runs the suite on a virtual
// display of its own, and keeps that display while a program started from
// the launcher is still open, so closing the launcher first loses nothing.
#include "KvTestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

void WriteScript(const QString& path, const QByteArray& text) {
  kvtest::WriteFile(path, text);
  QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

TEST(SuiteStart, TheVirtualDisplayOutlivesTheLauncherWhileAProgramItStartedIsOpen) {
  if (QStandardPaths::findExecutable("Xvfb").isEmpty()) GTEST_SKIP() << "Xvfb is not installed";
  const QString build = kvtest::FreshFolder("suite-build");
  const QString common = kvtest::FreshFolder("suite-common");
  const QString seen = build + "display-seen.txt";
  // The database is made; the launcher starts one program and is closed at
  // once; the program looks at its display a moment later, as one in use would.
  WriteScript(build + "bin/dbsetup", "#!/bin/sh\nexit 0\n");
  WriteScript(build + "bin/menuhost",
              "#!/bin/sh\n"
              "( sleep 1.5; if [ -S \"/tmp/.X11-unix/X${DISPLAY#:}\" ]; then echo open; else echo gone; fi"
              " > \"$SEEN\" ) >/dev/null 2>&1 &\n"
              "exit 0\n");

  QProcess run;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove("DISPLAY");
  env.remove("WAYLAND_DISPLAY");
  env.insert("TESSARIN_COMMON_APPDATA", common);
  env.insert("SEEN", seen);
  run.setProcessEnvironment(env);
  run.start("bash", {qEnvironmentVariable("KV_SOURCE_DIR") + "/tools/start-suite.sh", build});
  ASSERT_TRUE(run.waitForFinished(30000)) << "the script did not end";
  const QString output = QString::fromLocal8Bit(run.readAllStandardOutput() + run.readAllStandardError());
  EXPECT_EQ(run.exitCode(), 0) << output.toStdString();
  EXPECT_TRUE(output.contains("the virtual display")) << output.toStdString();
  // The script ended only after the program did, and its display was still there.
  EXPECT_EQ(kvtest::ReadAll(seen).trimmed(), "open") << output.toStdString();
}

}  // namespace
