// zip2d64 SETBASE OUT.d64, run as a child process with an empty PATH in a working folder, on Zip-Code sets that
// disk2zip made from images that cc1541 made; zip2disk's output is the reference.

#include "C64Fixtures.h"
#include "TestFolders.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace c64test;
using testsupport::readFile;
using testsupport::RunResult;
using testsupport::writeFile;
using tooltest::describe;
using tooltest::haveProgram;

namespace {

// A root holding the working folder "work" and a neighbour "outside" with a file in it, so that a test can show
// that the tool touched nothing but the working folder.
class Workspace
{
public:
    Workspace()
    {
        QDir(m_root.path()).mkpath(QStringLiteral("work"));
        writeFile(m_root.filePath(QStringLiteral("outside/keep.txt")), "not to be touched");
        m_before = outsideSnapshot();
    }
    bool isValid() const { return m_root.isValid(); }
    QString root() const { return m_root.path(); }
    QString work() const { return m_root.filePath(QStringLiteral("work")); }
    QString workFile(const QString& name) const { return QDir(work()).filePath(name); }
    bool outsideUntouched() const { return outsideSnapshot() == m_before; }

    // Every entry under the root but outside the working folder, with size and modification time.
    QStringList outsideSnapshot() const
    {
        QStringList lines;
        QDirIterator it(m_root.path(), QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        const QDir root(m_root.path());
        while (it.hasNext()) {
            it.next();
            const QString rel = root.relativeFilePath(it.filePath());
            if (rel == QLatin1String("work") || rel.startsWith(QLatin1String("work/")))
                continue;
            lines << QStringLiteral("%1 %2 %3")
                         .arg(rel)
                         .arg(it.fileInfo().size())
                         .arg(it.fileInfo().lastModified().toMSecsSinceEpoch());
        }
        lines.sort();
        return lines;
    }

    QStringList workEntries() const { return tooltest::entries(work()); }

private:
    QTemporaryDir m_root;
    QStringList m_before;
};

RunResult runZip2d64(const QStringList& args, const QString& workDir)
{
    return tooltest::runTool(QStringLiteral("zip2d64"), args, workDir);
}

bool isCleanFailure(const RunResult& r, QString* why)
{
    return tooltest::isCleanFailure(r, QStringLiteral("zip2d64"), why);
}

// Damage done to a set before the tool runs; values 1 to 4 remove that part.
enum SetDamage
{
    CutShort = 5,
    CorruptHeader,
    EmptyPart,
    PartIsFolder,
    PartLinksOutside,
    PartsInParent
};

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
    void initTestCase();
    void matchesZip2diskAndOriginal_data();
    void matchesZip2diskAndOriginal();
    void findsPartsInAnyLetterCase_data();
    void findsPartsInAnyLetterCase();
    void caseTwins();
    void takesShellCharactersLiterally_data();
    void takesShellCharactersLiterally();
    void refusesBrokenSets_data();
    void refusesBrokenSets();
    void keepsExistingOutputOnFailure();
    void replacesExistingOutputOnSuccess();
    void refusesToOverwriteAPart();

private:
    QTemporaryDir m_fixtures;
    SampleSet m_sample; // several files: stored, filled and packed sectors
};

void TestZip2D64Tool::initTestCase()
{
    for (const char* program : {"cc1541", "disk2zip", "zip2disk"})
        QVERIFY2(haveProgram(QString::fromLatin1(program)), qPrintable(QStringLiteral("%1 is needed").arg(program)));
    QVERIFY(QFile::exists(testsupport::toolPath(QStringLiteral("zip2d64"))));
    QString error;
    const QString dir = m_fixtures.filePath(QStringLiteral("sample"));
    QDir().mkpath(dir);
    m_sample = makeSampleSet(dir, {3000, 20000, 700, 45000, 768, 9000}, 1, &error);
    QVERIFY2(!m_sample.image.isEmpty(), qPrintable(error));
    std::array<int, 3> kinds{};
    for (int part = 1; part <= 4; ++part) {
        const std::array<int, 3> k = recordKinds(m_sample.parts[size_t(part - 1)], part);
        for (int i = 0; i < 3; ++i)
            kinds[size_t(i)] += k[size_t(i)];
    }
    QVERIFY2(kinds[0] > 0 && kinds[1] > 0 && kinds[2] > 0, "the sample set should use all three record kinds");
    QCOMPARE(kinds[0] + kinds[1] + kinds[2], 683);
}

void TestZip2D64Tool::matchesZip2diskAndOriginal_data()
{
    QTest::addColumn<QList<int>>("fileSizes");
    QTest::addColumn<QStringList>("disk2zipOptions");
    QTest::addColumn<bool>("patternImage");
    QTest::addColumn<bool>("usesTrack35");

    QTest::newRow("several files") << QList<int>{3000, 20000, 700, 45000, 768, 9000} << QStringList() << false << false;
    QTest::newRow("full disk, out to track 35") << QList<int>{168000} << QStringList() << false << true;
    QTest::newRow("freshly formatted disk") << QList<int>() << QStringList() << false << false;
    QTest::newRow("other disk ID in the set")
        << QList<int>{5000, 12000} << (QStringList{"-i", "4142"}) << false << false;
    QTest::newRow("no DOS layout, every sector different") << QList<int>() << QStringList() << true << true;
}

void TestZip2D64Tool::matchesZip2diskAndOriginal()
{
    QFETCH(QList<int>, fileSizes);
    QFETCH(QStringList, disk2zipOptions);
    QFETCH(bool, patternImage);
    QFETCH(bool, usesTrack35);
    Workspace ws;
    QVERIFY(ws.isValid());
    QString error;
    const QString scratch = ws.root() + QStringLiteral("/outside");
    QByteArray original;
    if (patternImage) {
        original = c64test::patternImage();
        QVERIFY(writeFile(scratch + QStringLiteral("/disk.d64"), original));
    } else {
        original = makeDiskWithCc1541(scratch, fileSizes, 7, &error);
        QVERIFY2(!original.isEmpty(), qPrintable(error));
    }
    if (usesTrack35)
        QVERIFY(original.mid(sectorOffset(35, 0), 17 * 256) != QByteArray(17 * 256, '\0'));
    const auto parts =
        packWithDisk2zip(scratch, QStringLiteral("disk.d64"), QStringLiteral("GAME"), &error, disk2zipOptions);
    QVERIFY2(!parts[0].isEmpty(), qPrintable(error));
    QVERIFY(writeParts(ws.work(), parts, QStringLiteral("GAME")));
    const QByteArray reference = unpackWithZip2disk(ws.work(), QStringLiteral("GAME"));
    QCOMPARE(reference.size(), 174848);

    const QStringList outsideBefore = ws.outsideSnapshot();
    const RunResult r = runZip2d64({QStringLiteral("GAME"), QStringLiteral("vtrxtz2d.d64")}, ws.work());
    QVERIFY2(r.exitCode == 0 && !r.crashed, qPrintable(describe(r)));
    QVERIFY(r.err.isEmpty());
    const QByteArray ours = readFile(ws.workFile(QStringLiteral("vtrxtz2d.d64")));
    QCOMPARE(ours.size(), 174848);
    QVERIFY2(ours == reference, "zip2d64 and zip2disk disagree");
    QVERIFY2(ours == original, "the image did not survive packing and unpacking");
    QCOMPARE(ws.workEntries(), QStringList(partNames(QStringLiteral("GAME")) << QStringLiteral("vtrxtz2d.d64")));
    QCOMPARE(ws.outsideSnapshot(), outsideBefore);
}

void TestZip2D64Tool::findsPartsInAnyLetterCase_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("base");

