#pragma once
// The main of a benchmark program that needs a GUI application (fonts, grids,
// print forms): the offscreen platform unless one is set, one QApplication,
// then every registered benchmark.
#include <functional>

namespace kvbench {

// Runs the benchmarks; `beforeExit` runs after them while the application
// still lives (to drop fixtures that hold windows or connections).
int RunGuiBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {});

}  // namespace kvbench
