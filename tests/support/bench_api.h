// The Google Benchmark API for the benchmarks: the library natively, and
// on Windows, where the library has no MinGW build here, a stand-in with the
// part of its API the benchmarks use.
#pragma once

#if defined(_WIN32)
#include "benchmark_standin.h"
#else
#include <benchmark/benchmark.h>
#endif
