// The demo files in the staged program folder, against the staged demo catalogue: every file a row names is there,
// the entry each row starts is the game's, and what comes out of every archive is what went in, as independent
// programs (sqlite3, unzip, zip2disk, cbmconvert, jlha, sidplayfp) and our own conversion tools see it.

#include "C64Fixtures.h"
#include "DemoContent.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"
#include "c64/LynxArchive.h"
#include "c64/ZipCodeDecoder.h"

#include <QDir>
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
};

const QString kNone = QStringLiteral("(None)");

QString games(const QString& relative = {})
{
    return QDir(testsupport::stageDir()).filePath(QStringLiteral("Demo/Games/") + relative);
}

QString music(const QString& relative)
{
    return QDir(testsupport::stageDir()).filePath(QStringLiteral("Demo/Music/") + relative);
}

QString onDisk(const QString& stored)
{
    return QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

// Extracts a ZIP with unzip into dir; the names it holds.
QStringList unzipInto(const QString& zipPath, const QString& dir, QString* why)
{
    const testsupport::RunResult r = tooltest::oracle(QStringLiteral("unzip"), {QStringLiteral("-o"), zipPath}, dir);
    *why = tooltest::describe(r);
    return tooltest::succeeded(r) ? QDir(dir).entryList(QDir::Files, QDir::Name) : QStringList();
}

QByteArray stagedBytes(const QString& relative)
{
    return testsupport::readFile(games(relative));
}

// The entry name a D64 listing line starts with (the 16-character name, blanks trimmed).
QString d64EntryName(const QString& line)
{
    return line.left(16).trimmed();
}

} // namespace

class TestStagedDemoFiles : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyNamedFileExists();
    void rowsStartTheGamesEntry();
    void diskAndTapeHoldTheirFiles();
    void dragonsKeepZip();
    void courierZipCodeSet();
    void frostByteLha();
    void gardenLynx();
    void tunesPlay();
    void screenshotsArePictures();

private:
    // What the emulator would be handed for a row: the staged file, or the image unpacked from its archive.
    QString imageForRow(const Row& row, const QString& scratch);

    QList<Row> m_rows;
};

void TestStagedDemoFiles::initTestCase()
{
    const QString catalogue = QDir(testsupport::stageDir()).filePath(QStringLiteral("Vintrax.mdb"));
    QVERIFY2(QFileInfo::exists(catalogue), qPrintable(catalogue));
    const testsupport::RunResult r = tooltest::oracle(
        QStringLiteral("sqlite3"),
        {QStringLiteral("-batch"), QStringLiteral("-separator"), QStringLiteral("\t"), catalogue,
         QStringLiteral("SELECT Name, Filename, \"Filename Index\", \"Music Filename\" FROM Games ORDER BY Name")},
        testsupport::stageDir());
    VERIFY_RAN(r);
    for (const QString& line : QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        QCOMPARE(f.size(), 4);
        m_rows.append({f[0], f[1], f[2].toInt(), f[3]});
    }
    QVERIFY(m_rows.size() >= 10);
}

void TestStagedDemoFiles::everyNamedFileExists()
{
    int files = 0;
    int tunes = 0;
    for (const Row& row : m_rows) {
        if (row.file != kNone) {
            QVERIFY2(QFileInfo(games(onDisk(row.file))).isFile(), qPrintable(row.name + ": " + row.file));
            ++files;
        }
        if (row.tune != kNone) {
            QVERIFY2(QFileInfo(music(onDisk(row.tune))).isFile(), qPrintable(row.name + ": " + row.tune));
            ++tunes;
        }
    }
    QVERIFY(files >= 9);
    QVERIFY(tunes >= 5);
}

