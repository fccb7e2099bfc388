// Reading whole files out of D64 images made by cc1541, and refusing damaged file chains. Image sizes and sector
// bounds are rows of the listing's damage table (test_d64_listing); the zone offsets are checked by cbmconvert reading
// a full disk of our writer (test_d64_writer).

#include "C64Fixtures.h"
#include "c64/D64Geometry.h"
#include "c64/D64Image.h"

#include <QTest>

using namespace c64;

class TestD64Image : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Sizes around the 254-byte block edge, and one file long enough to leave its first track.
        const QList<int> sizes{1, 253, 254, 255, 508, 6000, 40000};
        QStringList args{"-n", "reader", "-i", "rd"};
        QMap<QString, QByteArray> files;
        for (int i = 0; i < sizes.size(); ++i) {
            const QString name = QStringLiteral("f%1.bin").arg(i);
            m_contents.append(tooltest::noiseBytes(sizes[i], 100 + i));
            files.insert(name, m_contents.last());
            args << QStringLiteral("-f") << QStringLiteral("file%1").arg(i) << QStringLiteral("-w") << name;
        }
        m_image = c64test::cc1541Image(args, files);
        QCOMPARE(m_image.size(), d64::Size35);
    }

    void filesReadBackAsWritten()
    {
        const std::optional<D64Image> image = D64Image::fromBytes(m_image);
        QVERIFY(image);
        QCOMPARE(image->tracks(), 35);
        QCOMPARE(image->diskNameBytes(), QByteArray("READER") + QByteArray(10, char(0xA0)));
        QCOMPARE(image->diskId(), QByteArray("RD"));
        const d64::Directory dir = image->directory();
        QVERIFY(dir.isComplete());
        QCOMPARE(dir.entries.size(), m_contents.size());
        const c64test::Cc1541Listing theirs = c64test::cc1541List(m_image);
        for (int i = 0; i < m_contents.size(); ++i) {
            QString error;
            const std::optional<QByteArray> data = image->readFile(dir.entries[i], &error);
            QVERIFY2(data, qPrintable(error));
            QCOMPARE(data->size(), m_contents[i].size());
            QVERIFY(*data == m_contents[i]);
            QCOMPARE(int(dir.entries[i].blocks), theirs.entries[i].blocks);
        }
    }

    void badChainsAreRefused_data()
    {
        QTest::addColumn<int>("linkTrack"); // new link of the first block of the 6000-byte file
        QTest::addColumn<int>("linkSector");
        QTest::addColumn<QString>("reason");
        QTest::newRow("back to itself") << -1 << -1 << QStringLiteral("comes back to");
        QTest::newRow("track 36") << 36 << 0 << QStringLiteral("track 36, sector 0, outside");
        QTest::newRow("sector 21") << 1 << 21 << QStringLiteral("track 1, sector 21, outside");
    }

    void badChainsAreRefused()
    {
        QFETCH(int, linkTrack);
        QFETCH(int, linkSector);
        QFETCH(QString, reason);
        const d64::DirEntry entry = D64Image::fromBytes(m_image)->directory().entries.at(5);
        const qint64 first = d64::sectorOffset(entry.track, entry.sector).value();
        QByteArray bytes = m_image;
        bytes[first] = static_cast<char>(linkTrack < 0 ? entry.track : linkTrack);
        bytes[first + 1] = static_cast<char>(linkSector < 0 ? entry.sector : linkSector);
        QString error;
        QVERIFY(!D64Image::fromBytes(bytes)->readFile(entry, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));

        // A directory entry without a first block has nothing to read.
        QVERIFY(!D64Image::fromBytes(m_image)->readFile(0, 0, &error));
        QCOMPARE(error, QStringLiteral("the file has no data blocks"));
    }

private:
    QList<QByteArray> m_contents;
    QByteArray m_image;
};

QTEST_GUILESS_MAIN(TestD64Image)
#include "TestD64Image.moc"
