// The Lynx reader: cbmconvert's archives read back entry by entry, hand-made header variants, damaged archives refused.
// (The demo's own Lynx writer is checked through garden.lnx by the staged demo files test.)

#include "C64Fixtures.h"
#include "c64/D64Writer.h"
#include "c64/LynxArchive.h"

#include <QTest>

using namespace c64;

namespace {

CbmFile prg(const QByteArray& name, int size, quint32 seed)
{
    return CbmFile{name, FileType::Prg, tooltest::noiseBytes(size, seed)};
}

constexpr int Block = 254;

// A Lynx archive laid out by hand (REL files with records of 64 bytes). Each number of the directory is written as the
// pattern has it, "%" standing for its digits (with or without blanks, leading zeros); the stub is optional. The
// directory block count covers the stub and directory, as the format has it.
QByteArray handLynx(const CbmFileList& files, bool withStub, const QByteArray& pattern = " % ")
{
    const auto numberFormat = [&pattern](int n) { return QByteArray(pattern).replace('%', QByteArray::number(n)); };
    // 10 PRINT"LYNX": one BASIC line at $0801, linked to an end marker.
    const QByteArray stub =
        withStub ? QByteArray("\x01\x08\x0E\x08\x0A\x00\x99\"LYNX\"\x00\x00\x00", 17) : QByteArray();
    QByteArray dir;
    for (const CbmFile& f : files) {
        const int blocks = (f.data.size() + Block - 1) / Block;
        dir += f.name + QByteArray(16 - f.name.size(), char(0xA0)) + '\r' + numberFormat(blocks) + '\r';
        dir += QByteArray(1, "DSPUR"[int(f.type)]) + '\r' +
               (f.type == FileType::Rel ? numberFormat(64) + '\r' : QByteArray());
        dir += numberFormat(f.data.size() - (blocks - 1) * Block + 1) + '\r';
    }
    const auto head = [&](int dirBlocks) {
        return stub + '\r' + numberFormat(dirBlocks) + " *LYNX XV  BY TEST\r" + numberFormat(files.size()) + '\r';
    };
    const int dirBlocks = (head(1).size() + dir.size() + Block - 1) / Block;
    QByteArray archive = head(dirBlocks) + dir;
    archive.append(QByteArray(dirBlocks * Block - archive.size(), '\0'));
    for (int i = 0; i < files.size(); ++i)
        archive +=
            files[i].data + QByteArray(i + 1 < files.size() ? (Block - files[i].data.size() % Block) % Block : 0, '\0');
    return archive;
}

// Each file as one line (name, type, contents), to compare lists in one step.
QStringList summary(const CbmFileList& files)
{
    QStringList out;
    for (const CbmFile& f : files)
        out << QString::fromLatin1(f.name + ' ' + QByteArray::number(int(f.type)) + ' ' + f.data.toHex());
    return out;
}

} // namespace

class TestLynxArchive : public QObject
{
    Q_OBJECT

private slots:
    // cbmconvert's archive of files of every type a disk holds, sizes around a block, empty files and sixteen-byte
    // names, 144 in all (a directory of several blocks), reads back through our reader entry by entry.
    void readsCbmconvertArchive()
    {
        CbmFileList files{prg("ABCDEFGHIJKLMNOP", 40, 8), prg("0123456789 ,.'-!", 700, 9),
                          CbmFile{"NOTES", FileType::Seq, "LINE ONE\rLINE TWO\r"},
                          CbmFile{"DATA", FileType::Usr, tooltest::noiseBytes(2000, 10)}};
        for (int size : {0, 1, 253, 254, 255, 508, 509})
            files.append(prg("B" + QByteArray::number(size), size, quint32(size)));
        for (int i = int(files.size()); i < MaxDiskFiles; ++i)
            files.append(prg(QByteArray("FILE NUMBER ") + QByteArray::number(i), i % 3 == 0 ? 0 : 10 + i * 7, 100 + i));
        c64test::NamedFiles native;
        for (const CbmFile& f : files)
            native.append({c64test::nativeName(f), f.data});
        QString error;
        const std::optional<CbmFileList> back = readLynxFiles(c64test::cbmconvertLynx(native), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(summary(*back), summary(files));
    }

    // Hand-made archives: header variants read back (a REL entry carries its record length between type and
    // last-block size), damaged ones refused with their reason.
    void handMadeArchives_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason"); // empty: reads back as variants
        const QByteArray good = handLynx({prg("ONE", 600, 1), prg("TWO", 90, 2)}, true);
        auto replaced = [&good](const QByteArray& what, const QByteArray& with) {
            QByteArray b = good;
            const qsizetype at = b.indexOf(what);
            return at < 0 ? QByteArray() : b.replace(at, what.size(), with);
        };
        QTest::newRow("no stub, no blanks round numbers") << handLynx(variants, false, "%") << "";
        QTest::newRow("leading zeros and many blanks") << handLynx(variants, true, "   00%  ") << "";
        QTest::newRow("empty") << QByteArray() << "no Lynx directory header";
        QTest::newRow("no signature") << replaced("*LYNX", "*LYNQ") << "no Lynx signature";
        QTest::newRow("no directory size") << replaced(" 1  *LYNX", " x  *LYNX") << "no directory size";
        QTest::newRow("absurd file count") << replaced("TEST\r 2 \r", "TEST\r 99999 \r") << "claims 99999 files";
        QTest::newRow("count beyond the entries") << replaced("TEST\r 2 \r", "TEST\r 9 \r") << "directory entry 3";
        QTest::newRow("count not a number") << replaced("TEST\r 2 \r", "TEST\r two \r") << "no file count";
        QTest::newRow("name over 16 bytes") << replaced("ONE\xA0", "ONE\xA0\xA0") << "entry 1 has no valid name";
        QTest::newRow("unknown type") << replaced("\rP\r", "\rX\r") << "unknown file type";
        QTest::newRow("last block too big") << replaced(" 91 ", " 256 ") << "entry 2 has no valid last-block size";
        QTest::newRow("negative block count") << replaced(" 3 \rP", " -3 \rP") << "entry 1 has no valid block count";
        QTest::newRow("truncated data") << good.chopped(1) << "ends inside the data of \"TWO\"";
        CbmFileList twenty;
        for (int i = 0; i < 20; ++i)
            twenty.append(prg("F" + QByteArray::number(i), 2, i));
        QTest::newRow("directory overruns its blocks") << handLynx(twenty, true).replace("\r 3  *LYNX", "\r 1  *LYNX")
                                                       << "longer than the 1 blocks its header gives";
    }

    void handMadeArchives()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString error;
        const std::optional<LynxArchive> archive = LynxArchive::parse(bytes, &error);
        const std::optional<CbmFileList> back = readLynxFiles(bytes);
        if (reason.isEmpty()) {
            QVERIFY2(archive && back, qPrintable(error));
            QCOMPARE(summary(*back), summary(variants));
            QCOMPARE(archive->entries.at(3).recordLength, 64);
            return;
        }
        QVERIFY2(!archive && !back, "a damaged archive was accepted");
        QVERIFY2(error.contains(reason), qPrintable(error));
    }

private:
    const CbmFileList variants{prg("ONE", 600, 1), CbmFile{"TWO", FileType::Seq, tooltest::noiseBytes(254, 2)},
                               CbmFile{"THREE", FileType::Usr, "x"},
                               CbmFile{"REC", FileType::Rel, QByteArray(700, 'r')}};
};

QTEST_GUILESS_MAIN(TestLynxArchive)
#include "TestLynxArchive.moc"
