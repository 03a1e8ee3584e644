#include "KvBenchCompare.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>

namespace kvbench {

namespace {

double Timed(const std::function<void()>& run) {
  QElapsedTimer t;
  t.start();
  run();
  return double(t.nsecsElapsed()) / 1e6;
}

}  // namespace

double Median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const size_t mid = samples.size() / 2;
  std::nth_element(samples.begin(), samples.begin() + long(mid), samples.end());
  if (samples.size() % 2) return samples[mid];
  const double upper = samples[mid];
  return (*std::max_element(samples.begin(), samples.begin() + long(mid)) + upper) / 2;
}

Comparison::Comparison(benchmark::State& state, QString engine, double goal)
    : state_(state), engine_(engine.isEmpty() ? "-" : std::move(engine)), goal_(goal) {}

double Comparison::Ours(const std::function<void()>& run) {
  const double ms = Timed(run);
  AddOurs(ms);
  return ms;
}

double Comparison::Baseline(const std::function<void()>& run) {
  const double ms = Timed(run);
  AddBaseline(ms);
  return ms;
}

void Comparison::AddOurs(double ms) {
  ours_.push_back(ms);
  state_.SetIterationTime(ms / 1000.0);
}

void Comparison::AddBaseline(double ms) { base_.push_back(ms); }

void Comparison::Report() {
  state_.SetLabel(engine_.toStdString());
  if (ours_.empty()) return;
  state_.counters["ours_ms"] = Median(ours_);
  if (!base_.empty()) {
    state_.counters["base_ms"] = Median(base_);
    if (Median(base_) > 0) state_.counters["ratio"] = Median(ours_) / Median(base_);
  }
  if (goal_ > 0) state_.counters["goal"] = goal_;
}

int RunRegistered(int& argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

int RunBenchmarks(int argc, char** argv, const std::function<void()>& beforeExit) {
  QCoreApplication app(argc, argv);
  const int rc = RunRegistered(argc, argv);
  if (beforeExit) beforeExit();
  return rc;
}

}  // namespace kvbench
