// zip2d64 SETBASE OUT.d64, run as a child process with an empty PATH in a working folder, on Zip-Code sets that
// disk2zip made from images that cc1541 made; zip2disk's output is the reference. Every run must leave everything
// outside the working folder as it was.

#include "C64Fixtures.h"
#include "TestFolders.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace c64test;
using testsupport::readFile;
using testsupport::RunResult;
using testsupport::writeFile;

// Puts a set (and whatever else a row needs) into the working folder; root holds work/ and outside/.
using Setup = std::function<void(const QString& work, const QString& root)>;
Q_DECLARE_METATYPE(Setup)

namespace {

QStringList partNames(const QString& base)
{
    QStringList names;
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("%1!%2").arg(i).arg(base);
    return names;
}

// Every entry under root but outside root/work, with size and modification time.
QStringList outsideSnapshot(const QString& root)
{
    QStringList lines;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QString rel = QDir(root).relativeFilePath(it.filePath());
        if (rel != QLatin1String("work") && !rel.startsWith(QLatin1String("work/")))
            lines << QStringLiteral("%1 %2 %3")
                         .arg(rel)
                         .arg(it.fileInfo().size())
                         .arg(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    lines.sort();
    return lines;
}

} // namespace

class TestZip2D64Tool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void matchesZip2diskAndOriginal_data();
    void matchesZip2diskAndOriginal();
    void setsAndOutputs_data();
    void setsAndOutputs();

private:
    QTemporaryDir m_fixtures;
    SampleSet m_sample; // several files: stored, filled and packed sectors
};

void TestZip2D64Tool::initTestCase()
{
    for (const char* program : {"cc1541", "disk2zip", "zip2disk"})
        QVERIFY2(tooltest::haveProgram(QString::fromLatin1(program)), program);
    QVERIFY(QFile::exists(testsupport::toolPath(QStringLiteral("zip2d64"))));
    QString error;
    m_sample = makeSampleSet(m_fixtures.path(), {3000, 20000, 700, 45000, 768, 9000}, 1, &error);
    QVERIFY2(!m_sample.image.isEmpty(), qPrintable(error));
    std::array<int, 3> kinds{};
    for (int part = 1; part <= 4; ++part) {
        for (const RecordHead& head : recordHeads(m_sample.parts[size_t(part - 1)], part))
            ++kinds[size_t(head.kind)];
    }
    QVERIFY2(kinds[0] > 0 && kinds[1] > 0 && kinds[2] > 0, "the sample set should use all three record kinds");
    QCOMPARE(kinds[0] + kinds[1] + kinds[2], 683);
}

void TestZip2D64Tool::matchesZip2diskAndOriginal_data()
{
    QTest::addColumn<QList<int>>("fileSizes");
    QTest::addColumn<QStringList>("disk2zipOptions");
    QTest::addColumn<bool>("patternImage");

    // One row per layout feature: all three record kinds; the set's own disk ID; sectors out to track 35.
    QTest::newRow("several files") << QList<int>{3000, 20000, 700, 45000, 768, 9000} << QStringList() << false;
    QTest::newRow("other disk ID in the set") << QList<int>{5000, 12000} << (QStringList{"-i", "4142"}) << false;
    QTest::newRow("no DOS layout, every sector different") << QList<int>() << QStringList() << true;
}

void TestZip2D64Tool::matchesZip2diskAndOriginal()
{
    QFETCH(QList<int>, fileSizes);
    QFETCH(QStringList, disk2zipOptions);
    QFETCH(bool, patternImage);
    QTemporaryDir root;
    const QString scratch = root.filePath(QStringLiteral("outside"));
    const QString work = root.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(scratch) && QDir().mkpath(work));
    QString error;
    QByteArray original;
    if (patternImage) {
        original = c64test::patternImage();
        QVERIFY(writeFile(scratch + QStringLiteral("/disk.d64"), original));
    } else {
        original = makeDiskWithCc1541(scratch, fileSizes, 7, &error);
        QVERIFY2(!original.isEmpty(), qPrintable(error));
    }
    const Parts parts = packWithDisk2zip(scratch, "disk.d64", "GAME", &error, disk2zipOptions);
    QVERIFY2(!parts[0].isEmpty(), qPrintable(error));
    QVERIFY(writeParts(work, parts, QStringLiteral("GAME")));
    const QByteArray reference = unpackWithZip2disk(work, QStringLiteral("GAME"));
    QCOMPARE(reference.size(), 174848);

    const QStringList outsideBefore = outsideSnapshot(root.path());
    const RunResult r = tooltest::runTool(QStringLiteral("zip2d64"), {"GAME", "vtrxtz2d.d64"}, work);
    VERIFY_RAN(r);
    QVERIFY(r.err.isEmpty());
    const QByteArray ours = readFile(work + QStringLiteral("/vtrxtz2d.d64"));
    QVERIFY2(ours == reference, "zip2d64 and zip2disk disagree");
    QVERIFY2(ours == original, "the image did not survive packing and unpacking");
    QCOMPARE(tooltest::entries(work), QStringList(partNames(QStringLiteral("GAME")) << QStringLiteral("vtrxtz2d.d64")));
    QCOMPARE(outsideSnapshot(root.path()), outsideBefore);
}

