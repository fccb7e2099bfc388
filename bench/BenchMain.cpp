#include "BenchMain.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <optional>

int runBenchmarks(int argc, char** argv, const std::function<void()>& warmUp)
{
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (warmUp)
        warmUp();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
