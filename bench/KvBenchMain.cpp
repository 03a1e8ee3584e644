#include "KvBenchMain.h"

#include "KvBenchCompare.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace kvbench {

int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int rc = RunRegistered(argc, argv);
  if (beforeExit) beforeExit();
  return rc;
}

}  // namespace kvbench
