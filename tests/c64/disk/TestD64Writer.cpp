// Disk images built by our writer, read back by cbmconvert and cc1541: contents, names, block counts, the BAM, and the
// refusal of what does not fit.

#include "C64Fixtures.h"
#include "c64/D64Geometry.h"
#include "c64/D64Image.h"
#include "c64/D64Writer.h"

#include <QSet>
#include <QTest>

using namespace c64;

namespace {

CbmFile file(const QByteArray& name, int size, quint32 seed, FileType type = FileType::Prg)
{
    return CbmFile{name, type, tooltest::noiseBytes(size, seed)};
}

// The blocks of a chain as track * 256 + sector.
QList<int> chainOf(const D64Image& image, int t, int s)
{
    QList<int> chain;
    while (t != 0 && chain.size() < 700) {
        chain.append(t * 256 + s);
        const QByteArray block = image.sector(t, s).value_or(QByteArray(2, '\0'));
        t = static_cast<quint8>(block[0]);
        s = static_cast<quint8>(block[1]);
    }
    return chain;
}

} // namespace

class TestD64Writer : public QObject
{
    Q_OBJECT

private slots:
    // A full disk of 144 files (sizes around a block, three types) read back: cbmconvert extracts every file; cc1541
    // lists names, types, block counts and no block free.
    void oraclesReadWhatWeWrote()
    {
        // Eight sizes around a block (a SEQ and a USR file among them), then 115 files of 3 blocks and 21 of 2.
        const QList<int> sizes{3000, 1, 254, 255, 700, 5000, 60000, 0};
        CbmFileList files;
        for (int i = 0; i < 144; ++i)
            files.append(file("F" + QByteArray::number(i), i < 8 ? sizes[i] : (i < 123 ? 508 : 254) + i, i,
                              i == 4   ? FileType::Seq
                              : i == 5 ? FileType::Usr
                                       : FileType::Prg));
        QString error;
        const QByteArray image = buildD64("TEST DISK", "TD", files, &error).value_or(QByteArray());
        QVERIFY2(image.size() == d64::Size35, qPrintable(error));
        QCOMPARE(c64test::cbmconvertExtract("-d", image, "ours.d64"), c64test::asNativeFiles(files));
        const c64test::Cc1541Listing theirs = c64test::cc1541List(image);
        QVERIFY(theirs.ok);
        QCOMPARE(theirs.diskName, QStringLiteral("test disk       "));
        QCOMPARE(theirs.entries.size(), files.size());
        for (int i = 0; i < files.size(); ++i) {
            QCOMPARE(theirs.entries[i].name + QLatin1Char('.') + theirs.entries[i].type, c64test::nativeName(files[i]));
            QCOMPARE(theirs.entries[i].blocks, blocksForLength(files[i].data.size()));
        }
        QCOMPARE(theirs.blocksFree, 0);
        // Disk ID and DOS type after it.
        QCOMPARE(image.mid(d64::sectorOffset(18, 0).value() + 0xA2, 5), QByteArray("TD\xA0"
                                                                                   "2A"));
        // The BAM frees exactly the blocks that neither the directory nor a file's chain uses, and no bit beyond
        // the last sector of a track.
        const std::optional<D64Image> disk = D64Image::fromBytes(image);
        QSet<int> used{18 * 256};
        for (int block : chainOf(*disk, 18, 1))
            used.insert(block);
        const QList<d64::DirEntry> entries = disk->directory().entries;
        for (const d64::DirEntry& e : entries) {
            const QList<int> chain = chainOf(*disk, e.track, e.sector);
            QCOMPARE(chain.size(), int(e.blocks));
            QCOMPARE(disk->readFile(e), std::optional(files[&e - entries.data()].data)); // our reader agrees
            for (int block : chain) {
                QVERIFY2(!used.contains(block), "a block is used twice");
                used.insert(block);
            }
        }
        const QByteArray bam = disk->sector(18, 0).value();
        for (int t = 1; t <= 35; ++t) {
            int free = 0;
            for (int s = 0; s < 24; ++s) {
                const bool freeBit = (static_cast<quint8>(bam[4 * t + 1 + s / 8]) >> (s % 8)) & 1;
                QCOMPARE(freeBit, s < d64::sectorsInTrack(t) && !used.contains(t * 256 + s));
                free += freeBit;
            }
            QCOMPARE(int(static_cast<quint8>(bam[4 * t])), free);
        }
        // A damaged chain is refused with where it went: off the disk, back to itself, or no block at all.
        const int at = d64::sectorOffset(entries[0].track, entries[0].sector).value();
        for (const auto& [link, reason] :
             {std::pair{QByteArray("\x24\x00", 2), "leads to track 36, sector 0, outside"},
              {QByteArray(1, char(entries[0].track)) + char(entries[0].sector), "comes back to"}}) {
            QVERIFY(!D64Image::fromBytes(QByteArray(image).replace(at, 2, link))->readFile(entries[0], &error));
            QVERIFY2(error.contains(reason), qPrintable(error));
        }
        QVERIFY(!disk->readFile(0, 0, &error) && error.contains("no data blocks"));
    }

    void refusals_data()
    {
        QTest::addColumn<CbmFileList>("files");
        QTest::addColumn<QString>("reason");
        CbmFileList many;
        for (int i = 0; i < 145; ++i)
            many.append(file("X", 1, i));
        QTest::newRow("145 files") << many << QStringLiteral("145 files do not fit in one disk directory");
        QTest::newRow("one block too many")
            << CbmFileList{file("A", 664 * 254 + 1, 1)} << QStringLiteral("need 665 blocks but a disk holds only 664");
        QTest::newRow("REL file") << CbmFileList{file("R", 100, 1, FileType::Rel)} << QStringLiteral("REL");
    }

    void refusals()
    {
        QFETCH(CbmFileList, files);
        QFETCH(QString, reason);
        QString error;
        QVERIFY(!buildD64("X", "XX", files, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestD64Writer)
#include "TestD64Writer.moc"
