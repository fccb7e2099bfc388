#include "C64Fixtures.h"

#include "TestFolders.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cstdlib>

using testsupport::readFile;
using testsupport::writeFile;
using tooltest::oracle;
using tooltest::succeeded;

namespace c64test {

namespace {

// Runs an independent program in a fresh scratch folder holding the given files (name -> contents); returns the
// file it wrote under output (stdout when output is empty), or an empty array with the reason in *why.
QByteArray madeBy(const QString& program, const QStringList& args, const QMap<QString, QByteArray>& files,
                  const QString& output, QString* why = nullptr)
{
    QTemporaryDir dir;
    for (auto it = files.begin(); it != files.end(); ++it)
        writeFile(dir.filePath(it.key()), it.value());
    const testsupport::RunResult r = oracle(program, args, dir.path());
    if (!succeeded(r) && why)
        *why = program + QStringLiteral(": ") + tooltest::describe(r);
    return !succeeded(r) ? QByteArray() : output.isEmpty() ? r.out : readFile(dir.filePath(output));
}

} // namespace

Cc1541Listing cc1541List(const QByteArray& image)
{
    Cc1541Listing listing;
    static const QRegularExpression header(QStringLiteral("^0 .*\"(.{16})\""));
    static const QRegularExpression entry(QStringLiteral("^(\\d+)\\s+\"([^\"]*)\"\\s*(\\S+)\\s*$"));
    static const QRegularExpression freeLine(QStringLiteral("^(\\d+) blocks free"));
    const QByteArray out = madeBy(QStringLiteral("cc1541"), {"copy.d64"}, {{"copy.d64", image}}, QString());
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
    return madeBy(QStringLiteral("cc1541"), QStringList{"-q"} + args + QStringList{"made.d64"}, files, "made.d64");
}

QMap<QString, QByteArray> cbmconvertExtract(const QString& inputOption, const QByteArray& container,
                                            const QString& containerName, QString* why)
{
    QMap<QString, QByteArray> files;
    QTemporaryDir dir;
    const QString outputDir = dir.filePath(QStringLiteral("out"));
    QDir().mkpath(outputDir);
    writeFile(dir.filePath(containerName), container);
    const testsupport::RunResult r =
        oracle(QStringLiteral("cbmconvert"), {"-v1", "-N", inputOption, dir.filePath(containerName)}, outputDir);
    if (!succeeded(r) && why)
        *why = tooltest::describe(r);
    for (const QString& name : QDir(outputDir).entryList(QDir::Files))
        files.insert(name, readFile(QDir(outputDir).filePath(name)));
    return succeeded(r) ? files : QMap<QString, QByteArray>();
}

QByteArray cbmconvertLynx(const NamedFiles& files)
{
    QStringList args{"-v0", "-L", "made.lnx", "-n"};
    QMap<QString, QByteArray> inputs;
    for (const auto& [name, data] : files) {
        inputs.insert(name, data);
        args << name;
    }
    return madeBy(QStringLiteral("cbmconvert"), args, inputs, "made.lnx");
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

const int kFirstTrack[4] = {1, 9, 17, 26};
const int kLastTrack[4] = {8, 16, 25, 35};

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

Record packedRecord(int track, int sector, char mark, const QByteArray& packed)
{
    return {2, track, sector, QByteArray(1, char(packed.size())) + mark + packed};
}

QList<Record> plainRecords(const QByteArray& image, int part)
{
    QList<Record> records;
    for (int t = kFirstTrack[part - 1]; t <= kLastTrack[part - 1]; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            const QByteArray sector = image.mid(sectorOffset(t, s), 256);
            if (sector.count(sector.at(0)) == 256)
                records << Record{1, t, s, sector.left(1)};
            else
                records << Record{0, t, s, sector};
        }
    }
    return records;
}

QByteArray encodePart(int part, const QList<Record>& records)
{
    QByteArray out = part == 1 ? QByteArray("\xfe\x03"
                                            "64")
                               : QByteArray("\x00\x04", 2);
    for (const Record& r : records)
        out.append(char((r.kind << 6) | (r.track & 0x3f))).append(char(r.sector)).append(r.data);
    return out;
}

QByteArray patternImage()
{
    QByteArray image(174848, '\0');
    for (int t = 1; t <= 35; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            char* p = image.data() + sectorOffset(t, s);
            for (int i = 0; i < 256; ++i)
                p[i] = (t + s) % 7 == 0 ? char(t * 7 + s) : char(t * 31 + s * 17 + i * (t % 5 + 1));
        }
    }
    return image;
}

