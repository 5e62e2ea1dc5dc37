// The part of the Google Benchmark API that render_bench.cpp uses, for the
// Windows build: there is no MinGW build of the library on this machine.
// Each benchmark runs for at least three seconds of wall time; the report
// has Google Benchmark's columns (wall and CPU time per iteration).
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
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

inline int RunAll() {
    std::printf("%-28s %14s %14s %12s\n", "Benchmark", "Time", "CPU", "Iterations");
    for (Benchmark *b : Registry()) {
        const double scale = b->unit == kMicrosecond ? 1e6 : b->unit == kMillisecond ? 1e3 : 1e9;
        const char *suffix = b->unit == kMicrosecond ? "us" : b->unit == kMillisecond ? "ms" : "ns";
        State warmUp(2);  // the first frames compile the device's shaders
        b->function(warmUp);
        for (int64_t n = 1;; n *= 2) {
            State state(n);
            const double cpu0 = CpuSeconds();
            const auto t0 = std::chrono::steady_clock::now();
            b->function(state);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            const double cpu = CpuSeconds() - cpu0;
            if (wall >= 3.0 || n >= (int64_t{1} << 30)) {
                std::printf("%-28s %11.1f %s %11.1f %s %12lld\n", b->name.c_str(), wall / n * scale, suffix,
                            cpu / n * scale, suffix, static_cast<long long>(n));
                break;
            }
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
    int main() { return ::benchmark::internal::RunAll(); }
