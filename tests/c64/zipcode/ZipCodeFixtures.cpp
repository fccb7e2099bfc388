#include "ZipCodeFixtures.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>

#include <algorithm>

namespace zipcodetest {

namespace {

const int kFirstTrack[4] = {1, 9, 17, 26};
const int kLastTrack[4] = {8, 16, 25, 35};

QByteArray pseudoRandomFile(int size, QRandomGenerator& rng)
{
    QByteArray out;
    out.reserve(size);
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

Record storedRecord(int track, int sector, const QByteArray& bytes256)
{
    return {0, track, sector, bytes256};
}

Record filledRecord(int track, int sector, char fill)
{
    return {1, track, sector, QByteArray(1, fill)};
}

Record packedRecord(int track, int sector, char mark, const QByteArray& packed)
{
    QByteArray data;
    data.append(char(packed.size()));
    data.append(mark);
    data.append(packed);
    return {2, track, sector, data};
}

QList<Record> plainRecords(const QByteArray& image, int part)
{
    QList<Record> records;
    for (int t = kFirstTrack[part - 1]; t <= kLastTrack[part - 1]; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            const QByteArray sector = image.mid(sectorOffset(t, s), 256);
            if (sector.count(sector.at(0)) == 256)
                records << filledRecord(t, s, sector.at(0));
            else
                records << storedRecord(t, s, sector);
        }
    }
    return records;
}

QByteArray encodePart(int part, const QList<Record>& records, const QByteArray& loadAndId)
{
    QByteArray out = loadAndId;
    if (out.isEmpty())
        out = part == 1 ? QByteArray("\xfe\x03"
                                     "64")
                        : QByteArray("\x00\x04", 2);
    for (const Record& r : records) {
        out.append(char((r.kind << 6) | (r.track & 0x3f)));
        out.append(char(r.sector));
        out.append(r.data);
    }
    return out;
}

QByteArray patternImage()
{
    QByteArray image(174848, '\0');
    for (int t = 1; t <= 35; ++t) {
        for (int s = 0; s < sectorsPerTrack(t); ++s) {
            char* p = image.data() + sectorOffset(t, s);
            if ((t + s) % 7 == 0) {
                std::fill(p, p + 256, char(t * 7 + s));
                continue;
            }
            for (int i = 0; i < 256; ++i)
                p[i] = char(t * 31 + s * 17 + i * (t % 5 + 1));
        }
    }
    return image;
}

std::array<int, 3> recordKinds(const QByteArray& part, int partNumber)
{
    std::array<int, 3> kinds{};
    qsizetype pos = partNumber == 1 ? 4 : 2;
    while (pos + 2 <= part.size()) {
        const int kind = quint8(part.at(pos)) >> 6;
        if (kind == 3)
            break;
        ++kinds[size_t(kind)];
        pos += kind == 0 ? 258 : kind == 1 ? 3 : 4 + (pos + 2 < part.size() ? quint8(part.at(pos + 2)) : 0);
    }
    return kinds;
}

bool haveProgram(const QString& program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

testsupport::RunResult oracle(const QString& program, const QStringList& args, const QString& workDir)
{
    return testsupport::runOracle(program, args, workDir);
}

QString describe(const testsupport::RunResult& r)
{
    return QStringLiteral("started %1, exit %2, stderr: %3")
        .arg(r.started)
        .arg(r.exitCode)
        .arg(QString::fromLocal8Bit(r.err).trimmed());
}

QByteArray makeDiskWithCc1541(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error)
{
    QRandomGenerator rng(seed);
    QStringList args{QStringLiteral("-q"), QStringLiteral("-n"), QStringLiteral("ZIPTEST"), QStringLiteral("-i"),
                     QStringLiteral("zt")};
    for (int i = 0; i < fileSizes.size(); ++i) {
        const QString name = QStringLiteral("file%1.prg").arg(i);
        QFile f(QDir(dir).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(pseudoRandomFile(fileSizes[i], rng)) != fileSizes[i]) {
            *error = QStringLiteral("cannot write %1").arg(name);
            return {};
        }
        args << QStringLiteral("-f") << QStringLiteral("FILE%1").arg(i) << QStringLiteral("-w") << name;
    }
    args << QStringLiteral("disk.d64");
    const testsupport::RunResult r = oracle(QStringLiteral("cc1541"), args, dir);
    QFile image(QDir(dir).filePath(QStringLiteral("disk.d64")));
    if (r.exitCode != 0 || !image.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cc1541 failed: ") + describe(r);
        return {};
    }
    return image.readAll();
}

std::array<QByteArray, 4> packWithDisk2zip(const QString& dir, const QString& imageName, const QString& base,
                                           QString* error, const QStringList& options)
{
    std::array<QByteArray, 4> parts;
    const testsupport::RunResult r = oracle(QStringLiteral("disk2zip"), options + QStringList{imageName, base}, dir);
    if (r.exitCode != 0) {
        *error = QStringLiteral("disk2zip failed: ") + describe(r);
        return parts;
    }
    for (int i = 0; i < 4; ++i) {
        QFile f(QDir(dir).filePath(QStringLiteral("%1!%2").arg(i + 1).arg(base)));
        if (!f.open(QIODevice::ReadOnly)) {
            *error = QStringLiteral("disk2zip left no part %1").arg(i + 1);
            return {};
        }
        parts[size_t(i)] = f.readAll();
    }
    return parts;
}

SampleSet makeSampleSet(const QString& dir, const QList<int>& fileSizes, quint32 seed, QString* error)
{
    SampleSet set;
    set.image = makeDiskWithCc1541(dir, fileSizes, seed, error);
    if (!set.image.isEmpty())
        set.parts = packWithDisk2zip(dir, QStringLiteral("disk.d64"), QStringLiteral("game"), error);
    if (set.parts[0].isEmpty())
        set.image.clear();
    return set;
}

bool writeParts(const QString& dir, const std::array<QByteArray, 4>& parts, const QString& base)
{
    for (int i = 0; i < 4; ++i) {
        QFile f(QDir(dir).filePath(QStringLiteral("%1!%2").arg(i + 1).arg(base)));
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(parts[size_t(i)]) != parts[size_t(i)].size())
            return false;
    }
    return true;
}

QByteArray unpackWithZip2disk(const QString& dir, const QString& base)
{
    const QString outName = QStringLiteral("zip2disk-oracle.d64");
    const testsupport::RunResult r = oracle(QStringLiteral("zip2disk"), {base, outName}, dir);
    QFile out(QDir(dir).filePath(outName));
    QByteArray image;
    if (r.exitCode == 0 && out.open(QIODevice::ReadOnly))
        image = out.readAll();
    out.close();
    out.remove();
    return image;
}

} // namespace zipcodetest