QList<RecordHead> recordHeads(const QByteArray& part, int partNumber)
{
    QList<RecordHead> heads;
    for (qsizetype pos = partNumber == 1 ? 4 : 2; pos + 2 <= part.size();) {
        const int kind = quint8(part.at(pos)) >> 6;
        if (kind == 3)
            break;
        heads.append({pos, quint8(part.at(pos)) & 0x3F, quint8(part.at(pos + 1)), kind});
        pos += kind == 0 ? 258 : kind == 1 ? 3 : 4 + (pos + 2 < part.size() ? quint8(part.at(pos + 2)) : 0);
    }
    return heads;
}

QByteArray makeDiskWithCc1541(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error)
{
    QRandomGenerator rng(seed);
    QStringList args{"-q", "-n", "ZIPTEST", "-i", QStringLiteral("zt")};
    for (int i = 0; i < fileSizes.size(); ++i) {
        const QString name = QStringLiteral("file%1.prg").arg(i);
        if (!writeFile(QDir(dir).filePath(name), pseudoRandomFile(fileSizes[i], rng))) {
            *error = QStringLiteral("cannot write %1").arg(name);
            return {};
        }
        args << QStringLiteral("-f") << QStringLiteral("FILE%1").arg(i) << QStringLiteral("-w") << name;
    }
    const testsupport::RunResult r = oracle(QStringLiteral("cc1541"), args << QStringLiteral("disk.d64"), dir);
    const QByteArray image = readFile(QDir(dir).filePath(QStringLiteral("disk.d64")));
    if (!succeeded(r) || image.isEmpty())
        *error = QStringLiteral("cc1541 failed: ") + tooltest::describe(r);
    return succeeded(r) ? image : QByteArray();
}

Parts packWithDisk2zip(const QString& dir, const QString& imageName, const QString& base, QString* error,
                       const QStringList& options)
{
    Parts parts;
    const testsupport::RunResult r = oracle(QStringLiteral("disk2zip"), options + QStringList{imageName, base}, dir);
    for (int i = 0; succeeded(r) && i < 4; ++i)
        parts[size_t(i)] = readFile(QDir(dir).filePath(partName(i + 1, base)));
    if (parts[0].isEmpty())
        *error = QStringLiteral("disk2zip failed: ") + tooltest::describe(r);
    return parts;
}

SampleSet makeSampleSet(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error)
{
    SampleSet set;
    set.image = makeDiskWithCc1541(dir, fileSizes, seed, error);
    if (!set.image.isEmpty())
        set.parts = packWithDisk2zip(dir, "disk.d64", "game", error);
    if (set.parts[0].isEmpty())
        set.image.clear();
    return set;
}

bool writeParts(const QString& dir, const Parts& parts, const QString& base)
{
    for (int i = 0; i < 4; ++i) {
        if (!writeFile(QDir(dir).filePath(partName(i + 1, base)), parts[size_t(i)]))
            return false;
    }
    return true;
}

QByteArray unpackWithZip2disk(const QString& dir, const QString& base)
{
    const QString name = QStringLiteral("zip2disk-oracle.d64");
    const QString out = QDir(dir).filePath(name);
    const testsupport::RunResult r = oracle(QStringLiteral("zip2disk"), {base, name}, dir);
    const QByteArray image = succeeded(r) ? readFile(out) : QByteArray();
    QFile::remove(out);
    return image;
}

} // namespace c64test
