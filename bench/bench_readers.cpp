// Readers of outside files on large inputs: every entry of a T64 tape with up to 65,535 entries.
#include "c64/LittleEndian.h"
#include "c64/T64Image.h"

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

// A tape of count entries, each holding a three-byte program, written directly so that building it
// costs nothing next to what is measured.
QByteArray tapeOfEntries(int count)
{
    const qint64 dataStart = c64::T64HeaderSize + qint64(count) * c64::T64EntrySize;
    QByteArray tape(dataStart + qint64(count) * 3, '\0');
    tape.replace(0, 32, QByteArray("C64S tape image file").leftJustified(32, '\0'));
    c64::putU16(tape, 32, 0x0101);
    c64::putU16(tape, 34, quint16(count));
    c64::putU16(tape, 36, quint16(count));
    for (int i = 0; i < count; ++i) {
        const qint64 base = c64::T64HeaderSize + qint64(i) * c64::T64EntrySize;
        tape[base] = 1;
        tape[base + 1] = char(0x82);
        c64::putU16(tape, base + 2, 0x0801);
        c64::putU16(tape, base + 4, 0x0804);
        c64::putU32(tape, base + 8, quint32(dataStart + qint64(i) * 3));
        tape.replace(base + 16, 16, QByteArray("FILE").leftJustified(16, ' '));
    }
    return tape;
}

void BM_T64ReadEveryEntry(benchmark::State& state)
{
    const int count = int(state.range(0));
    const QByteArray tape = tapeOfEntries(count);
    for (auto _ : state) {
        const c64::T64Directory dir = c64::T64Directory::parse(tape).value();
        qint64 bytes = 0;
        for (int i = 0; i < dir.entries.size(); ++i)
            bytes += c64::t64FileData(tape, dir, i).value_or(QByteArray()).size();
        benchmark::DoNotOptimize(bytes);
    }
    state.SetComplexityN(count);
}
BENCHMARK(BM_T64ReadEveryEntry)->RangeMultiplier(4)->Range(1024, 65535)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
