#include "KvBenchMain.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace kvbench {

int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (beforeExit) beforeExit();
  return 0;
}

}  // namespace kvbench
