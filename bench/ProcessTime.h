// Runs a program as a benchmark step: the whole process, start-up included, as a user's
// script would run it.
#pragma once

#include <benchmark/benchmark.h>

#include <vector>

namespace fretlo::bench {

// Runs `argv` (null-terminated) with its standard output discarded, once per iteration, and
// reports the processor time of the process as the counter "process_cpu_ms", which a busy
// machine does not stretch as it does the wall-clock time. A failing run ends the benchmark.
void RunProcessEachIteration(benchmark::State& state, const std::vector<const char*>& argv);

}  // namespace fretlo::bench