    QTest::newRow("upper-case files, lower-case base") << partNames(QStringLiteral("GAME")) << "game";
    QTest::newRow("lower-case files, upper-case base") << partNames(QStringLiteral("game.z64")) << "GAME.Z64";
    QTest::newRow("each part its own case") << QStringList{"1!Game", "2!gAME", "3!GAME", "4!game"} << "gaME";
    QTest::newRow("non-ASCII letters") << partNames(QStringLiteral("spiel\u00c4")) << QStringLiteral("SPIEL\u00e4");
}

void TestZip2D64Tool::findsPartsInAnyLetterCase()
{
    QFETCH(QStringList, names);
    QFETCH(QString, base);
    Workspace ws;
    for (int i = 0; i < 4; ++i)
        QVERIFY(writeFile(ws.workFile(names[i]), m_sample.parts[size_t(i)]));
    const RunResult r = runZip2d64({base, QStringLiteral("out.d64")}, ws.work());
    QVERIFY2(r.exitCode == 0, qPrintable(describe(r)));
    QVERIFY(readFile(ws.workFile(QStringLiteral("out.d64"))) == m_sample.image);
    QVERIFY(ws.outsideUntouched());
}

void TestZip2D64Tool::caseTwins()
{
    // Two files that differ only in case: the exact name is taken; without one the set is ambiguous.
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, QStringLiteral("game")));
    QVERIFY(writeFile(ws.workFile(QStringLiteral("2!GAME")), "decoy"));
    RunResult r = runZip2d64({QStringLiteral("game"), QStringLiteral("out.d64")}, ws.work());
    QVERIFY2(r.exitCode == 0, qPrintable(describe(r)));
    QVERIFY(readFile(ws.workFile(QStringLiteral("out.d64"))) == m_sample.image);

    QVERIFY(QFile::remove(ws.workFile(QStringLiteral("out.d64"))));
    r = runZip2d64({QStringLiteral("Game"), QStringLiteral("out.d64")}, ws.work());
    QString why;
    QVERIFY2(isCleanFailure(r, &why), qPrintable(why));
    QVERIFY2(r.err.contains("2!Game"), r.err.constData());
    QVERIFY(!QFile::exists(ws.workFile(QStringLiteral("out.d64"))));
}

