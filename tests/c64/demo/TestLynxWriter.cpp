// Lynx archives from our writer (it makes the demo's garden.lnx): read back by our reader, by cbmconvert and by the
// staged starlynx tool, at the block-size edges and the limits of one disk, and refused where the archive could not
// be dissolved.

#include "c64/LynxWriter.h"

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/D64Image.h"
#include "c64/D64Writer.h"
#include "c64/LynxArchive.h"

#include <QTemporaryDir>
#include <QTest>

using namespace c64;

Q_DECLARE_METATYPE(c64::CbmFileList)

namespace {

CbmFile prg(const QByteArray& name, int size, quint32 seed)
{
    return CbmFile{name, FileType::Prg, tooltest::noiseBytes(size, seed)};
}

QByteArray built(const CbmFileList& files)
{
    QString error;
    const std::optional<QByteArray> archive = buildLynx(files, &error);
    if (!archive)
        qWarning("buildLynx refused: %s", qPrintable(error));
    return archive.value_or(QByteArray());
}

} // namespace

class TestLynxWriter : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void fullDiskDissolvesWithStarlynx();
    void refusals_data();
    void refusals();
};

void TestLynxWriter::roundTrip_data()
{
    QTest::addColumn<CbmFileList>("files");
    QTest::newRow("empty file") << CbmFileList{CbmFile{"EMPTY", FileType::Prg, {}}, prg("AFTER", 300, 1)};
    QTest::newRow("1, 253, 254, 255, 508 and 509 bytes")
        << CbmFileList{prg("A", 1, 2),      prg("B253", 253, 3), prg("B254", 254, 4),
                       prg("B255", 255, 5), prg("B508", 508, 6), prg("LAST", 509, 7)};
    QTest::newRow("sixteen-byte names") << CbmFileList{prg("ABCDEFGHIJKLMNOP", 40, 8), prg("0123456789 ,.'-!", 700, 9)};
    QTest::newRow("sequential and user files")
        << CbmFileList{CbmFile{"NOTES", FileType::Seq, "LINE ONE\rLINE TWO\r"},
                       CbmFile{"DATA", FileType::Usr, tooltest::noiseBytes(2000, 10)}};
    CbmFileList many;
    for (int i = 0; i < MaxDiskFiles; ++i)
        many.append(prg(QByteArray("FILE NUMBER ") + QByteArray::number(i), i % 3 == 0 ? 0 : 10 + i * 7, 100 + i));
    QTest::newRow("144 files, a directory of several blocks") << many;
    QTest::newRow("one file filling a disk") << CbmFileList{prg("BIG", DiskBlocks * BlockDataSize, 11)};
}

void TestLynxWriter::roundTrip()
{
    QFETCH(CbmFileList, files);
    const QByteArray archive = built(files);
    QVERIFY(!archive.isEmpty());

    QString error;
    const std::optional<CbmFileList> back = readLynxFiles(archive, &error);
    QVERIFY2(back, qPrintable(error));
    QCOMPARE(back->size(), files.size());
    for (int i = 0; i < files.size(); ++i) {
        QCOMPARE((*back)[i].name, files[i].name);
        QCOMPARE((*back)[i].type, files[i].type);
        QCOMPARE((*back)[i].data, files[i].data);
    }

    const QMap<QString, QByteArray> extracted =
        c64test::cbmconvertExtract(QStringLiteral("-l"), archive, QStringLiteral("made.lnx"), &error);
    QVERIFY2(!extracted.isEmpty(), qPrintable(error));
    QCOMPARE(extracted, c64test::asNativeFiles(files));
}

void TestLynxWriter::fullDiskDissolvesWithStarlynx()
{
    // 144 files that together take all 664 blocks of a disk, empty ones counting one block each.
    CbmFileList files;
    int blocks = 0;
    for (int i = 0; i < MaxDiskFiles - 1; ++i) {
        files.append(i % 2 ? prg(QByteArray("F") + QByteArray::number(i), 2 * BlockDataSize, 500 + i)
                           : CbmFile{QByteArray("E") + QByteArray::number(i), FileType::Prg, {}});
        blocks += i % 2 ? 2 : 1;
    }
    files.append(prg("REST", (DiskBlocks - blocks) * BlockDataSize, 7));
    QTemporaryDir dir;
    const QString work = dir.filePath(QStringLiteral("work"));
    QVERIFY(testsupport::writeFile(QDir(work).filePath(QStringLiteral("full.lnx")), built(files)));
    const testsupport::RunResult r =
        tooltest::runTool(QStringLiteral("starlynx"),
                          {QStringLiteral("x"), QStringLiteral("full.lnx"), QStringLiteral("full.d64")}, work);
    VERIFY_RAN(r);
    const std::optional<D64Image> image = D64Image::fromBytes(testsupport::readFile(QDir(work).filePath("full.d64")));
    QVERIFY(image);
    const d64::Directory dirList = image->directory();
    QCOMPARE(dirList.entries.size(), MaxDiskFiles);
    QString error;
    const std::optional<QByteArray> last = image->readFile(dirList.entries.last(), &error);
    QVERIFY2(last, qPrintable(error));
    QCOMPARE(*last, files.last().data);

    // One byte more does not fit on the disk.
    files.last().data.append('x');
    QVERIFY(!buildLynx(files, &error));
    QVERIFY2(error.contains(QStringLiteral("665 blocks")), qPrintable(error));
}

void TestLynxWriter::refusals_data()
{
    QTest::addColumn<CbmFileList>("files");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no files") << CbmFileList{} << "at least one file";
    CbmFileList tooMany;
    for (int i = 0; i <= MaxDiskFiles; ++i)
        tooMany.append(prg(QByteArray("N") + QByteArray::number(i), 1, i));
    QTest::newRow("145 files") << tooMany << "145 files";
    QTest::newRow("too large") << CbmFileList{prg("BIG", DiskBlocks * BlockDataSize + 1, 1)} << "665 blocks";
    QTest::newRow("no name") << CbmFileList{prg("", 10, 1)} << "no name";
    QTest::newRow("17-byte name") << CbmFileList{prg("ABCDEFGHIJKLMNOPQ", 10, 1)} << "longer than 16";
    QTest::newRow("carriage return in name") << CbmFileList{prg("A\rB", 10, 1)} << "carriage return";
    QTest::newRow("shifted blank in name") << CbmFileList{prg("A\xA0", 10, 1)} << "shifted blank";
    QTest::newRow("REL file") << CbmFileList{CbmFile{"RECORDS", FileType::Rel, "xx"}} << "REL";
}

void TestLynxWriter::refusals()
{
    QFETCH(CbmFileList, files);
    QFETCH(QString, reason);
    QString error;
    QVERIFY(!buildLynx(files, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestLynxWriter)
#include "TestLynxWriter.moc"
