// The main of every test program: a private temporary home, the offscreen
// platform, one QApplication, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char** argv) {
  QTemporaryDir root(QDir::tempPath() + "/kvtest-XXXXXX");
  const QString r = root.path();
  QDir().mkpath(r + "/home/.local/share");
  QDir().mkpath(r + "/common");
  qputenv("KV_TEST_ROOT", r.toUtf8());
  qputenv("HOME", (r + "/home").toUtf8());
  qputenv("XDG_DATA_HOME", (r + "/home/.local/share").toUtf8());
  qputenv("TESSARIN_COMMON_APPDATA", (r + "/common").toUtf8());
  qputenv("XDG_RUNTIME_DIR", r.toUtf8());
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
