#include "KvBenchOutput.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace kvbench {

void OutputCounters(benchmark::State& state, int rows, qint64 fileBytes) {
  state.counters["rows"] = rows;
  state.counters["rows_per_s"] = benchmark::Counter(rows, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["file_kB"] = static_cast<double>(fileBytes) / 1024.0;
}

void PlainTextFile(benchmark::State& state, int rows, const std::function<void(QFile&)>& write) {
  QTemporaryDir dir;
  const QString path = dir.filePath("listing.txt");
  for (auto _ : state) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) state.SkipWithError("file not written");
    write(f);
  }
  OutputCounters(state, rows, QFileInfo(path).size());
}

}  // namespace kvbench
