#pragma once

#include <functional>

// Runs the registered benchmarks inside a QCoreApplication (the catalogue and the tools need one);
// a benchmark of widgets makes its QApplication first, and that one is used.
// warmUp runs first, outside every measurement.
int runBenchmarks(int argc, char** argv, const std::function<void()>& warmUp = {});