QString TestStagedDemoFiles::imageForRow(const Row& row, const QString& scratch)
{
    const QString staged = games(onDisk(row.file));
    const QString lower = row.file.toLower();
    QString why;
    if (lower.endsWith(QStringLiteral(".zip"))) {
        const QStringList names = unzipInto(staged, scratch, &why);
        if (names.contains(QStringLiteral("1!COURIER"))) {
            const testsupport::RunResult r =
                tooltest::oracle(QStringLiteral("zip2disk"), {QStringLiteral("COURIER"), "set.d64"}, scratch);
            return tooltest::succeeded(r) ? QDir(scratch).filePath(QStringLiteral("set.d64")) : QString();
        }
        return names.size() == 1 ? QDir(scratch).filePath(names.first()) : QString();
    }
    if (lower.endsWith(QStringLiteral(".lnx"))) {
        const testsupport::RunResult r =
            tooltest::runTool(QStringLiteral("starlynx"), {QStringLiteral("x"), staged, "lynx.d64"}, scratch);
        return tooltest::succeeded(r) ? QDir(scratch).filePath(QStringLiteral("lynx.d64")) : QString();
    }
    if (lower.endsWith(QStringLiteral(".lha"))) {
        const testsupport::RunResult r =
            tooltest::oracle(QStringLiteral("jlha"), {QStringLiteral("-x"), staged}, scratch);
        const QStringList names = QDir(scratch).entryList(QDir::Files);
        return tooltest::succeeded(r) && names.size() == 1 ? QDir(scratch).filePath(names.first()) : QString();
    }
    return staged;
}

void TestStagedDemoFiles::rowsStartTheGamesEntry()
{
    // The entry each row's Filename Index points at, as the game file dialog lists it.
    const QMap<QString, QString> expected{
        {QStringLiteral("Astro Miner"), QStringLiteral("ASTRO MINER")},
        {QStringLiteral("Moonbase Miner 2"), QStringLiteral("MOONBASE MINER 2")},
        {QStringLiteral("Bouncing Bytes"), QStringLiteral("BOUNCING BYTES")},
        {QStringLiteral("Dragon's Keep, The"), QStringLiteral("DRAGON'S KEEP")},
        {QStringLiteral("Express Courier"), QStringLiteral("EXPRESS COURIER")},
        {QStringLiteral("Galactic Garden"), QStringLiteral("GALACTIC GARDEN")},
    };
    int checked = 0;
    for (const Row& row : m_rows) {
        if (row.file == kNone)
            continue;
        QTemporaryDir scratch;
        const QString image = imageForRow(row, scratch.path());
        QVERIFY2(!image.isEmpty(), qPrintable(row.name + QStringLiteral(": nothing to start")));
        const ImageListing listing = listImage(image);
        QVERIFY2(!listing.partial, qPrintable(row.name + ": " + listing.problem));
        if (listing.kind == ImageKind::PRG) {
            QCOMPARE(row.index, 0);
            QVERIFY2(!expected.contains(row.name), qPrintable(row.name));
            ++checked;
            continue;
        }
        QVERIFY2(listing.kind == ImageKind::D64 || listing.kind == ImageKind::T64, qPrintable(row.name));
        QVERIFY2(row.index < listing.entries.size(), qPrintable(row.name));
        const QString line = listing.entries[row.index];
        const QString entry = listing.kind == ImageKind::D64 ? d64EntryName(line) : line;
        QVERIFY2(expected.contains(row.name), qPrintable(row.name));
        QCOMPARE(entry, expected.value(row.name));
        if (listing.kind == ImageKind::D64)
            QVERIFY2(line.endsWith(QStringLiteral(" PRG")), qPrintable(line));
        ++checked;
    }
    QCOMPARE(checked, 9);
}

