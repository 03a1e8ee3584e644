#pragma once
// What the output benchmarks (print forms, exports) share: the counters of a
// listing written to a file, and the plain file of the same text, the floor
// no output can beat (their baseline in the bench table).
#include <benchmark/benchmark.h>

#include <QFile>

#include <functional>

namespace kvbench {

// rows, rows_per_s (per second of an iteration) and file_kB of the file written.
void OutputCounters(benchmark::State& state, int rows, qint64 fileBytes);

// Writes a plain file anew (opened for writing, truncated) through `write`;
// false when it cannot be opened.
bool WritePlainText(const QString& path, const std::function<void(QFile&)>& write);

}  // namespace kvbench
