// gunzip -d -q FILE, run with an empty PATH on files made by the real gzip: one table of what it unpacks and what it
// refuses.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

namespace {

// What the real gzip makes of data kept in a file called name; with storeName false no name is kept (-n).
QByteArray gzipOf(const QByteArray& data, const QString& name, bool storeName = true)
{
    QTemporaryDir dir;
    writeFile(dir.filePath(name), data);
    const testsupport::RunResult r = oracle("gzip", {"-c", storeName ? "-N" : "-n", name}, dir.path());
    return succeeded(r) ? r.out : QByteArray();
}

} // namespace

class TestGunzipTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(haveProgram("gzip"), "the gzip program is needed to make the fixtures"); }

    void runs_data()
    {
        QTest::addColumn<QString>("name");      // ending in "/": a folder
        QTest::addColumn<QByteArray>("bytes");  // a null array: no file at all
        QTest::addColumn<QString>("beside");    // non-empty: a link to nowhere is there already as elite.prg
        QTest::addColumn<QString>("output");    // the one file the folder holds afterwards; empty: refused
        QTest::addColumn<QByteArray>("result"); // the output's contents, or a part of the reason
        const auto unpacked = [](const char* tag, const QString& name, const QByteArray& gz, const QString& output,
                                 const QByteArray& content) {
            QTest::newRow(tag) << name << gz << QString() << output << content;
        };
        const auto refused = [](const char* tag, const QString& name, const QByteArray& bytes,
                                const QByteArray& reason = {}, const QString& beside = {}) {
            QTest::newRow(tag) << name << bytes << beside << QString() << reason;
        };

        // The name gzip stored.
        unpacked("small program", "ELITE.GZ", gzipOf(textBytes(20), "elite.prg"), "elite.prg", textBytes(20));
        unpacked("empty file", "EMPTY.GZ", gzipOf("", "empty.prg"), "empty.prg", "");
        // No stored name: the archive's name without its suffix.
        const QByteArray text = textBytes(50);
        const QByteArray nameless = gzipOf(text, "x", false);
        const QList<QPair<QString, QString>> suffixes{
            {"GAME.GZ", "GAME"}, {"game.z", "game"}, {"Game-GZ", "Game"}, {"game_Z", "game"}, {"DEMO.TAZ", "DEMO.tar"}};
        for (const auto& [archive, output] : suffixes)
            unpacked(qPrintable("suffix of " + archive), archive, nameless, output, text);
        // A stored name is used only as a plain name in the archive's folder.
        const QList<QPair<QByteArray, QString>> stored{{"../../evil.prg", "evil.prg"},
                                                       {"..\\..\\evil.prg", "evil.prg"},
                                                       {"..", "x"},
                                                       {"x.gz", "x"},
                                                       {"unit\x1f", "x"},
                                                       {"a blank.prg", "a blank.prg"}};
        for (const auto& [name, output] : stored) { // the FNAME flag set and the name put after the fixed header
            QByteArray named = QByteArray(nameless).insert(10, name + '\0');
            named[3] = char(named[3] | 0x08);
            unpacked(qPrintable("stored name " + name), "x.gz", named, output, text);
        }
        // Like gzip, members joined with cat decode one after the other, under the first member's name; zero bytes
        // after the data, as block-based copies leave them, are ignored.
        const QByteArray first = gzipOf(textBytes(400), QStringLiteral("first.prg"));
        const QByteArray second = noiseBytes(70000, 2);
        const QByteArray joined = first + gzipOf(second, QStringLiteral("second"));
        unpacked("joined members", "J.GZ", joined, "first.prg", textBytes(400) + second);
        unpacked("zero padding", "P.GZ", joined + QByteArray(700, '\0'), "first.prg", textBytes(400) + second);

        const QByteArray noisy = gzipOf(noiseBytes(100000, 3), QStringLiteral("game.d64"));
        const auto flipped = [](QByteArray gz, qsizetype fromEnd) {
            gz[gz.size() - fromEnd] = static_cast<char>(gz[gz.size() - fromEnd] ^ 0x20);
            return gz;
        };
        const QString game = QStringLiteral("GAME.GZ");
        refused("unknown suffix", "game.bin", gzipOf(textBytes(5), "x", false), "unknown suffix");
        // 64 MB and one byte of zeros: a C64 game is never that large, and the gzip file is tiny.
        refused("over 64 MB", game, gzipOf(QByteArray(64 * 1024 * 1024 + 1, '\0'), "z"), "more than 64 MB");
        // gunzip would leave the inner .gz; libarchive would unpack both layers, so the tool refuses instead.
        refused("gzip in gzip", game, gzipOf(first, "first.prg.gz"), "gzip data inside gzip data");
        refused("cut inside the header", game, noisy.left(6));
        refused("cut inside the data", game, noisy.left(40000));
        refused("CRC in the trailer", game, flipped(noisy, 6));
        // Anything but zero bytes after the data (gzip only warns), and a member whose checksum does not match.
        refused("trailing garbage", game, first + "trailing garbage");
        refused("damaged second member", game, flipped(first, 7) + noisy);
        refused("no such file", game, QByteArray());
        refused("a folder", "folder.gz/", "");
        refused("unknown method", game, QByteArray("\x1f\x8b\x07\0\0\0\0\0\0\x03", 10) + noiseBytes(50, 7));
        // The program empties the working folder before it unpacks, so a file of the output's name was not made by
        // this archive: it is neither replaced nor followed, not even a link to nowhere.
        refused("dangling link", "E.GZ", gzipOf(textBytes(10), QStringLiteral("elite.prg")), "elite.prg already exists",
                "dangling link");
    }

    // Called with a full path from another folder, as the launcher does. Unpacked, the output alone lands beside the
    // archive, which goes; refused, with one reason line, the folder and the archive stay as they were. Either way
    // nothing outside the archive's folder changes and no link is followed.
    void runs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, beside);
        QFETCH(QString, output);
        QFETCH(QByteArray, result);
        QTemporaryDir root;
        const QString work = root.filePath("a/work/"), outside = root.filePath("a/outside.prg");
        const QString target = work + "elite.prg";
        QVERIFY(writeFile(outside, "the user's own file") && QDir().mkpath(work) && QDir(root.path()).mkdir("else"));
        QVERIFY(name.endsWith('/') ? QDir(work).mkdir(name) : bytes.isNull() || writeFile(work + name, bytes));
        QVERIFY(beside.isEmpty() || QFile::link(root.filePath("nowhere"), target));
        const QStringList before = entries(work);
        const testsupport::RunResult r =
            runTool("gunzip", {"-d", "-q", work + QString(name).remove('/')}, root.filePath("else"));
        QCOMPARE(entries(root.path()) + entries(root.filePath("a")) + entries(root.filePath("else")),
                 (QStringList{"a", "else", "outside.prg", "work"}));
        QCOMPARE(readFile(outside), QByteArray("the user's own file"));
        if (!output.isEmpty()) {
            VERIFY_RAN(r);
            QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());
            QCOMPARE(entries(work), QStringList{output});
            QCOMPARE(readFile(work + output), result);
            return;
        }
        QString why;
        QVERIFY2(isCleanFailure(r, "gunzip", &why), qPrintable(why));
        QVERIFY2(r.err.contains(result), r.err.constData());
        QCOMPARE(entries(work), before);
        if (!bytes.isNull() && !name.endsWith('/'))
            QCOMPARE(readFile(work + name), bytes);
    }
};

QTEST_GUILESS_MAIN(TestGunzipTool)
#include "TestGunzipTool.moc"