void TestZip2D64Tool::setsAndOutputs_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("refusal");      // empty: the output is the sample image; else a part of the reason
    QTest::addColumn<bool>("zip2diskRefuses"); // zip2disk can be asked about the same set, and refuses it too

    const Parts sample = m_sample.parts;
    // The set under the given names, then one change.
    const auto named = [sample](const QStringList& names, const Setup& then = {}) {
        return Setup([=](const QString& work, const QString& root) {
            for (int i = 0; i < 4; ++i)
                writeFile(QDir(work).filePath(names[i]), sample[size_t(i)]);
            if (then)
                then(work, root);
        });
    };
    const auto game = [named](const Setup& then = {}) { return named(partNames(QStringLiteral("game")), then); };
    const auto put = [](const QString& name, const QByteArray& bytes) {
        return Setup([=](const QString& work, const QString&) { writeFile(QDir(work).filePath(name), bytes); });
    };
    const QString out = QStringLiteral("vtrxtz2d.d64");

    QTest::newRow("upper-case files, lower-case base") << named(partNames("GAME")) << "game" << out << "" << false;
    QTest::newRow("each part its own case, non-ASCII letters")
        << named({"1!Spiel\u00c4", "2!sPIEL\u00e4", "3!SPIEL\u00c4", "4!spiel\u00e4"}) << QStringLiteral("SPIEL\u00e4")
        << out << "" << false;
    // Two files that differ only in case: the exact name is taken; without one the set is ambiguous.
    QTest::newRow("case twin, exact name") << game(put("2!GAME", "decoy")) << "game" << out << "" << false;
    QTest::newRow("case twin, no exact name") << game(put("2!GAME", "decoy")) << "Game" << out << "2!Game" << false;
    for (const char* base : {"it's \"the\" $(touch pwned)game`touch pwned2`;|&<>", "-game"})
        QTest::addRow("shell characters: %s", base) << named(partNames(base)) << base << out << "" << false;
    QTest::newRow("a glob is a name like any other") << game() << "*" << out << "cannot find" << false;
    QTest::newRow("replaces an older image") << game(put(out, QByteArray(200000, 'x'))) << "game" << out << "" << false;

    QTest::newRow("part missing") << game([](const QString& work, const QString&) {
        QFile::remove(work + QStringLiteral("/4!game"));
    }) << "game" << out << "cannot find 4!game"
                                  << true;
    QTest::newRow("part cut short") << game(put("3!game", sample[2].left(sample[2].size() / 2))) << "game" << out
                                    << "3!game is damaged" << true;
    QTest::newRow("part is a folder") << game([](const QString& work, const QString&) {
        QFile::remove(work + QStringLiteral("/4!game"));
        QDir(work).mkdir(QStringLiteral("4!game"));
    }) << "game" << out << "4!game is not a plain file"
                                      << false;
    QTest::newRow("part links outside") << game([sample](const QString& work, const QString& root) {
        writeFile(root + QStringLiteral("/outside/1!game"), sample[0]);
        QFile::remove(work + QStringLiteral("/1!game"));
        QFile::link(QStringLiteral("../outside/1!game"), work + QStringLiteral("/1!game"));
    }) << "game" << out << "1!game is a symbolic link"
                                        << false;
    QTest::newRow("set base reaches out")
        << game([sample](const QString&, const QString& root) { writeParts(root, sample, QStringLiteral("game")); })
        << "../game" << out << "is not a plain file name" << false;
    QTest::newRow("failure keeps an older image") << game([sample](const QString& work, const QString&) {
        writeFile(work + QStringLiteral("/3!game"), sample[2].left(500));
        writeFile(work + QStringLiteral("/vtrxtz2d.d64"), "an earlier image");
    }) << "game" << out << "3!game is damaged" << true;
    QTest::newRow("no output name") << game() << "game"
                                    << ""
                                    << "no output file name given" << false;
    QTest::newRow("output would replace a part") << game() << "game"
                                                 << "3!game"
                                                 << "3!game" << false;
}

void TestZip2D64Tool::setsAndOutputs()
{
    QFETCH(Setup, setup);
    QFETCH(QString, base);
    QFETCH(QString, output);
    QFETCH(QString, refusal);
    QFETCH(bool, zip2diskRefuses);
    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("work"));
    QVERIFY(QDir().mkpath(work));
    QVERIFY(writeFile(root.filePath(QStringLiteral("outside/keep.txt")), "not to be touched"));
    setup(work, root.path());
    const QStringList before = tooltest::entries(work);
    const QByteArray oldOutput = readFile(QDir(work).filePath(output));
    const QStringList outsideBefore = outsideSnapshot(root.path());

    const RunResult r = tooltest::runTool(QStringLiteral("zip2d64"), {base, output}, work);
    QCOMPARE(outsideSnapshot(root.path()), outsideBefore);
    if (refusal.isEmpty()) {
        VERIFY_RAN(r);
        QVERIFY(readFile(QDir(work).filePath(output)) == m_sample.image);
        QStringList expected = before;
        if (!expected.contains(output))
            expected << output;
        expected.sort();
        QCOMPARE(tooltest::entries(work), expected);
        return;
    }
    QString why;
    QVERIFY2(tooltest::isCleanFailure(r, "zip2d64", &why), qPrintable(why));
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(refusal), r.err.constData());
    QCOMPARE(tooltest::entries(work), before);
    QVERIFY(readFile(QDir(work).filePath(output)) == oldOutput);
    if (zip2diskRefuses)
        QVERIFY(unpackWithZip2disk(work, base).isEmpty());
}

QTEST_GUILESS_MAIN(TestZip2D64Tool)
#include "TestZip2D64Tool.moc"
