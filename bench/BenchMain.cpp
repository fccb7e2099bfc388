#include "BenchMain.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

int runBenchmarks(int argc, char** argv, const std::function<void()>& warmUp)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (warmUp)
        warmUp();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