void TestZip2D64Tool::takesShellCharactersLiterally_data()
{
    QTest::addColumn<QString>("base");

    QTest::newRow("blanks") << "my game  disk";
    QTest::newRow("quotes") << "it's \"the\" game";
    QTest::newRow("command substitution") << "$(touch pwned)game`touch pwned2`";
    QTest::newRow("separators and redirection") << "a;touch pwned3 & b|c >d <e";
    QTest::newRow("leading dash") << "-game";
}

void TestZip2D64Tool::takesShellCharactersLiterally()
{
    QFETCH(QString, base);
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, base));
    const RunResult r = runZip2d64({base, QStringLiteral("vtrxtz2d.d64")}, ws.work());
    QVERIFY2(r.exitCode == 0, qPrintable(describe(r)));
    QVERIFY(readFile(ws.workFile(QStringLiteral("vtrxtz2d.d64"))) == m_sample.image);
    QStringList expected = partNames(base) << QStringLiteral("vtrxtz2d.d64");
    expected.sort();
    QCOMPARE(ws.workEntries(), expected);
    QVERIFY(ws.outsideUntouched());

    // A glob is a name like any other: "*" does not stand for "game".
    Workspace globbed;
    QVERIFY(writeParts(globbed.work(), m_sample.parts, QStringLiteral("game")));
    QString why;
    QVERIFY2(isCleanFailure(runZip2d64({QStringLiteral("*"), QStringLiteral("o.d64")}, globbed.work()), &why),
             qPrintable(why));
}

void TestZip2D64Tool::refusesBrokenSets_data()
{
    QTest::addColumn<int>("damage");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("reason");

    for (int part = 1; part <= 4; ++part)
        QTest::addRow("part %d missing", part) << part << "game" << QStringLiteral("cannot find %1!game").arg(part);
    QTest::newRow("part cut short") << int(CutShort) << "game"
                                    << "3!game is damaged";
    QTest::newRow("record header corrupted") << int(CorruptHeader) << "game"
                                             << "2!game is damaged";
    QTest::newRow("empty part") << int(EmptyPart) << "game"
                                << "1!game is damaged: it is too short (0 bytes)";
    QTest::newRow("part is a folder") << int(PartIsFolder) << "game"
                                      << "4!game is not a plain file";
    QTest::newRow("part links outside") << int(PartLinksOutside) << "game"
                                        << "1!game is a symbolic link";
    QTest::newRow("set base reaches out") << int(PartsInParent) << "../game"
                                          << "is not a plain file name";
}

