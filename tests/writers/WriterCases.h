#pragma once

// Every file writer of the program as one table, for the tests that run each on a disk that fills up and kill it
// with SIGKILL: the C64.CFG, settings, check record and SID start song rewrites, the screenshot crop and the ZIP
// extraction (here, or in the probe or durability worker when they need a process of their own) and the staged tools.
// Each writer has two variants that write different content to the same targets. The catalogue, which the engine's
// journal repairs on the next open, has its own full-disk and kill runs in tests/data/TestDurability.cpp.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace writertest {

struct Outcome
{
    bool ok = false;
    QString badReport; // a failure that was not reported as it must be: what was wrong; empty otherwise
    QString told;      // what the writer said of its failure (message, reason or stderr)
};

struct ChildCommand
{
    QString program;
    QStringList arguments;
    bool loops = false; // rewrites for ever, alternating the variants (the probe); otherwise one run
};

struct WriterCase
{
    QString name;
    QStringList targets;         // what the writer rewrites, relative to the work folder
    bool replacesTargets = true; // false: the writer never replaces a target (gunzip), each run starts without one
    QString consumes{};            // such a writer's input, which it removes only once its output is complete
    // Puts the inputs of both variants into the work folder (inputs go to its folder "in", which exists).
    std::function<bool(const QString& work)> prepare{};
    // Gets the work folder ready for one run of a variant (gunzip: its input copied in, the old output gone).
    std::function<void(const QString& work, int variant)> beforeRun = [](const QString&, int) {};
    // One run of a variant in the work folder, its failure report checked.
    std::function<Outcome(const QString& work, int variant)> run{};
    // The child process the kill test starts and kills.
    std::function<ChildCommand(const QString& work, int variant)> child{};
};

const QList<WriterCase>& writerCases();

} // namespace writertest