void TestStagedDemoFiles::diskAndTapeHoldTheirFiles()
{
    const ImageListing disk = listImage(games(QStringLiteral("Disks/astrominer.d64")));
    QCOMPARE(disk.name, QStringLiteral("ASTRO MINER"));
    QCOMPARE(disk.entries,
             (QStringList{QStringLiteral("LOADER           PRG"), QStringLiteral("HISCORES         SEQ"),
                          QStringLiteral("ASTRO MINER      PRG"), QStringLiteral("MOONBASE MINER 2 PRG")}));
    QString why;
    QCOMPARE(c64test::cbmconvertExtract(QStringLiteral("-d"), stagedBytes("Disks/astrominer.d64"), "a.d64", &why),
             c64test::asNativeFiles(demofiles::astroMinerFiles()));

    const ImageListing tape = listImage(games(QStringLiteral("Tapes/bytes.t64")));
    QCOMPARE(tape.name, QStringLiteral("BOUNCING BYTES"));
    QCOMPARE(tape.entries, (QStringList{QStringLiteral("INTRO"), QStringLiteral("BOUNCING BYTES")}));
    QCOMPARE(c64test::cbmconvertExtract(QStringLiteral("-t"), stagedBytes("Tapes/bytes.t64"), "b.t64", &why),
             c64test::asNativeFiles(demofiles::bouncingBytesFiles()));

    for (const QString& prg : {QStringLiteral("cavern.prg"), QStringLiteral("nibble.prg")})
        QVERIFY2(stagedBytes(prg).startsWith(QByteArray("\x01\x08", 2)), qPrintable(prg));
}

void TestStagedDemoFiles::dragonsKeepZip()
{
    QTemporaryDir dir;
    QString why;
    QCOMPARE(unzipInto(games(QStringLiteral("Archives/dragonskeep.zip")), dir.path(), &why),
             QStringList{QStringLiteral("DRAGONSKEEP.D64")});
    const QByteArray image = testsupport::readFile(dir.filePath(QStringLiteral("DRAGONSKEEP.D64")));
    QCOMPARE(c64test::cbmconvertExtract(QStringLiteral("-d"), image, "d.d64", &why),
             c64test::asNativeFiles(demofiles::dragonsKeepFiles()));
}

void TestStagedDemoFiles::courierZipCodeSet()
{
    const std::optional<QByteArray> source = demofiles::courierDisk();
    QVERIFY(source);
    QTemporaryDir dir;
    QString why;
    QCOMPARE(unzipInto(games(QStringLiteral("Archives/courier.zip")), dir.path(), &why),
             (QStringList{"1!COURIER", "2!COURIER", "3!COURIER", "4!COURIER"}));

    const testsupport::RunResult oracle =
        tooltest::oracle(QStringLiteral("zip2disk"), {QStringLiteral("COURIER"), "oracle.d64"}, dir.path());
    VERIFY_RAN(oracle);
    QVERIFY(testsupport::readFile(dir.filePath(QStringLiteral("oracle.d64"))) == *source);

    std::array<QByteArray, kZipCodePartCount> parts;
    for (int i = 0; i < kZipCodePartCount; ++i)
        parts[size_t(i)] = testsupport::readFile(dir.filePath(QStringLiteral("%1!COURIER").arg(i + 1)));
    const ZipCodeDecodeResult ours = decodeZipCodeSet(parts);
    QVERIFY2(ours.ok, qPrintable(ours.error));
    QVERIFY(ours.image == *source);

    const testsupport::RunResult tool =
        tooltest::runTool(QStringLiteral("zip2d64"), {QStringLiteral("COURIER"), "vtrxtz2d.d64"}, dir.path());
    VERIFY_RAN(tool);
    QVERIFY(testsupport::readFile(dir.filePath(QStringLiteral("vtrxtz2d.d64"))) == *source);
}

