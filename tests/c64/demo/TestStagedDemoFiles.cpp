// The demo files in the staged program folder, against the staged demo catalogue (read by sqlite3): every file a
// row names is there, opens, as unzip, zip2disk, jlha and starlynx hand it to the emulator, to an image whose entry
// at the row's index is the game's, and holds what went in as cbmconvert sees it; the tunes and screenshots it names
// are there. (sidplayfp's word on a PSID tune is asked in test_sid_header, ImageMagick's on a GIF in
// test_bmp2gif_tool.)

#include "C64Fixtures.h"
#include "DemoContent.h"
#include "TestFolders.h"
#include "ZipCodeEncoder.h"
#include "c64/ImageListing.h"
#include "c64/ZipCodeDecoder.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace c64;

namespace {

struct Row
{
    QString name;
    QString file; // relative to the games folder, "\"-separated, or "(None)"
    int index = 0;
    QString tune;
    QString screenshot;
};

const QString kNone = QStringLiteral("(None)");

QString staged(const QString& relative)
{
    return QDir(testsupport::stageDir()).filePath(QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/')));
}

// What the emulator would be handed for a staged game file: the file, or the image unpacked from its archive.
QString imageOf(const QString& path, const QString& scratch)
{
    const QString lower = path.toLower();
    const auto ran = [&scratch](const testsupport::RunResult& r, const QString& name) {
        return tooltest::succeeded(r) ? QDir(scratch).filePath(name) : QString();
    };
    const bool zip = lower.endsWith(".zip");
    if (lower.endsWith(".lnx"))
        return ran(tooltest::runTool("starlynx", {"x", path, "lynx.d64"}, scratch), "lynx.d64");
    if (!zip && !lower.endsWith(".lha"))
        return path;
    if (!tooltest::succeeded(tooltest::oracle(zip ? "unzip" : "jlha", {zip ? "-o" : "-x", path}, scratch)))
        return {};
    const QStringList names = QDir(scratch).entryList(QDir::Files, QDir::Name);
    if (names.size() == 4 && names.first().startsWith("1!"))
        return ran(tooltest::oracle("zip2disk", {names.first().mid(2), "set.d64"}, scratch), "set.d64");
    return names.size() == 1 ? QDir(scratch).filePath(names.first()) : QString();
}

// Sectors chosen to need each record kind and the packing edge cases, among noise (stored records).
QByteArray edgeCaseImage()
{
    QByteArray image = tooltest::noiseBytes(174848, 99);
    const auto sector = [&image](int t, int s) { return image.data() + c64test::sectorOffset(t, s); };
    std::fill(sector(1, 0), sector(1, 0) + 256, '\0');           // filled with zeros
    std::fill(sector(8, 20), sector(8, 20) + 256, char(0xFF));   // filled, last sector of a part
    std::fill(sector(35, 16), sector(35, 16) + 256, char(0x5A)); // filled, last sector of the disk
    std::fill(sector(9, 0), sector(9, 0) + 255, char(7));        // the longest run a packed record holds
    for (int i = 0, k = 0; i < 256; ++k) { // runs of three (left as they are) next to runs of four (packed)
        const int run = std::min(k % 2 ? 4 : 3, 256 - i);
        std::fill(sector(17, 3) + i, sector(17, 3) + i + run, char(10 + k));
        i += run;
    }
    for (int i = 0; i < 256; ++i) {
        sector(26, 5)[i] = char(i);     // every byte value: no byte is free to mark a run
        sector(20, 4)[i] = char(i / 2); // only short runs, where packing is no gain
    }
    return image;
}

} // namespace

class TestStagedDemoFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(staged("Vintrax.mdb")), "the demo catalogue is not staged");
        const testsupport::RunResult r =
            tooltest::oracle("sqlite3",
                             {"-batch", "-separator", "\t", staged("Vintrax.mdb"),
                              "SELECT Name, Filename, \"Filename Index\", \"Music Filename\", \"Screenshot Filename\" "
                              "FROM Games ORDER BY Name"},
                             testsupport::stageDir());
        VERIFY_RAN(r);
        for (const QString& line : QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const QStringList f = line.split(QLatin1Char('\t'));
            QCOMPARE(f.size(), 5);
            m_rows.append({f[0], f[1], f[2].toInt(), f[3], f[4]});
        }
        QVERIFY(m_rows.size() >= 10);
    }

    // The entry each row's Filename Index points at, as the game file dialog lists it, is the game's name in capitals
    // ("Dragon's Keep, The" is DRAGON'S KEEP); what each file holds is checked by cbmconvert.
    void rowsOpenToTheirGames()
    {
        const QMap<QString, CbmFileList> contents{{"Disks\\astrominer.d64", demofiles::astroMinerFiles()},
                                                  {"Tapes\\bytes.t64", demofiles::bouncingBytesFiles()},
                                                  {"Archives\\dragonskeep.zip", demofiles::dragonsKeepFiles()},
                                                  {"Archives\\courier.zip", demofiles::courierFiles()},
                                                  {"Archives\\garden.lnx", demofiles::gardenFiles()}};
        int files = 0, tunes = 0, shots = 0;
        QSet<QString> opened;
        for (const Row& row : m_rows) {
            if (row.tune != kNone) {
                QVERIFY2(QFileInfo(staged("Demo/Music/" + row.tune)).isFile(), qPrintable(row.name + ": " + row.tune));
                ++tunes;
            }
            if (row.screenshot != kNone) {
                QVERIFY2(QFileInfo(staged("Screenshots/" + row.screenshot)).isFile(), qPrintable(row.screenshot));
                ++shots;
            }
            if (row.file == kNone)
                continue;
            ++files;
            QTemporaryDir scratch;
            const QString image = imageOf(staged("Demo/Games/" + row.file), scratch.path());
            QVERIFY2(!image.isEmpty(), qPrintable(row.name + QStringLiteral(": nothing to start")));
            const ImageListing listing = listImage(image);
            QVERIFY2(!listing.partial, qPrintable(row.name + ": " + listing.problem));
            if (listing.kind == ImageKind::PRG) {
                QCOMPARE(row.index, 0);
                const QByteArray program = testsupport::readFile(image);
                if (row.file.endsWith(QLatin1String(".lha")))
                    QCOMPARE(program, demofiles::frostByteProgram());
                QVERIFY2(program.startsWith(QByteArray("\x01\x08", 2)), qPrintable(row.name));
                continue;
            }
            QVERIFY2(listing.kind == ImageKind::D64 || listing.kind == ImageKind::T64, qPrintable(row.name));
            const QString line = listing.entries.value(row.index);
            QCOMPARE(listing.kind == ImageKind::D64 ? line.left(16).trimmed() : line,
                     QString(row.name).remove(QStringLiteral(", The")).toUpper());
            QVERIFY2(listing.kind == ImageKind::T64 || line.endsWith(" PRG"), qPrintable(line));
            if (contents.contains(row.file)) {
                opened.insert(row.file);
                QCOMPARE(c64test::cbmconvertExtract(listing.kind == ImageKind::D64 ? "-d" : "-t",
                                                    testsupport::readFile(image), "game" + image.right(4)),
                         c64test::asNativeFiles(contents.value(row.file)));
            }
        }
        QCOMPARE(QList<int>({files, int(opened.size()), shots}), QList<int>({9, int(contents.size()), 3}));
        QVERIFY(tunes >= 5);
    }

    // The encoder behind courier.zip (only that its sets unpack is checked, not how it packs): the set of sectors
    // needing every record kind unpacks to the image, by zip2disk and by our decoder.
    void zipCodeSetUnpacks()
    {
        const QByteArray image = edgeCaseImage();
        QString error;
        const auto parts = c64::encodeZipCodeSet(image, &error);
        QVERIFY2(parts, qPrintable(error));
        QVERIFY(c64::decodeZipCodeSet(*parts).image == image);
        QTemporaryDir dir;
        QVERIFY(c64test::writeParts(dir.path(), *parts, "set") &&
                c64test::unpackWithZip2disk(dir.path(), "set") == image);
    }

private:
    QList<Row> m_rows;
};

QTEST_GUILESS_MAIN(TestStagedDemoFiles)
#include "TestStagedDemoFiles.moc"
