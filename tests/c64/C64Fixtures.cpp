#include "C64Fixtures.h"

#include "TestFolders.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

using testsupport::readFile;
using testsupport::writeFile;
using tooltest::oracle;
using tooltest::succeeded;

namespace c64test {

namespace {

// Runs an independent program in a fresh scratch folder holding the given files (name -> contents); returns every file
// the folder holds afterwards and the program's stdout under "-", or nothing (with a warning) when it failed.
QMap<QString, QByteArray> madeBy(const QString& program, const QStringList& args,
                                 const QMap<QString, QByteArray>& files)
{
    QTemporaryDir dir;
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(dir.filePath(it.key()), it.value());
    const testsupport::RunResult r = oracle(program, args, dir.path());
    if (!succeeded(r)) {
        qWarning("%s: %s", qPrintable(program), qPrintable(tooltest::describe(r)));
        return {};
    }
    QMap<QString, QByteArray> out{{"-", r.out}};
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files))
        out.insert(name, readFile(dir.filePath(name)));
    return out;
}

} // namespace

Cc1541Listing cc1541List(const QByteArray& image)
{
    Cc1541Listing listing;
    static const QRegularExpression header(QStringLiteral("^0 .*\"(.{16})\""));
    static const QRegularExpression entry(QStringLiteral("^(\\d+)\\s+\"([^\"]*)\"\\s*(\\S+)\\s*$"));
    static const QRegularExpression freeLine(QStringLiteral("^(\\d+) blocks free"));
    const QByteArray out = madeBy("cc1541", {"copy.d64"}, {{"copy.d64", image}}).value("-");
    for (const QString& line : QString::fromLatin1(out).split(QLatin1Char('\n'))) {
        QRegularExpressionMatch m = header.match(line);
        if (m.hasMatch() && listing.diskName.isEmpty()) {
            listing.diskName = m.captured(1);
        } else if ((m = entry.match(line)).hasMatch()) {
            listing.entries.append({m.captured(1).toInt(), m.captured(2), m.captured(3)});
        } else if ((m = freeLine.match(line)).hasMatch()) {
            listing.blocksFree = m.captured(1).toInt();
        }
    }
    listing.ok = listing.blocksFree >= 0;
    return listing;
}

QByteArray cc1541Image(const QStringList& args, const QMap<QString, QByteArray>& files)
{
    return madeBy("cc1541", QStringList{"-q"} + args + QStringList{"made.d64"}, files).value("made.d64");
}

QMap<QString, QByteArray> cbmconvertExtract(const QString& inputOption, const QByteArray& container,
                                            const QString& containerName)
{
    QMap<QString, QByteArray> files =
        madeBy("cbmconvert", {"-v1", "-N", inputOption, containerName}, {{containerName, container}});
    files.remove("-");
    files.remove(containerName);
    return files;
}

QByteArray cbmconvertLynx(const NamedFiles& files)
{
    QStringList args{"-v0", "-L", "made.lnx", "-n"};
    QMap<QString, QByteArray> inputs;
    for (const auto& [name, data] : files) {
        inputs.insert(name, data);
        args << name;
    }
    return madeBy("cbmconvert", args, inputs).value("made.lnx");
}

QStringList tree(const QString& root, const QString& skip)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString rel = QDir(root).relativeFilePath(it.next());
        const QFileInfo info = it.fileInfo();
        if (skip.isEmpty() || (rel != skip && !rel.startsWith(skip + '/')))
            lines << (info.isDir() ? rel + '/'
                                   : QStringLiteral("%1 %2 %3")
                                         .arg(rel)
                                         .arg(info.size())
                                         .arg(info.lastModified().toMSecsSinceEpoch()));
    }
    lines.sort();
    return lines;
}

QString nativeName(const c64::CbmFile& file)
{
    static const char* const endings[] = {".del", ".seq", ".prg", ".usr", ".rel"};
    return QString::fromLatin1(file.name).toLower() + QLatin1String(endings[int(file.type)]);
}

QMap<QString, QByteArray> asNativeFiles(const c64::CbmFileList& files)
{
    QMap<QString, QByteArray> out;
    for (const c64::CbmFile& f : files)
        out.insert(nativeName(f), f.data);
    return out;
}

namespace {

QString partName(int part, const QString& base)
{
    return QStringLiteral("%1!%2").arg(part).arg(base);
}

QByteArray pseudoRandomFile(int size, QRandomGenerator& rng)
{
    QByteArray out;
    while (out.size() < size) {
        switch (rng.bounded(4)) {
        case 0: // a run of one value, long enough to be packed
            out.append(int(rng.bounded(4, 400)), char(rng.bounded(256)));
            break;
        case 1: // a zero stretch that covers whole sectors
            out.append(int(rng.bounded(256, 1200)), '\0');
            break;
        default: // noise, which stays stored
            for (int n = int(rng.bounded(8, 500)); n > 0; --n)
                out.append(char(rng.bounded(256)));
        }
    }
    out.truncate(size);
    return out;
}

} // namespace

int sectorsPerTrack(int track)
{
    return track <= 17 ? 21 : track <= 24 ? 19 : track <= 30 ? 18 : 17;
}

qsizetype sectorOffset(int track, int sector)
{
    qsizetype offset = 0;
    for (int t = 1; t < track; ++t)
        offset += sectorsPerTrack(t) * 256;
    return offset + sector * 256;
}

SampleSet makeSampleSet(const QList<int>& fileSizes, quint32 seed)
{
    QRandomGenerator rng(seed);
    QStringList args{"-n", "ZIPTEST", "-i", QStringLiteral("zt")};
    QMap<QString, QByteArray> files;
    for (int i = 0; i < fileSizes.size(); ++i) {
        const QString name = QStringLiteral("file%1.prg").arg(i);
        files.insert(name, pseudoRandomFile(fileSizes[i], rng));
        args << QStringLiteral("-f") << QStringLiteral("FILE%1").arg(i) << QStringLiteral("-w") << name;
    }
    SampleSet set{cc1541Image(args, files), {}};
    const QMap<QString, QByteArray> out = madeBy("disk2zip", {"disk.d64", "game"}, {{"disk.d64", set.image}});
    for (int i = 0; i < 4; ++i)
        set.parts[size_t(i)] = out.value(partName(i + 1, QStringLiteral("game")));
    return set;
}

bool writeParts(const QString& dir, const Parts& parts, const QString& base)
{
    bool ok = true;
    for (int i = 0; i < 4; ++i)
        ok = ok && writeFile(QDir(dir).filePath(partName(i + 1, base)), parts[size_t(i)]);
    return ok;
}

QByteArray unpackWithZip2disk(const QString& dir, const QString& base)
{
    const QString name = QStringLiteral("zip2disk-oracle.d64"), out = QDir(dir).filePath(name);
    const QByteArray image = succeeded(oracle("zip2disk", {base, name}, dir)) ? readFile(out) : QByteArray();
    QFile::remove(out);
    return image;
}

} // namespace c64test