void TestStagedDemoFiles::frostByteLha()
{
    const QString archive = games(QStringLiteral("Archives/frostbyte.lha"));
    QTemporaryDir oracleDir;
    VERIFY_RAN(tooltest::oracle(QStringLiteral("jlha"), {QStringLiteral("-x"), archive}, oracleDir.path()));
    QCOMPARE(QDir(oracleDir.path()).entryList(QDir::Files), QStringList{QStringLiteral("FROSTBYTE.PRG")});
    QCOMPARE(testsupport::readFile(oracleDir.filePath(QStringLiteral("FROSTBYTE.PRG"))), demofiles::frostByteProgram());

    QTemporaryDir toolDir;
    QVERIFY(QFile::copy(archive, toolDir.filePath(QStringLiteral("FROSTBYTE.LHA"))));
    VERIFY_RAN(tooltest::runTool(QStringLiteral("lha"), {QStringLiteral("e"), QStringLiteral("/m"), "FROSTBYTE.LHA"},
                                 toolDir.path()));
    QCOMPARE(testsupport::readFile(toolDir.filePath(QStringLiteral("FROSTBYTE.PRG"))), demofiles::frostByteProgram());
}

void TestStagedDemoFiles::gardenLynx()
{
    const QByteArray archive = stagedBytes(QStringLiteral("Archives/garden.lnx"));
    QString why;
    QCOMPARE(c64test::cbmconvertExtract(QStringLiteral("-l"), archive, "garden.lnx", &why),
             c64test::asNativeFiles(demofiles::gardenFiles()));
    const std::optional<CbmFileList> ours = readLynxFiles(archive, &why);
    QVERIFY2(ours, qPrintable(why));
    QCOMPARE(ours->size(), 2);
    for (int i = 0; i < 2; ++i) {
        QCOMPARE((*ours)[i].name, demofiles::gardenFiles()[i].name);
        QCOMPARE((*ours)[i].data, demofiles::gardenFiles()[i].data);
    }
}

void TestStagedDemoFiles::tunesPlay()
{
    const QMap<QString, QByteArray> titles{{QStringLiteral("bouncing_bytes.sid"), "Bouncing Bytes"},
                                           {QStringLiteral("harbour_patrol.sid"), "Harbour Patrol"}};
    for (auto it = titles.begin(); it != titles.end(); ++it) {
        const QString path = music(it.key());
        QVERIFY(testsupport::readFile(path).mid(0x16, 32).startsWith(it.value() + '\0'));
        // Windows of a quarter of a note or less: a melody shows several pitches, a silent tune none.
        QString why;
        const int pitches = c64test::heardPitches(path, 4, 20, &why);
        QVERIFY2(pitches >= 5, qPrintable(it.key() + QStringLiteral(": %1 pitches ").arg(pitches) + why));
    }
}

// Every screenshot a row names is a 320 by 200 GIF of at most the C64's sixteen colours, as ImageMagick sees it.
void TestStagedDemoFiles::screenshotsArePictures()
{
    const QString catalogue = QDir(testsupport::stageDir()).filePath(QStringLiteral("Vintrax.mdb"));
    const testsupport::RunResult r = tooltest::oracle(
        QStringLiteral("sqlite3"),
        {QStringLiteral("-batch"), catalogue,
         QStringLiteral("SELECT \"Screenshot Filename\" FROM Games WHERE \"Screenshot Filename\" <> '(None)'")},
        testsupport::stageDir());
    VERIFY_RAN(r);
    const QStringList names = QString::fromUtf8(r.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(names.size(), 3);
    for (const QString& name : names) {
        const QString path = QDir(testsupport::stageDir()).filePath(QStringLiteral("Screenshots/") + name);
        const testsupport::RunResult id =
            tooltest::oracle(QStringLiteral("identify"),
                             {QStringLiteral("-format"), QStringLiteral("%m %w %h %k"), path}, testsupport::stageDir());
        VERIFY_RAN(id);
        const QStringList f = QString::fromUtf8(id.out).split(QLatin1Char(' '));
        QCOMPARE(f.size(), 4);
        QCOMPARE(f[0], QStringLiteral("GIF"));
        QCOMPARE(f[1].toInt(), 320);
        QCOMPARE(f[2].toInt(), 200);
        QVERIFY2(f[3].toInt() >= 4 && f[3].toInt() <= 16, qPrintable(name + ": " + f[3]));
    }
}

QTEST_GUILESS_MAIN(TestStagedDemoFiles)
#include "TestStagedDemoFiles.moc"
