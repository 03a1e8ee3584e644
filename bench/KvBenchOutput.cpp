#include "KvBenchOutput.h"

namespace kvbench {

void OutputCounters(benchmark::State& state, int rows, qint64 fileBytes) {
  state.counters["rows"] = rows;
  state.counters["rows_per_s"] = benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_kB"] = static_cast<double>(fileBytes) / 1024.0;
}

bool WritePlainText(const QString& path, const std::function<void(QFile&)>& write) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  write(f);
  return true;
}

}  // namespace kvbench
