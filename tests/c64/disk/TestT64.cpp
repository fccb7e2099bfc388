// Tape images: our writer checked by cbmconvert, our listing of whole, damaged and odd tapes.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"
#include "c64/LittleEndian.h"
#include "c64/T64Writer.h"

#include <QTemporaryDir>
#include <QTest>

using namespace c64;

namespace {

CbmFileList programs(int count, int bodySize = 40)
{
    CbmFileList files;
    for (int i = 0; i < count; ++i)
        files.append(
            {"PROG" + QByteArray::number(i + 1), FileType::Prg, tooltest::program(0x0801 + i, bodySize + i % 7, i)});
    return files;
}

} // namespace

class TestT64 : public QObject
{
    Q_OBJECT

private slots:
    // Our tapes read back by cbmconvert, with start and end addresses as the format has them (the end is the first
    // address after the data); what a tape cannot hold is refused.
    void writer_data()
    {
        QTest::addColumn<CbmFileList>("files");
        QTest::addColumn<QString>("refusal");
        const auto prg = [](const QByteArray& name, quint16 load, int size) {
            return CbmFile{name, FileType::Prg, tooltest::program(load, size, 1)};
        };
        // More than 255 entries; the last byte may go to $FFFE: the end address $FFFF still fits the field.
        QTest::newRow("300 programs") << programs(297, 3) + CbmFileList{prg("GAME", 0x0801, 20000),
                                                                        prg("TINY", 0x1000, 0),
                                                                        prg("TOP", 0xF000, 4095)}
                                      << QString();
        QTest::newRow("no files") << CbmFileList() << "no files to put on the tape";
        QTest::newRow("one byte") << CbmFileList{CbmFile{"ONE", FileType::Prg, "\1"}}
                                  << "ONE is shorter than a load address";
        QTest::newRow("past $FFFF") << CbmFileList{prg("HIGH", 0xF000, 4096)}
                                    << "HIGH would load past the end of C64 memory";
    }

    void writer()
    {
        QFETCH(CbmFileList, files);
        QFETCH(QString, refusal);
        QString error;
        const QByteArray tape = buildT64("MY TAPE", files, &error).value_or(QByteArray());
        QCOMPARE(error, refusal);
        if (!refusal.isEmpty())
            return;
        QCOMPARE(readU16(tape, 36).value(), files.size());
        QCOMPARE(c64test::cbmconvertExtract("-t", tape, "ours.t64"), c64test::asNativeFiles(files));
        for (int i = 0; i < files.size(); ++i) {
            const int start = readU16(files[i].data, 0).value();
            QCOMPARE(readU16(tape, 64 + 32 * i + 2).value(), start);
            QCOMPARE(readU16(tape, 64 + 32 * i + 4).value(), start + files[i].data.size() - 2);
        }
    }

    void listings_data()
    {
        QTest::addColumn<QByteArray>("tape");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("problem"); // empty: the listing is whole
        const QByteArray good = buildT64("MY TAPE", programs(3)).value();
        const QStringList three{"PROG1", "PROG2", "PROG3"};
        const auto counted = [&good](int at, int value) {
            QByteArray tape = good;
            putU16(tape, at, quint16(value));
            return tape;
        };

        QTest::newRow("our tape") << good << "MY TAPE" << three << "";
        // Entry 1: "AB" then 0xA0 and blanks: only the blanks go. Entry 2: a blank inside the name stays.
        QByteArray padded = buildT64(QByteArray("A  TAPE") + QByteArray(17, ' '), programs(2)).value();
        padded.replace(64 + 16, 16, QByteArray("AB\xA0") + QByteArray(13, ' '));
        padded.replace(64 + 32 + 16, 16, QByteArray("X Y") + QByteArray(13, ' '));
        QTest::newRow("names and padding")
            << padded << "A  TAPE" << QStringList{QString::fromLatin1("AB\xA0"), "X Y"} << "";
        QTest::newRow("zero length") << QByteArray() << "" << QStringList() << "The tape image is empty.";
        QTest::newRow("short header") << good.left(40) << "" << QStringList() << "too short for its header";
        QTest::newRow("cut in the third entry") << good.left(64 + 2 * 32 + 20) << "MY TAPE" << three.mid(0, 2)
                                                << "The tape image ends after 2 of its 3 entries.";
        QTest::newRow("fewer used than present") << counted(36, 2) << "MY TAPE" << three.mid(0, 2) << "";
        QTest::newRow("65535 used entries")
            << counted(36, 0xFFFF).left(64 + 3 * 32) << "MY TAPE" << three << "ends after 3 of its 65535 entries";
    }

    void listings()
    {
        QFETCH(QByteArray, tape);
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(QString, problem);
        const QString path = m_dir.filePath(QStringLiteral("tape.T64"));
        QVERIFY(testsupport::writeFile(path, tape));
        const ImageListing listing = listImage(path);
        QCOMPARE(listing.kind, ImageKind::T64);
        QCOMPARE(listing.name, name);
        QCOMPARE(listing.entries, entries);
        QCOMPARE(listing.partial, !problem.isEmpty());
        QVERIFY2(listing.problem.contains(problem), qPrintable(listing.problem));
    }

private:
    QTemporaryDir m_dir;
};

QTEST_GUILESS_MAIN(TestT64)
#include "TestT64.moc"
