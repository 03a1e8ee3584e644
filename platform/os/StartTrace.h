#pragma once
// An opt-in timeline of a program's start: with KV_START_TRACE set, each step
// named here writes "kvtrace <monotonic ms> <step>" to stderr (CLOCK_MONOTONIC,
// so a caller that noted its own clock when it started the program can
// subtract). Without the variable a step costs one test of a flag.
namespace kos {

bool TraceOn();
void TraceStep(const char* step);

}  // namespace kos
