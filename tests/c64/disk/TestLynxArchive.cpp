// The Lynx reader: cbmconvert's archives read back entry by entry, and refused with one field damaged.
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

// cbmconvert's archive of the files.
QByteArray lynxOf(const CbmFileList& files)
{
    c64test::NamedFiles native;
    for (const CbmFile& f : files)
        native.append({c64test::nativeName(f), f.data});
    return c64test::cbmconvertLynx(native);
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
        QString error;
        const std::optional<CbmFileList> back = readLynxFiles(lynxOf(files), &error);
        QVERIFY2(back, qPrintable(error));
        QCOMPARE(summary(*back), summary(files));
    }

    // cbmconvert's archive with one field of its directory changed: refused with the reason.
    void damagedArchives_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        const QByteArray good = lynxOf({prg("ONE", 600, 1), prg("TWO", 90, 2)});
        auto replaced = [&good](const QByteArray& what, const QByteArray& with) {
            QByteArray b = good;
            const qsizetype at = b.indexOf(what);
            return at < 0 ? QByteArray() : b.replace(at, what.size(), with);
        };
        QTest::newRow("empty") << QByteArray() << "no Lynx directory header";
        QTest::newRow("no signature") << replaced("*LYNX", "*LYNQ") << "no Lynx signature";
        QTest::newRow("no directory size") << replaced(" 1  *LYNX", " x  *LYNX") << "no directory size";
        QTest::newRow("absurd file count") << replaced("*\r 2 \r", "*\r 99999 \r") << "claims 99999 files";
        QTest::newRow("count beyond the entries") << replaced("*\r 2 \r", "*\r 9 \r") << "directory entry 3";
        QTest::newRow("count not a number") << replaced("*\r 2 \r", "*\r two \r") << "no file count";
        QTest::newRow("name over 16 bytes") << replaced("ONE\xA0", "ONE\xA0\xA0") << "entry 1 has no valid name";
        QTest::newRow("unknown type") << replaced("\rP\r", "\rX\r") << "unknown file type";
        QTest::newRow("last block too big") << replaced(" 91 ", " 256 ") << "entry 2 has no valid last-block size";
        QTest::newRow("negative block count") << replaced("\r 3\rP", "\r -3\rP") << "entry 1 has no valid block count";
        QTest::newRow("truncated data") << good.chopped(1) << "ends inside the data of \"TWO\"";
        CbmFileList twenty;
        for (int i = 0; i < 20; ++i)
            twenty.append(prg("F" + QByteArray::number(i), 2, i));
        QTest::newRow("directory overruns its blocks")
            << lynxOf(twenty).replace("\r 4  *LYNX", "\r 1  *LYNX") << "longer than the 1 blocks its header gives";
    }

    void damagedArchives()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString error;
        QVERIFY2(!LynxArchive::parse(bytes, &error) && !readLynxFiles(bytes), "a damaged archive was accepted");
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestLynxArchive)
#include "TestLynxArchive.moc"
