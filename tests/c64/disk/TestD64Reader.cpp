// D64 images made by cc1541: the listing (names, type texts and positions as the game file dialog shows them, and
// how damaged images with bad links, loops or odd sizes are listed), and whole files read out of them.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/D64Geometry.h"
#include "c64/D64Image.h"
#include "c64/ImageListing.h"

#include <QTemporaryDir>
#include <QTest>

using namespace c64;

Q_DECLARE_METATYPE(c64::ImageKind)

namespace {

int dirSectorOffset(int sector)
{
    return 0x16500 + sector * 256; // track 18
}

// The type bytes of the mixed fixture, in directory order, with the text each must be listed with.
const QList<QPair<int, QString>> TypeCases = {
    {0x80, " DEL"},    {0x81, " SEQ"},    {0x82, " PRG"},    {0x83, " USR"},  {0x84, " REL"},    {0xC0, " DEL<"},
    {0xC1, " SEQ<"},   {0xC2, " PRG<"},   {0xC3, " USR<"},   {0xC4, " REL<"}, {0xA0, " @0:DEL"}, {0xA1, " @0:SEQ"},
    {0xA2, " @0:PRG"}, {0xA3, " @0:USR"}, {0xA4, " @0:REL"}, {0x01, " *SEQ"}, {0x02, " *PRG"},   {0x03, " *USR"},
    {0x04, " *REL"},   {0x85, " ?"},      {0x05, " ?"},      {0x42, " ?"},
};

QString padded16(const QString& name)
{
    return name.leftJustified(16, QLatin1Char(' '));
}

} // namespace

