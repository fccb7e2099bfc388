// D64 images made by cc1541, listed as the game file dialog shows them (names, type texts and positions), and how
// damaged images with bad links, loops or odd sizes are listed.

#include "C64Fixtures.h"
#include "TestFolders.h"
#include "c64/ImageListing.h"

#include <QTemporaryDir>
#include <QTest>

using namespace c64;

Q_DECLARE_METATYPE(c64::ImageKind)

namespace {

// The type bytes of the mixed fixture, in directory order, with the text each must be listed with: every type, the
// locked, replacing and unclosed marks, and types no drive knows.
const QList<QPair<int, QString>> TypeCases = {
    {0x80, " DEL"},    {0x81, " SEQ"},  {0x82, " PRG"}, {0x83, " USR"}, {0x84, " REL"}, {0xC2, " PRG<"},
    {0xA1, " @0:SEQ"}, {0x02, " *PRG"}, {0x85, " ?"},   {0x05, " ?"},   {0x42, " ?"},
};

} // namespace

class TestD64Reader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // cc1541 turns lower-case letters into the C64's upper-case PETSCII codes.
        QStringList args{"-n", "my disk", "-i", "vt"}, fullArgs{"-n", "full"};
        for (const auto& [type, text] : TypeCases)
            args << "-f" << QStringLiteral("t%1").arg(type) << "-T" << QString::number(type) << "-w"
                 << "data.prg";
        m_mixed = c64test::cc1541Image(args, {{"data.prg", tooltest::program(0x0801, 300, 1)}});
        for (int i = 1; i <= 144; ++i)
            fullArgs << "-f" << QStringLiteral("f%1").arg(i) << "-L";
        m_full = c64test::cc1541Image(fullArgs);
        QVERIFY(m_mixed.size() == 174848 && m_full.size() == 174848);
    }

    // The names as cc1541 lists them, and the type text of every type byte.
    void matchesCc1541Directory()
    {
        QStringList entries;
        for (const auto& [type, text] : TypeCases)
            entries << QStringLiteral("T%1").arg(type).leftJustified(16) + text;
        const ImageListing listing = listImage(put(QStringLiteral("listed.d64"), m_mixed));
        const c64test::Cc1541Listing theirs = c64test::cc1541List(m_mixed);
        QVERIFY(theirs.ok);
        QCOMPARE(listing.kind, ImageKind::D64);
        QVERIFY2(!listing.partial, qPrintable(listing.problem));
        QCOMPARE(listing.name, theirs.diskName.trimmed().toUpper());
        QCOMPARE(listing.entries, entries);
        QCOMPARE(theirs.entries.size(), entries.size());
        for (int i = 0; i < entries.size(); ++i)
            QCOMPARE(listing.entries[i].left(16), theirs.entries[i].name.toUpper().leftJustified(16));
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
        const auto dirSectorOffset = [](int sector) { return 0x16500 + sector * 256; }; // track 18
        const QByteArray forty = m_mixed + QByteArray(5 * 17 * 256, '\0');
        // The image with a new link in its n-th directory sector, counted along the chain cc1541 wrote.
        const auto relinked = [&dirSectorOffset](QByteArray image, int n, int track, int to) {
            int sector = 1;
            for (int i = 1; i < n; ++i)
                sector = static_cast<quint8>(image[dirSectorOffset(sector) + 1]);
            image[dirSectorOffset(sector)] = static_cast<char>(track);
            image[dirSectorOffset(sector) + 1] = static_cast<char>(to);
            return image;
        };
        // Bytes other than the shifted blank are taken one for one as Latin-1; a blank inside a name stays.
        QByteArray latin1 = m_mixed;
        latin1.replace(dirSectorOffset(4) + 2 * 32 + 5, 3, QByteArray("\xC1\x20\xE9")); // T66, the last entry
        latin1.replace(dirSectorOffset(0) + 0x90, 3, QByteArray("\x5C\xA0\xFF"));
        QByteArray scratched = m_mixed;
        scratched[dirSectorOffset(1) + 32 + 2] = 0;     // T129, second entry of the first sector
        scratched[dirSectorOffset(4) + 2 * 32 + 2] = 0; // T66, last entry of the second sector

        row("35 tracks with error bytes", m_mixed + QByteArray(683, '\0'), 11, "T66");
        row("Latin-1 names", latin1, 11, QString::fromLatin1("\xC1 \xE9"), {}, QString::fromLatin1("\\ \xFF\x44ISK"));
        row("scratched entries leave no gap", scratched, 9, "T5");
        row("loop back to itself", relinked(m_mixed, 1, 18, 1), 8, "T2", "already read");
        row("track 36 on 35 tracks", relinked(m_mixed, 1, 36, 0), 8, "T2", "track 36, sector 0");
        row("sector 21 of track 1", relinked(m_mixed, 1, 1, 21), 8, "T2", "outside");
        // A 40-track image has tracks 36 to 40: the link is followed and finds an empty sector.
        row("track 38 on 40 tracks", relinked(forty, 1, 38, 3), 8, "T2");
        // The last of the 18 sectors pointing on (to an unused, in-range sector) is not followed.
        row("past 18 sectors", relinked(m_full, 18, 17, 0), 144, "F144", "past 18 sectors", "FULL");
        // Cut inside the second directory sector (18/4): the first sector is listed, then the listing stops.
        row("cut in the directory", m_mixed.left(dirSectorOffset(4) + 100), 8, "T2", "ends before track 18, sector 4");
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
        row("x.prg", ImageKind::PRG, ".PRG FILE");
        row("x.Prg", ImageKind::Unknown);
        row("x.p00", ImageKind::P00, ".P00 FILE");
        row("x.P01", ImageKind::P01, ".P01 FILE");
        row("x.tap", ImageKind::TAP, ".TAP FILE");
        row("x.p02", ImageKind::Unknown);
    }

    void kindByName()
    {
        QFETCH(QString, name);
        QFETCH(ImageKind, kind);
        QFETCH(QString, label);
        const ImageListing listing = listImage(m_dir.filePath(name));
        QCOMPARE(listing.kind, kind);
        QCOMPARE(listing.name, label);
        QVERIFY(listing.entries.isEmpty() && !listing.partial);
    }

private:
    QString put(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        testsupport::writeFile(path, bytes);
        return path;
    }

    QTemporaryDir m_dir;
    QByteArray m_mixed; // two directory sectors (18/1, 18/4), one file of every type byte in TypeCases
    QByteArray m_full;  // 144 entries, 18 directory sectors
};

QTEST_GUILESS_MAIN(TestD64Reader)
#include "TestD64Reader.moc"
