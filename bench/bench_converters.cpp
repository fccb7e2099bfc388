// Archive conversion from call to image ready: a ZIP holding one D64, and a ZIP holding a Zip-Code set
// (made with disk2zip when it is installed), each through clsC64Game with the staged tools.
#include "c64/D64Writer.h"
#include "launch/clsC64Game.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

struct Setup
{
    QTemporaryDir home;
    QString games;
    QString work;
    bool zipCodeReady = false;

    static bool run(const QString& program, const QStringList& args, const QString& dir)
    {
        QProcess p;
        p.setWorkingDirectory(dir);
        p.start(program, args);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    Setup()
    {
        QDir root(home.path());
        root.mkpath(QStringLiteral("Conversion"));
        root.mkpath(QStringLiteral("Games"));
        games = root.filePath(QStringLiteral("Games"));
        work = root.filePath(QStringLiteral("CURRGAME"));
        for (const char* tool : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
            QFile::link(QStringLiteral(VINTRAX_TOOLS_DIR "/") + QLatin1String(tool),
                        root.filePath(QStringLiteral("Conversion/") + QLatin1String(tool)));

        c64::CbmFileList files;
        for (int f = 0; f < 6; ++f) {
            QByteArray data(10000 + f * 3000, '\0');
            for (int i = 0; i < data.size(); ++i)
                data[i] = char((i * 13 + f * 101 + i / 97) & 0xff);
            data[0] = 0x01;
            data[1] = 0x08;
            files.append({QByteArray("GAME PART ") + QByteArray::number(f), c64::FileType::Prg, data});
        }
        const QByteArray d64 = c64::buildD64("BENCH DISK", "BD", files).value_or(QByteArray());
        const QString src = root.filePath(QStringLiteral("src"));
        root.mkpath(QStringLiteral("src"));
        QFile out(src + QStringLiteral("/BENCH.D64"));
        out.open(QIODevice::WriteOnly);
        out.write(d64);
        out.close();
        run(QStringLiteral("zip"),
            {QStringLiteral("-q"), games + QStringLiteral("/BENCH.ZIP"), QStringLiteral("BENCH.D64")}, src);
        // disk2zip writes 1!BENCH .. 4!BENCH from BENCH.D64.
        zipCodeReady = run(QStringLiteral("disk2zip"), {QStringLiteral("BENCH.D64"), QStringLiteral("BENCH")}, src) &&
                       run(QStringLiteral("sh"),
                           {QStringLiteral("-c"), QStringLiteral("zip -q '%1/SET.ZIP' [1-4]!*").arg(games)}, src);
    }
};

Setup& setup()
{
    static Setup s;
    return s;
}

void BM_ConvertZipHoldingD64(benchmark::State& state)
{
    Setup& s = setup();
    clsC64Game game(s.home.path());
    for (auto _ : state) {
        const ConversionResult r = game.ConvertZip(s.games, QStringLiteral("BENCH.ZIP"), s.work);
        if (!r.ok)
            state.SkipWithError("conversion failed");
    }
}
BENCHMARK(BM_ConvertZipHoldingD64)->Unit(benchmark::kMillisecond);

void BM_ConvertZipHoldingZipCodeSet(benchmark::State& state)
{
    Setup& s = setup();
    if (!s.zipCodeReady) {
        state.SkipWithError("disk2zip is not installed");
        return;
    }
    clsC64Game game(s.home.path());
    for (auto _ : state) {
        const ConversionResult r = game.ConvertZip(s.games, QStringLiteral("SET.ZIP"), s.work);
        if (!r.ok)
            state.SkipWithError("conversion failed");
    }
}
BENCHMARK(BM_ConvertZipHoldingZipCodeSet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