class TestD64Reader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // cc1541 turns lower-case letters into the C64's upper-case PETSCII codes.
        QStringList args{"-n", "my disk", "-i", "vt"}, fullArgs{"-n", "full"}, sized{"-n", "reader", "-i", "rd"};
        for (const auto& [type, text] : TypeCases)
            args << "-f" << QStringLiteral("t%1").arg(type) << "-T" << QString::number(type) << "-w"
                 << "data.prg";
        m_mixed = c64test::cc1541Image(args, {{"data.prg", tooltest::program(0x0801, 300, 1)}});
        for (int i = 1; i <= 144; ++i)
            fullArgs << "-f" << QStringLiteral("f%1").arg(i) << "-L";
        m_full = c64test::cc1541Image(fullArgs);
        m_blanks =
            c64test::cc1541Image({"-n", "games  ", "-f", "elite", "-w", "e.prg", "-f", "a b", "-P", "-w", "e.prg"},
                                 {{"e.prg", tooltest::program(0x0801, 10, 2)}});
        // Sizes around the 254-byte block edge, and one file long enough to leave its first track.
        const QList<int> sizes{1, 253, 254, 255, 508, 6000, 40000};
        QMap<QString, QByteArray> files;
        for (int i = 0; i < sizes.size(); ++i) {
            m_contents.append(tooltest::noiseBytes(sizes[i], 100 + i));
            files.insert(QStringLiteral("f%1.bin").arg(i), m_contents.last());
            sized << "-f" << QStringLiteral("file%1").arg(i) << "-w" << QStringLiteral("f%1.bin").arg(i);
        }
        m_image = c64test::cc1541Image(sized, files);
        for (const QByteArray* image : {&m_mixed, &m_full, &m_image})
            QCOMPARE(image->size(), 174848);
    }

    void matchesCc1541Directory_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QStringList>("entries");
        QStringList types, full;
        for (const auto& [type, text] : TypeCases)
            types << padded16(QStringLiteral("T%1").arg(type)) + text;
        for (int i = 1; i <= 144; ++i)
            full << padded16(QStringLiteral("F%1").arg(i)) + QStringLiteral(" PRG");
        QTest::newRow("every type byte") << m_mixed << types;
        QTest::newRow("blanks, a locked file")
            << m_blanks << QStringList{padded16("ELITE") + " PRG", padded16("A B") + " PRG<"};
        QTest::newRow("144 entries in 18 sectors") << m_full << full;
    }

    // The names as cc1541 lists them, and the type text of every type byte.
    void matchesCc1541Directory()
    {
        QFETCH(QByteArray, image);
        QFETCH(QStringList, entries);
        const ImageListing listing = listImage(put(QStringLiteral("listed.d64"), image));
        const c64test::Cc1541Listing theirs = c64test::cc1541List(image);
        QVERIFY(theirs.ok);
        QCOMPARE(listing.kind, ImageKind::D64);
        QVERIFY2(!listing.partial, qPrintable(listing.problem));
        QCOMPARE(listing.name, theirs.diskName.trimmed().toUpper());
        QCOMPARE(listing.entries, entries);
        QCOMPARE(theirs.entries.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i)
            QCOMPARE(listing.entries[i].left(16), padded16(theirs.entries[i].name.toUpper()));
    }

    void damagedImages_data()
    {
        QTest::addColumn<QByteArray>("image"); // a null array: no file at all
        QTest::addColumn<QString>("name");     // the disk name listed
        QTest::addColumn<int>("listed");       // how many entries are listed
        QTest::addColumn<QString>("last");     // the name of the last one listed
        QTest::addColumn<QString>("problem");  // a part of the reason; empty when the listing is whole
        const auto row = [](const char* tag, const QByteArray& image, int listed, const QString& last,
                            const QString& problem = {}, const QString& name = QStringLiteral("MY DISK")) {
            QTest::newRow(tag) << image << name << listed << last << problem;
        };
        const QByteArray forty = m_mixed + QByteArray(5 * 17 * 256, '\0');
        // The image with a new link in its n-th directory sector, counted along the chain cc1541 wrote.
        const auto relinked = [](QByteArray image, int n, int track, int to) {
            int sector = 1;
            for (int i = 1; i < n; ++i)
                sector = static_cast<quint8>(image[dirSectorOffset(sector) + 1]);
            image[dirSectorOffset(sector)] = static_cast<char>(track);
            image[dirSectorOffset(sector) + 1] = static_cast<char>(to);
            return image;
        };
        // Bytes other than the shifted blank are taken one for one as Latin-1; a blank inside a name stays.
        QByteArray latin1 = m_blanks;
        latin1.replace(dirSectorOffset(1) + 32 + 5, 3, QByteArray("\xC1\x20\xE9"));
        latin1.replace(dirSectorOffset(0) + 0x90, 3, QByteArray("\x5C\xA0\xFF"));
        QByteArray scratched = m_mixed;
        scratched[dirSectorOffset(1) + 32 + 2] = 0;     // T129, second entry of the first sector
        scratched[dirSectorOffset(4) + 7 * 32 + 2] = 0; // T1, last entry of the second sector

        row("35 tracks with error bytes", m_mixed + QByteArray(683, '\0'), 22, "T66");
        row("Latin-1 names", latin1, 2, QString::fromLatin1("\xC1 \xE9"), {},
            QString::fromLatin1("\\ \xFF"
                                "ES"));
        row("scratched entries leave no gap", scratched, 20, "T66");
        row("track 0 ends the chain", relinked(m_mixed, 1, 0, 7), 8, "T194");
        row("loop back to itself", relinked(m_mixed, 1, 18, 1), 8, "T194", "already read");
        row("track 36 on 35 tracks", relinked(m_mixed, 1, 36, 0), 8, "T194", "track 36, sector 0");
        row("sector 21 of track 1", relinked(m_mixed, 1, 1, 21), 8, "T194", "outside");
        row("sector 17 of track 35", relinked(m_mixed, 1, 35, 17), 8, "T194", "track 35, sector 17");
        // A 40-track image has tracks 36 to 40: the link is followed and finds an empty sector.
        row("track 38 on 40 tracks", relinked(forty, 1, 38, 3), 8, "T194");
        // The last of the 18 sectors pointing on (to an unused, in-range sector) is not followed.
        row("past 18 sectors", relinked(m_full, 18, 17, 0), 144, "F144", "past 18 sectors", "FULL");
        row("one byte over", m_mixed + '\0', 22, "T66", "Unknown D64 image size (174849 bytes).");
        // Cut inside the second directory sector (18/4): the first sector is listed, then the listing stops.
        row("cut in the directory", m_mixed.left(dirSectorOffset(4) + 100), 8, "T194",
            "ends before track 18, sector 4");
        row("cut before the directory", m_mixed.left(50000), 0, "", "Unknown D64 image size", "");
        row("no file", QByteArray(), 0, "", "The image could not be opened", "");
    }

    void damagedImages()
    {
        QFETCH(QByteArray, image);
        QFETCH(QString, name);
        QFETCH(int, listed);
        QFETCH(QString, last);
        QFETCH(QString, problem);
        const ImageListing listing = listImage(image.isNull() ? m_dir.filePath("absent.d64") : put("d.d64", image));
        QCOMPARE(listing.kind, ImageKind::D64);
        QCOMPARE(listing.name, name);
        QCOMPARE(listing.entries.size(), listed);
        QCOMPARE(listing.entries.value(listed - 1).left(16).trimmed(), last);
        QCOMPARE(listing.partial, !problem.isEmpty());
        QVERIFY2(listing.problem.contains(problem), qPrintable(listing.problem));
    }

    // By the ending; single-program files are named, never opened: the file need not even exist.
    void kindByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<ImageKind>("kind");
        QTest::addColumn<QString>("label"); // the name a single-program file is listed under
        const auto row = [](const char* name, ImageKind kind, const QString& label = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << kind << label;
        };
        row("GAME.D64", ImageKind::D64);
        row("x.t64", ImageKind::T64);
        row("/a.prg/x.d64", ImageKind::D64);
        row("x.prg", ImageKind::PRG, ".PRG FILE");
        row("X.PRG", ImageKind::PRG, ".PRG FILE");
        row("x.Prg", ImageKind::Unknown);
        row("x.p00", ImageKind::P00, ".P00 FILE");
        row("x.P01", ImageKind::P01, ".P01 FILE");
        row("x.tap", ImageKind::TAP, ".TAP FILE");
        row("x.p02", ImageKind::Unknown);
        row("d64", ImageKind::Unknown);
    }

    void kindByName()
    {
        QFETCH(QString, name);
        QFETCH(ImageKind, kind);
        QFETCH(QString, label);
        QCOMPARE(imageKindOf(name), kind);
        if (kind == ImageKind::D64 || kind == ImageKind::T64)
            return;
        const ImageListing listing = listImage(m_dir.filePath(name));
        QCOMPARE(listing.kind, kind);
        QCOMPARE(listing.name, label);
        QVERIFY(listing.entries.isEmpty() && !listing.partial);
    }

    // Whole files read out of an image of cc1541's, in as many blocks as cc1541 counts; damaged file chains refused.
    void filesReadBackAsWritten()
    {
        const std::optional<D64Image> image = D64Image::fromBytes(m_image);
        QVERIFY(image);
        const d64::Directory dir = image->directory();
        QVERIFY(dir.isComplete());
        QCOMPARE(dir.entries.size(), m_contents.size());
        const c64test::Cc1541Listing theirs = c64test::cc1541List(m_image);
        QString error;
        for (int i = 0; i < m_contents.size(); ++i) {
            const std::optional<QByteArray> data = image->readFile(dir.entries[i], &error);
            QVERIFY2(data && *data == m_contents[i], qPrintable(error));
            QCOMPARE(int(dir.entries[i].blocks), theirs.entries[i].blocks);
        }
        // The first block of the 6000-byte file linked back to itself, to track 36, to sector 21 of track 1.
        const d64::DirEntry entry = dir.entries.at(5);
        const qint64 first = d64::sectorOffset(entry.track, entry.sector).value();
        const QList<std::tuple<int, int, QString>> links{{entry.track, entry.sector, "comes back to"},
                                                         {36, 0, "track 36, sector 0, outside"},
                                                         {1, 21, "track 1, sector 21, outside"}};
        for (const auto& [track, sector, reason] : links) {
            QByteArray bytes = m_image;
            bytes[first] = static_cast<char>(track);
            bytes[first + 1] = static_cast<char>(sector);
            QVERIFY(!D64Image::fromBytes(bytes)->readFile(entry, &error));
            QVERIFY2(error.contains(reason), qPrintable(error));
        }
        // A directory entry without a first block has nothing to read.
        QVERIFY(!image->readFile(0, 0, &error));
        QCOMPARE(error, QStringLiteral("the file has no data blocks"));
    }

private:
    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        testsupport::writeFile(path, bytes);
        return path;
    }

    QTemporaryDir m_dir;
    QByteArray m_mixed;  // three directory sectors (18/1, 18/4, 18/7), one file of every type byte in TypeCases
    QByteArray m_full;   // 144 entries, 18 directory sectors
    QByteArray m_blanks; // blanks after the disk name and inside a file name, a locked file
    QByteArray m_image;  // files of m_contents' sizes: around the 254-byte block edge, and beyond the first track
    QList<QByteArray> m_contents;
};

QTEST_GUILESS_MAIN(TestD64Reader)
#include "TestD64Reader.moc"
