// Archive conversion from call to image ready: a ZIP holding one D64, and a ZIP holding a Zip-Code set
// (made with disk2zip when it is installed), each through clsC64Game with the staged tools; and the extraction
// alone of ZIPs with 1,000 and 10,000 small members (the most an archive may hold), which must grow in
// proportion to the count.
#include "c64/D64Writer.h"
#include "launch/UnzipToFolder.h"
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
    clsC64Game game(s.home.path() + QStringLiteral("/Conversion"));
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
    clsC64Game game(s.home.path() + QStringLiteral("/Conversion"));
    for (auto _ : state) {
        const ConversionResult r = game.ConvertZip(s.games, QStringLiteral("SET.ZIP"), s.work);
        if (!r.ok)
            state.SkipWithError("conversion failed");
    }
}
BENCHMARK(BM_ConvertZipHoldingZipCodeSet)->Unit(benchmark::kMillisecond);

// A ZIP of count small members made by the zip tool, once per count.
QString manyMemberZip(int count)
{
    Setup& s = setup();
    const QString zip = s.games + QStringLiteral("/MANY%1.ZIP").arg(count);
    if (QFile::exists(zip))
        return zip;
    const QString src = s.home.path() + QStringLiteral("/many%1").arg(count);
    QDir().mkpath(src);
    for (int i = 0; i < count; ++i) {
        QFile f(src + QStringLiteral("/F%1.PRG").arg(i));
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(64, char(i)));
    }
    return Setup::run(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("zip -q -r '%1' .").arg(zip)}, src)
               ? zip
               : QString();
}

void BM_UnzipManyMembers(benchmark::State& state)
{
    const QString zip = manyMemberZip(int(state.range(0)));
    if (zip.isEmpty()) {
        state.SkipWithError("zip is not installed");
        return;
    }
    const QString out = setup().home.path() + QStringLiteral("/many-out");
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        state.ResumeTiming();
        if (launch::UnzipToFolder(out, zip).failed)
            state.SkipWithError("extraction failed");
    }
}
BENCHMARK(BM_UnzipManyMembers)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return runBenchmarks(argc, argv);
}
