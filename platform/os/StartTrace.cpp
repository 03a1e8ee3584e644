#include "StartTrace.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace kos {

bool TraceOn() {
  static const bool on = std::getenv("KV_START_TRACE") != nullptr;
  return on;
}

void TraceStep(const char* step) {
  if (!TraceOn()) return;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  char line[160];
  const int n = std::snprintf(line, sizeof line, "kvtrace %.3f %s\n",
                              double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6, step);
  // One write, so lines of several threads never interleave.
  if (n > 0) (void)!write(STDERR_FILENO, line, size_t(n) < sizeof line ? size_t(n) : sizeof line - 1);
}

}  // namespace kos
