// The CCS64 screen dump: which BMPs are taken for one, and the crop to the 320 x 200 picture, checked byte for byte
// against the dump's rows (bottom-up: 61 border rows skipped, then 200 rows of 320 bytes from x 128).
#include "BmpFiles.h"
#include "TestFolders.h"
#include "c64/CcsScreenshot.h"
#include "c64/LittleEndian.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestCcsScreenshot : public QObject
{
    Q_OBJECT

private slots:
    void dumpsAreKnownByTheirHeaders_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("taken");
        const QByteArray dump = testsupport::ccs64Dump();
        const auto with = [&dump](int offset, quint32 value) {
            QByteArray d = dump;
            c64::putU32(d, offset, value);
            return d;
        };
        QTest::addRow("dump") << dump << true;
        QTest::addRow("any size, offset and resolution") << with(2, 7).replace(10, 4, "\x09\0\0\0", 4) << true;
        QTest::addRow("320 x 200") << testsupport::paletteBmp(320, 200, 8) << false;
        QTest::addRow("not BM") << QByteArray(dump).replace(0, 2, "BA") << false;
        QTest::addRow("top-down") << with(22, quint32(-312)) << false;
        QTest::addRow("255 colours used") << with(46, 255) << false;
        QTest::addRow("cut in the header") << dump.left(53) << false;
    }
    void dumpsAreKnownByTheirHeaders()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, taken);
        QCOMPARE(c64::isCcs64ScreenshotHeader(file), taken);
    }

    // In place, as the screenshot dialog crops its copy: headers changed where they must be, palette kept, and each
    // of the 200 rows the dump's row 61 + r from x 128, reported in turn.
    void cropKeepsThePicture()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("shot.bmp");
        const QByteArray dump = testsupport::ccs64Dump();
        QVERIFY(testsupport::writeFile(path, dump));
        QList<int> rows;
        QVERIFY(c64::CropScreenshot(path, path, [&rows](int row) { rows << row; }).ok);
        const QByteArray shot = testsupport::readFile(path);
        QCOMPARE(shot.size(), 65078);
        QCOMPARE(rows.size() * 1000 + rows.first() + rows.last(), 200201);
        QByteArray header = dump.left(1078);
        for (const auto& [offset, value] : {std::pair{2, 65078}, {18, 320}, {22, 200}, {34, 64000}})
            c64::putU32(header, offset, quint32(value));
        QCOMPARE(shot.left(1078), header);
        for (int r = 0; r < 200; ++r)
            QCOMPARE(shot.mid(1078 + r * 320, 320), dump.mid(1078 + (61 + r) * 504 + 128, 320));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"shot.bmp"});
    }
};

QTEST_GUILESS_MAIN(TestCcsScreenshot)
#include "TestCcsScreenshot.moc"