void TestZip2D64Tool::refusesBrokenSets()
{
    QFETCH(int, damage);
    QFETCH(QString, base);
    QFETCH(QString, reason);
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, QStringLiteral("game")));
    const QString part1 = ws.workFile(QStringLiteral("1!game"));
    switch (damage) {
    case CutShort:
        QVERIFY(writeFile(ws.workFile(QStringLiteral("3!game")), m_sample.parts[2].left(m_sample.parts[2].size() / 2)));
        break;
    case CorruptHeader: {
        QByteArray part = m_sample.parts[1];
        part[2] = char(part[2] ^ 0x01); // first record's track: 9 becomes 8
        QVERIFY(writeFile(ws.workFile(QStringLiteral("2!game")), part));
        break;
    }
    case EmptyPart:
        QVERIFY(writeFile(part1, QByteArray()));
        break;
    case PartIsFolder:
        QVERIFY(QFile::remove(ws.workFile(QStringLiteral("4!game"))));
        QVERIFY(QDir(ws.work()).mkdir(QStringLiteral("4!game")));
        break;
    case PartLinksOutside:
        QVERIFY(writeFile(ws.root() + QStringLiteral("/outside/1!game"), m_sample.parts[0]));
        QVERIFY(QFile::remove(part1));
        QVERIFY(QFile::link(QStringLiteral("../outside/1!game"), part1));
        break;
    case PartsInParent:
        QVERIFY(writeParts(ws.root(), m_sample.parts, QStringLiteral("game")));
        break;
    default: // a part number: that part is missing
        QVERIFY(QFile::remove(ws.workFile(QStringLiteral("%1!game").arg(damage))));
    }
    const QStringList before = ws.workEntries();
    const QStringList outsideBefore = ws.outsideSnapshot();

    const RunResult r = runZip2d64({base, QStringLiteral("vtrxtz2d.d64")}, ws.work());
    QString why;
    QVERIFY2(isCleanFailure(r, &why), qPrintable(why));
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(reason), r.err.constData());
    QCOMPARE(ws.workEntries(), before);
    QCOMPARE(ws.outsideSnapshot(), outsideBefore);

    // zip2disk refuses the same sets (it cannot be asked about links or bases outside the folder).
    if (damage <= EmptyPart)
        QVERIFY(unpackWithZip2disk(ws.work(), base).isEmpty());
}

void TestZip2D64Tool::keepsExistingOutputOnFailure()
{
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, QStringLiteral("game")));
    QVERIFY(writeFile(ws.workFile(QStringLiteral("3!game")), m_sample.parts[2].left(500)));
    QVERIFY(writeFile(ws.workFile(QStringLiteral("vtrxtz2d.d64")), "an earlier image"));
    const QStringList before = ws.workEntries();
    QString why;
    QVERIFY2(isCleanFailure(runZip2d64({QStringLiteral("game"), QStringLiteral("vtrxtz2d.d64")}, ws.work()), &why),
             qPrintable(why));
    QCOMPARE(readFile(ws.workFile(QStringLiteral("vtrxtz2d.d64"))), QByteArray("an earlier image"));
    QCOMPARE(ws.workEntries(), before);
}

void TestZip2D64Tool::replacesExistingOutputOnSuccess()
{
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, QStringLiteral("game")));
    QVERIFY(writeFile(ws.workFile(QStringLiteral("vtrxtz2d.d64")), QByteArray(200000, 'x')));
    const RunResult r = runZip2d64({QStringLiteral("game"), QStringLiteral("vtrxtz2d.d64")}, ws.work());
    QVERIFY2(r.exitCode == 0, qPrintable(describe(r)));
    QVERIFY(readFile(ws.workFile(QStringLiteral("vtrxtz2d.d64"))) == m_sample.image);
    QCOMPARE(ws.workEntries(), QStringList(partNames(QStringLiteral("game")) << QStringLiteral("vtrxtz2d.d64")));
}

void TestZip2D64Tool::refusesToOverwriteAPart()
{
    Workspace ws;
    QVERIFY(writeParts(ws.work(), m_sample.parts, QStringLiteral("game")));
    QString why;
    QVERIFY2(isCleanFailure(runZip2d64({QStringLiteral("game"), QStringLiteral("3!game")}, ws.work()), &why),
             qPrintable(why));
    QVERIFY(readFile(ws.workFile(QStringLiteral("3!game"))) == m_sample.parts[2]);
}

QTEST_GUILESS_MAIN(TestZip2D64Tool)
#include "TestZip2D64Tool.moc"
