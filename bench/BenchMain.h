#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <functional>
#include <vector>

// Runs the registered benchmarks inside a QCoreApplication (the catalogue and the tools need one);
// a benchmark of widgets makes its QApplication first, and that one is used.
// warmUp runs first, outside every measurement.
int runBenchmarks(int argc, char** argv, const std::function<void()>& warmUp = {});

inline double maxOf(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}
inline double minOf(const std::vector<double>& v)
{
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

// Every sample is one start or one switch, timed by the benchmark itself; the report gives median,
// minimum and maximum over the samples.
inline void singleRuns(benchmark::internal::Benchmark* b, int samples)
{
    b->UseManualTime()
        ->Iterations(1)
        ->Repetitions(samples)
        ->ComputeStatistics("min", minOf)
        ->ComputeStatistics("max", maxOf)
        ->ReportAggregatesOnly(true)
        ->Unit(benchmark::kMillisecond);
}
