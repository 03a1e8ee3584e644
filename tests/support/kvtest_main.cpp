// The main of every test program: a private temporary home, the offscreen
// platform, one QApplication, then GoogleTest.
#include <gtest/gtest.h>

#include "KvTestSupport.h"

#include <QApplication>

int main(int argc, char** argv) {
  const kvtest::PrivateHome home;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
