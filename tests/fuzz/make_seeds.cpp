// Writes the seed corpora of the fuzz harnesses (make_fuzz_seeds OUTFOLDER; the checked-in corpora are in
// tests/fuzz/corpus). Every seed comes from the program's own writers, the demo generators' writers, or
// small builders here for layouts nothing else writes; jlha, when installed, adds compressed LHA members.
#include "BmpFiles.h"
#include "Crc32.h"
#include "DemoRows.h"
#include "LhaWriter.h"
#include "PsidFile.h"
#include "c64/D64Writer.h"
#include "c64/LittleEndian.h"
#include "c64/LynxWriter.h"
#include "c64/T64Writer.h"
#include "c64/ZipCodeEncoder.h"
#include "data/Catalogue.h"
#include "data/Schema.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <cstdio>

namespace {

// One seed: OUTFOLDER/<harness>/<name>.
struct Seed
{
    QString harness;
    QString name;
    QByteArray bytes;
};

c64::CbmFileList programs(int count, int size)
{
    c64::CbmFileList files;
    for (int i = 0; i < count; ++i) {
        QByteArray data(2 + size + i * 37, '\0');
        c64::putU16(data, 0, quint16(0x0801 + i * 0x100));
        for (qsizetype b = 2; b < data.size(); ++b)
            data[b] = char((b * 7 + i * 13) & 0xff);
        files.append({QByteArray("PROGRAM ") + QByteArray::number(i + 1), c64::FileType::Prg, data});
    }
    return files;
}

// A gzip member around raw deflate data taken from zlib's stream.
QByteArray gzipMember(const QByteArray& data, const QByteArray& storedName)
{
    const QByteArray zlib = qCompress(data, 9);
    QByteArray out("\x1f\x8b\x08", 3);
    out += char(storedName.isEmpty() ? 0 : 0x08);
    out += QByteArray(4, '\0') + QByteArray("\x02\x03", 2);
    if (!storedName.isEmpty())
        out += storedName + '\0';
    out += zlib.mid(6, zlib.size() - 10); // length prefix and zlib header off, Adler-32 off
    QByteArray trailer(8, '\0');
    qToLittleEndian<quint32>(crc32Update(0, data.constData(), size_t(data.size())), trailer.data());
    qToLittleEndian<quint32>(quint32(data.size()), trailer.data() + 4);
    return out + trailer;
}

QList<Seed> catalogueSeeds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Vintrax.mdb"));
    QString error;
    catalogue::Catalogue cat;
    const bool made = catalogue::createCatalogue(path, &error) && cat.open(path).ok() && cat.db().beginTransaction() &&
                      fillDemoCatalogue(cat, &error) && cat.db().commit() &&
                      // Small pages keep the seed small and give the damage more pages to land on.
                      cat.db().exec(QStringLiteral("PRAGMA page_size = 512")) &&
                      cat.db().exec(QStringLiteral("VACUUM"));
    cat.close();
    QFile file(path);
    if (!made || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "catalogue seed: %s\n", qPrintable(error));
        return {};
    }
    const QByteArray good = file.readAll();
    QByteArray damaged = good;
    for (qsizetype i = 0; i < 512 && damaged.size() > 12 * 512; ++i)
        damaged[damaged.size() - 3 * 512 + i] = char(0xA5); // a page near the end, where the games are
    return {{"catalogue", "demo", good}, {"catalogue", "demo-damaged", damaged}};
}

