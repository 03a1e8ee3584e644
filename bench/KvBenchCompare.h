#pragma once
// One row of the benchmark table: an operation of ours against its bare
// baseline (the floor no implementation can beat), both timed in the same
// iterations of the same run, with the goal the ratio should meet.
//
//   void BM_Thing(benchmark::State& state) {
//     kvbench::Comparison row(state, "SQLite", kvbench::kGoalQuery);
//     for (auto _ : state) {
//       row.Ours([&] { RunOurs(); });
//       row.Baseline([&] { RunBare(); });
//     }
//     row.Report();
//   }
//   KV_BENCH_ROW("Thing/SQLite", BM_Thing);
//
// Report sets the counters ours_ms and base_ms (medians of the samples),
// ratio and goal, and the label (the engine, or "-"), which ./suite bench
// collects from every program into one table.
#include <benchmark/benchmark.h>

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace kvbench {

// The goals of the table: at most this many times the baseline.
inline constexpr double kNoGoal = 0;
inline constexpr double kGoalDataLayer = 1.2;   // kdb against the engine's C library
inline constexpr double kGoalGridFill = 2.0;    // 100,000 rows into a grid against the bare fetch
inline constexpr double kGoalStyleSave = 1.5;   // the window's save against a direct insert
inline constexpr double kGoalStartUp = 2.0;     // to the main window against a bare Qt window
inline constexpr double kGoalQuery = 1.3;       // a search or report against the fastest bare SQL

double Median(std::vector<double> samples);

class Comparison {
 public:
  Comparison(benchmark::State& state, QString engine, double goal = kNoGoal);

  // Runs and times ours (the iteration's time) or the baseline; returns ms.
  double Ours(const std::function<void()>& run);
  double Baseline(const std::function<void()>& run);
  // Samples timed elsewhere (a child process, a split measurement).
  void AddOurs(double ms);
  void AddBaseline(double ms);

  void Report();

 private:
  benchmark::State& state_;
  QString engine_;
  double goal_;
  std::vector<double> ours_, base_;
};

// The main of a benchmark program without windows: a QCoreApplication, then
// every registered benchmark; `beforeExit` runs while the application lives.
int RunBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit = {});
// Every registered benchmark with the command line's options (any main).
int RunRegistered(int& argc, char** argv);

// Registers a row's benchmark under its table name (the engine as one part
// of the name), timed by Comparison::Ours, in milliseconds.
template <class Fn, class... Args>
benchmark::internal::Benchmark* AddRow(const std::string& name, Fn fn, Args... args) {
  return benchmark::RegisterBenchmark(name.c_str(), [=](benchmark::State& s) { fn(s, args...); })
      ->UseManualTime()
      ->Unit(benchmark::kMillisecond);
}

}  // namespace kvbench

#define KV_BENCH_CAT2(a, b) a##b
#define KV_BENCH_CAT(a, b) KV_BENCH_CAT2(a, b)
#define KV_BENCH_ROW(name, ...) \
  static benchmark::internal::Benchmark* const KV_BENCH_CAT(kvBenchRow, __LINE__) = kvbench::AddRow(name, __VA_ARGS__)
