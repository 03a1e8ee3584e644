// The main of every test program: a private temporary home, the offscreen
// platform, the suite's application object with its net, then GoogleTest.
#include <gtest/gtest.h>

#include "KvTestSupport.h"

#ifdef KV_EVENT_NET
#include "KuiApplication.h"
using TestApplication = kui::KvApplication;
#else
#include <QApplication>
using TestApplication = QApplication;
#endif

int main(int argc, char** argv) {
  const kvtest::PrivateHome home;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

  TestApplication app(argc, argv);
#ifdef KV_EVENT_NET
  // A program would show the failure and go on; a test that did not expect
  // one fails instead, and nothing is shown (no one may be there to answer).
  kui::KvApplication::SetWatcher([](const QString& where, const QString& what) {
    if (kvtest::EscapesExpected()) return true;
    ADD_FAILURE() << "An exception escaped an event handler: " << where.toStdString() << ": "
                  << what.toStdString();
    return false;
  });
#endif
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