QList<Seed> lhaSeeds()
{
    const QDateTime when(QDate(1989, 6, 1), QTime(12, 0));
    const c64::CbmFileList files = programs(2, 300);
    const std::optional<QByteArray> stored =
        demofiles::buildLhaArchive({{"GAME.PRG", files[0].data, when}, {"sub/LOADER.PRG", files[1].data, when}});
    if (!stored)
        return {};
    QList<Seed> seeds = {{"lha", "stored", *stored}};
    // Compressed members come from jlha, when it is there.
    QTemporaryDir dir;
    QFile game(dir.filePath(QStringLiteral("game.prg")));
    game.open(QIODevice::WriteOnly);
    game.write(files[0].data.repeated(8));
    game.close();
    for (const char* method : {"c", "co6", "co7"}) {
        QProcess jlha;
        jlha.setWorkingDirectory(dir.path());
        jlha.start(QStringLiteral("jlha"),
                   {QString::fromLatin1(method), QStringLiteral("out.lzh"), QStringLiteral("game.prg")});
        QFile archive(dir.filePath(QStringLiteral("out.lzh")));
        if (jlha.waitForFinished(30000) && jlha.exitCode() == 0 && archive.open(QIODevice::ReadOnly))
            seeds.append({"lha", QStringLiteral("jlha-") + QLatin1String(method), archive.readAll()});
        archive.remove();
    }
    return seeds;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: make_fuzz_seeds OUTFOLDER\n", stderr);
        return 2;
    }
    const c64::CbmFileList files = programs(3, 700);
    const QByteArray disk = c64::buildD64("FUZZ DISK", "FZ", files).value_or(QByteArray());
    const std::optional<std::array<QByteArray, c64::kZipCodePartCount>> set = c64::encodeZipCodeSet(disk);
    QByteArray zipcode(6, '\0');
    for (int i = 0; set && i < 3; ++i)
        c64::putU16(zipcode, 2 * i, quint16((*set)[size_t(i)].size()));
    for (const QByteArray& part : set.value_or(std::array<QByteArray, c64::kZipCodePartCount>{}))
        zipcode += part;

    const QByteArray game = files[0].data.repeated(4);
    const QByteArray settings = "; set by hand\n[Startup]\nMusicPath = C:\\Games\\C64\\Music\nGamesPath=D:\\C64; "
                                "\"Games\" #1\nCurrentGame=Last Ninja, The\nTexture=2\nTexture=3\nstray text\n\n"
                                "[Other]\nKeep=this\\that\n[Broken\nKey=after a broken header";
    QByteArray crlf = settings;
    crlf.replace("\n", "\r\n");
    demofiles::PsidHeader tune;
    tune.songs = 0x8003;
    tune.startSong = 256;
    tune.name = "Fuzz";
    tune.author = QByteArray("Zero\0Gap", 8);
    const QByteArray psid = demofiles::buildPsid(tune, game.left(64));
    const QList<Seed> fixed = {
        {"d64", "three-programs", disk},
        {"t64", "three-programs", c64::buildT64("FUZZ TAPE", files).value_or(QByteArray())},
        {"lynx", "three-programs", c64::buildLynx(files).value_or(QByteArray())},
        {"zipcode", "three-programs", set ? zipcode : QByteArray()},
        {"gunzip", "named", gzipMember(game, "GAME.D64")},
        {"gunzip", "two-members", gzipMember(game, {}) + gzipMember("x", {})},
        {"bmp", "8-bit", testsupport::paletteBmp(17, 6, 8)},
        {"bmp", "4-bit-top-down", testsupport::paletteBmp(9, -5, 4)},
        {"bmp", "1-bit-os2", testsupport::paletteBmp(33, 3, 1, {}, true)},
        {"bmp", "rle8",
         testsupport::paletteBmp(8, 2, 8, QByteArray("\x04\x01\x00\x02\x03\x05\x00\x00\x08\x07\x00\x01", 12), false,
                                 1)},
        {"bmp", "rle4",
         testsupport::paletteBmp(8, 2, 4, QByteArray("\x08\x12\x00\x00\x00\x04\x12\x34\x04\x56\x00\x01", 12), false,
                                 2)},
        {"settings", "hand-edited", settings},
        {"settings", "windows-line-ends-bom", "\xEF\xBB\xBF" + crlf},
        {"settings", "latin1", "[Startup]\nCurrentGame=Bl\xe5 Bl\xe4k\n"},
        {"sid", "version-2", psid},
        {"sid", "version-1-cut", QByteArray("PSID\x00\x01\x00\x76", 8) + psid.mid(8, 60)}};
    const QList<Seed> lha = lhaSeeds(), catalogue = catalogueSeeds();
    const QString out = QFile::decodeName(argv[1]);
    bool ok = !lha.isEmpty() && !catalogue.isEmpty();
    for (const Seed& seed : fixed + lha + catalogue) {
        QDir().mkpath(out + QLatin1Char('/') + seed.harness);
        QFile file(out + QLatin1Char('/') + seed.harness + QLatin1Char('/') + seed.name);
        ok = ok && !seed.bytes.isEmpty() && file.open(QIODevice::WriteOnly) &&
             file.write(seed.bytes) == seed.bytes.size() && file.flush();
    }
    if (!ok) {
        std::fputs("make_fuzz_seeds: a seed could not be made\n", stderr);
        return 1;
    }
    return 0;
}
