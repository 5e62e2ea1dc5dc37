// The part of the Google Benchmark API that render_bench.cpp uses, for the
// Windows build: there is no MinGW build of the library on this machine.
// Each run of a benchmark takes at least three seconds of wall time; the
// report has Google Benchmark's columns (wall and CPU time per iteration).
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace benchmark {

enum TimeUnit { kNanosecond, kMicrosecond, kMillisecond };

class State {
public:
    explicit State(int64_t iterations) : iterations_(iterations) {}
    struct Value {
        ~Value() {}  // non-trivial, so an unused loop variable draws no warning
    };
    struct Iterator {
        int64_t left;
        bool operator!=(const Iterator &) const { return left > 0; }
        void operator++() { --left; }
        Value operator*() const { return {}; }
    };
    Iterator begin() { return {iterations_}; }
    Iterator end() { return {0}; }
    int64_t iterations() const { return iterations_; }
    void SetItemsProcessed(int64_t) {}

private:
    int64_t iterations_;
};

template <typename T>
inline void DoNotOptimize(T const &value) {
    asm volatile("" : : "r,m"(value) : "memory");
}

namespace internal {

struct Benchmark {
    std::string name;
    void (*function)(State &);
    TimeUnit unit = kNanosecond;
    Benchmark *Unit(TimeUnit u) {
        unit = u;
        return this;
    }
};

inline std::vector<Benchmark *> &Registry() {
    static std::vector<Benchmark *> benchmarks;
    return benchmarks;
}

inline Benchmark *Register(const char *name, void (*function)(State &)) {
    Registry().push_back(new Benchmark{name, function});
    return Registry().back();
}

inline double CpuSeconds() {
    FILETIME creation, exit, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user);
    const auto ticks = [](FILETIME t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}

struct Measurement {
    double wall = 0, cpu = 0;  // seconds per iteration
};

inline Measurement Measure(Benchmark &b, int64_t iterations) {
    State state(iterations);
    const double cpu0 = CpuSeconds();
    const auto t0 = std::chrono::steady_clock::now();
    b.function(state);
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return {wall / static_cast<double>(iterations), (CpuSeconds() - cpu0) / static_cast<double>(iterations)};
}

// Doubles the iteration count until one run takes three seconds.
inline int64_t CalibrateIterations(Benchmark &b) {
    for (int64_t n = 1;; n *= 2) {
        if (Measure(b, n).wall * static_cast<double>(n) >= 3.0 || n >= (int64_t{1} << 30)) return n;
    }
}

inline void PrintRow(const std::string &name, const Measurement &m, TimeUnit unit, int64_t n) {
    const double scale = unit == kMicrosecond ? 1e6 : unit == kMillisecond ? 1e3 : 1e9;
    const char *suffix = unit == kMicrosecond ? "us" : unit == kMillisecond ? "ms" : "ns";
    std::printf("%-28s %11.1f %s %11.1f %s %12lld\n", name.c_str(), m.wall * scale, suffix,
                m.cpu * scale, suffix, static_cast<long long>(n));
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// --benchmark_repetitions=N runs every benchmark N times with the count of
// the first calibration, the order reversed on every other round so that a
// change of load on a shared machine hits both sides alike, and adds a
// _median row per benchmark.
inline int RunAll(int argc, char **argv) {
    int repetitions = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::string flag = "--benchmark_repetitions=";
        if (arg.compare(0, flag.size(), flag) == 0) repetitions = std::max(1, std::atoi(arg.c_str() + flag.size()));
    }
    std::vector<Benchmark *> &all = Registry();
    std::vector<int64_t> iterations;
    std::vector<std::vector<Measurement>> results(all.size());
    std::printf("%-28s %14s %14s %12s\n", "Benchmark", "Time", "CPU", "Iterations");
    for (Benchmark *b : all) {
        Measure(*b, 2);  // the first frames compile the device's shaders
        iterations.push_back(CalibrateIterations(*b));
    }
    for (int round = 0; round < repetitions; ++round) {
        for (size_t k = 0; k < all.size(); ++k) {
            const size_t i = round % 2 ? all.size() - 1 - k : k;
            results[i].push_back(Measure(*all[i], iterations[i]));
            PrintRow(all[i]->name, results[i].back(), all[i]->unit, iterations[i]);
        }
    }
    if (repetitions > 1) {
        for (size_t i = 0; i < all.size(); ++i) {
            std::vector<double> wall, cpu;
            for (const Measurement &m : results[i]) {
                wall.push_back(m.wall);
                cpu.push_back(m.cpu);
            }
            PrintRow(all[i]->name + "_median", {Median(wall), Median(cpu)}, all[i]->unit,
                     iterations[i]);
        }
    }
    return 0;
}

}  // namespace internal
}  // namespace benchmark

#define BENCHMARK_CONCAT2(a, b) a##b
#define BENCHMARK_CONCAT(a, b) BENCHMARK_CONCAT2(a, b)
#define BENCHMARK(function)                                                        \
    static ::benchmark::internal::Benchmark *BENCHMARK_CONCAT(benchmark_, __LINE__) \
        [[maybe_unused]] = ::benchmark::internal::Register(#function, function)
#define BENCHMARK_MAIN() \
    int main(int argc, char **argv) { return ::benchmark::internal::RunAll(argc, argv); }
