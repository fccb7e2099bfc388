// The game file dialog opening on a folder of 5,000 files: the folder and file lists read and shown, nothing
// converted (that waits until a file is chosen). Goal: under 300 ms.
#include "files/FolderLists.h"
#include "files/GameFileRules.h"

#include "BenchMain.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// 5,000 files of the kinds a game folder holds (a fifth of them of kinds the dialog does not list) and 50
// sub-folders; each file holds a few bytes, since only names are read.
QString gameFolder(QTemporaryDir& dir)
{
    static const char* const kEndings[] = {".d64", ".T64", ".zip", ".prg", ".txt"};
    for (int i = 0; i < 5000; ++i) {
        QFile f(dir.filePath(QStringLiteral("Game number %1%2").arg(i).arg(kEndings[i % 5])));
        if (!f.open(QIODevice::WriteOnly) || f.write("x", 1) != 1)
            qFatal("cannot write the benchmark folder");
    }
    for (int i = 0; i < 50; ++i)
        QDir(dir.path()).mkdir(QStringLiteral("Folder %1").arg(i));
    return dir.path();
}

void BM_GameFolderListed(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString folder = gameFolder(dir);
    const QStringList patterns = files::patternList(files::kGameFilePattern);
    QListWidget dirBox;
    QListWidget fileBox;
    for (auto _ : state) {
        dirBox.clear();
        fileBox.clear();
        dirBox.addItems(files::folderEntries(folder));
        fileBox.addItems(files::fileEntries(folder, patterns));
        benchmark::DoNotOptimize(fileBox.count());
    }
    state.counters["files listed"] = double(fileBox.count());
}
BENCHMARK(BM_GameFolderListed)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return runBenchmarks(argc, argv);
}
