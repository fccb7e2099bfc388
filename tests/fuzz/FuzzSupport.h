#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// What every harness shares. A harness defines LLVMFuzzerTestOneInput; LLVMFuzzerInitialize (here) calls
// setUp(). The same source runs under libFuzzer (fuzz_<name>) and under ReplayMain (replay_<name>, a CTest test).
namespace fuzz {

// The input as bytes, without a copy; valid for the one call.
inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

// A folder of this process's own for files the readers need on disk (on /dev/shm when there is one).
QString scratchFolder();
// Empties scratchFolder(), writes the input to scratchFolder()/name and returns the path.
QString scratchFile(const QString& name, const uint8_t* data, size_t size);

// The Qt application the readers need (plugins, QSettings), made once; output files are capped at
// 64 MiB so that a decompression bomb fails a write rather than filling the disk; message boxes answer
// by themselves.
void setUp();

// Ends the run with the reason when a property the harness checks does not hold.
[[noreturn]] void fail(const char* what, const QString& detail = {});

} // namespace fuzz
