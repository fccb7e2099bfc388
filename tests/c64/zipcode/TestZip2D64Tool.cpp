// zip2d64 SETBASE OUT.d64, run as a child process with an empty PATH in a working folder, on Zip-Code sets that
// disk2zip made from images that cc1541 made: the output is the image the set was made from, and a damaged set that
// zip2disk refuses is refused too. Every run must leave everything outside the working folder as it was.

#include "C64Fixtures.h"
#include "TestFolders.h"

#include <QDir>
#include <QSet>
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

} // namespace

class TestZip2D64Tool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_sample = makeSampleSet({3000, 20000, 700, 45000, 768, 9000}, 1);
        QVERIFY(!m_sample.image.isEmpty() && !m_sample.parts[3].isEmpty());
        QSet<int> kinds; // the sample must hold stored, filled and packed sectors
        for (int part = 1; part <= 4; ++part) {
            for (const RecordHead& head : recordHeads(m_sample.parts[size_t(part - 1)], part))
                kinds.insert(head.kind);
        }
        QCOMPARE(kinds.size(), 3);
    }

    void setsAndOutputs_data()
    {
        QTest::addColumn<Setup>("setup");
        QTest::addColumn<QString>("base");
        QTest::addColumn<QString>("refusal");      // empty: the run succeeds; else a part of the reason
        QTest::addColumn<bool>("zip2diskRefuses"); // zip2disk can be asked about the same set, and refuses it too
        QTest::addColumn<QString>("output");
        QTest::addColumn<QByteArray>("image"); // what the output must hold; empty: the sample image
        const auto row = [](const char* tag, const Setup& setup, const QString& base, const QString& refusal = {},
                            bool zip2diskRefuses = false, const QString& output = QStringLiteral("vtrxtz2d.d64"),
                            const QByteArray& image = {}) {
            QTest::newRow(tag) << setup << base << refusal << zip2diskRefuses << output << image;
        };

        const Parts sample = m_sample.parts;
        // The set (the sample's unless given) under the given names, then one change.
        const auto named = [sample](const QStringList& names, const Setup& then = {}, const Parts& set = {}) {
            return Setup([=](const QString& work, const QString& root) {
                for (int i = 0; i < 4; ++i)
                    writeFile(QDir(work).filePath(names[i]), set[0].isEmpty() ? sample[size_t(i)] : set[size_t(i)]);
                if (then)
                    then(work, root);
            });
        };
        const auto game = [named](const Setup& then = {}) { return named(partNames(QStringLiteral("game")), then); };
        const auto put = [](const QString& name, const QByteArray& bytes) {
            return Setup([=](const QString& work, const QString&) { writeFile(QDir(work).filePath(name), bytes); });
        };
        const auto remove = [](const QString& name, bool folderInstead = false) {
            return Setup([=](const QString& work, const QString&) {
                QFile::remove(QDir(work).filePath(name));
                if (folderInstead)
                    QDir(work).mkdir(name);
            });
        };
        const QString out = QStringLiteral("vtrxtz2d.d64");

        // Sets of two other disks: one packed with another disk ID (which must not reach the image), one without a DOS
        // layout whose sectors all differ, out to track 35.
        const QByteArray other = cc1541Disk({5000, 12000}, 7);
        const Parts otherSet = disk2zipParts(other, {"-i", "4142"});
        const Parts patternSet = disk2zipParts(patternImage());
        QVERIFY(!otherSet[3].isEmpty() && !patternSet[3].isEmpty());
        row("other disk ID in the set", named(partNames("game"), {}, otherSet), "game", "", false, out, other);
        row("every sector different", named(partNames("game"), {}, patternSet), "game", "", false, out, patternImage());

        row("upper-case files, lower-case base", named(partNames("GAME")), "game");
        row("each part its own case, non-ASCII letters",
            named({"1!Spiel\u00c4", "2!sPIEL\u00e4", "3!SPIEL\u00c4", "4!spiel\u00e4"}), QStringLiteral("SPIEL\u00e4"));
        // Two files that differ only in case: the exact name is taken; without one the set is ambiguous.
        row("case twin, exact name", game(put("2!GAME", "decoy")), "game");
        row("case twin, no exact name", game(put("2!GAME", "decoy")), "Game", "2!Game");
        for (const char* base : {"it's \"the\" $(touch pwned)game`touch pwned2`;|&<>", "-game"})
            row(qPrintable(QStringLiteral("shell characters: ") + base), named(partNames(base)), base);
        row("a glob is a name like any other", game(), "*", "cannot find");
        row("replaces an older image", game(put(out, QByteArray(200000, 'x'))), "game");

        row("part missing", game(remove("4!game")), "game", "cannot find 4!game", true);
        row("part cut short", game(put("3!game", sample[2].left(sample[2].size() / 2))), "game", "3!game is damaged",
            true);
        row("part is a folder", game(remove("4!game", true)), "game", "4!game is not a plain file");
        row("part links outside", game([sample](const QString& work, const QString& root) {
                writeFile(root + QStringLiteral("/outside/1!game"), sample[0]);
                QFile::remove(work + QStringLiteral("/1!game"));
                QFile::link(QStringLiteral("../outside/1!game"), work + QStringLiteral("/1!game"));
            }),
            "game", "1!game is a symbolic link");
        row("set base reaches out",
            game([sample](const QString&, const QString& root) { writeParts(root, sample, QStringLiteral("game")); }),
            "../game", "is not a plain file name");
        row("failure keeps an older image", game([sample, out](const QString& work, const QString&) {
                writeFile(QDir(work).filePath(QStringLiteral("3!game")), sample[2].left(500));
                writeFile(QDir(work).filePath(out), "an earlier image");
            }),
            "game", "3!game is damaged", true);
        row("no output name", game(), "game", "no output file name given", false, "");
        row("output would replace a part", game(), "game", "3!game", false, "3!game");
    }

    void setsAndOutputs()
    {
        QFETCH(Setup, setup);
        QFETCH(QString, base);
        QFETCH(QString, refusal);
        QFETCH(bool, zip2diskRefuses);
        QFETCH(QString, output);
        QFETCH(QByteArray, image);
        QTemporaryDir root;
        const QString work = root.filePath(QStringLiteral("work"));
        QVERIFY(QDir().mkpath(work));
        QVERIFY(writeFile(root.filePath(QStringLiteral("outside/keep.txt")), "not to be touched"));
        setup(work, root.path());
        const QStringList before = tooltest::entries(work);
        const QByteArray oldOutput = readFile(QDir(work).filePath(output));
        const QStringList outsideBefore = tree(root.path(), QStringLiteral("work"));

        const RunResult r = tooltest::runTool(QStringLiteral("zip2d64"), {base, output}, work);
        QCOMPARE(tree(root.path(), QStringLiteral("work")), outsideBefore);
        if (refusal.isEmpty()) {
            VERIFY_RAN(r);
            QVERIFY(readFile(QDir(work).filePath(output)) == (image.isEmpty() ? m_sample.image : image));
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

private:
    SampleSet m_sample; // several files: stored, filled and packed sectors
};

QTEST_GUILESS_MAIN(TestZip2D64Tool)
#include "TestZip2D64Tool.moc"
