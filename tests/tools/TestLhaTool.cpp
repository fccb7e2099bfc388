// lha e /m FILE, run with an empty PATH on archives made by jlha.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

class TestLhaTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void extractsEveryMethodAndLevel_data();
    void extractsEveryMethodAndLevel();
    void dropsFoldersAndSkipsDirectoryEntries();
    void extractsIntoWorkingFolder();
    void namesCannotLeaveFolder_data();
    void namesCannotLeaveFolder();
    void keepsNamesStoredInCapitals();
    void storedLarcMember();
    void overwritesExistingFiles();
    void refusesLeavingNothing_data();
    void refusesLeavingNothing();

private:
    // jlha <command> of the given files, named relative to the fixture folder (or its sub-folder "in").
    QByteArray jlhaArchive(const QString& command, const QStringList& files, const QString& from = {});
    static testsupport::RunResult extract(const QString& archive, const QString& workDir);

    QTemporaryDir m_source;
    QByteArray m_program = noiseBytes(5000, 11);
    QByteArray m_text = textBytes(600);
    QByteArray m_image = textBytes(3);
};

namespace {

// Puts bytes into the fixed part of a level 0 or 1 header starting at memberStart and fixes its checksum
// (the low byte of the sum of the header bytes after the first two).
void patchHeader(QByteArray& archive, int memberStart, int offset, const QByteArray& bytes)
{
    archive.replace(memberStart + offset, bytes.size(), bytes);
    const int length = static_cast<unsigned char>(archive[memberStart]);
    unsigned sum = 0;
    for (int i = 0; i < length; ++i)
        sum += static_cast<unsigned char>(archive[memberStart + 2 + i]);
    archive[memberStart + 1] = static_cast<char>(sum & 0xFF);
}

} // namespace

void TestLhaTool::initTestCase()
{
    QVERIFY2(haveProgram(QStringLiteral("jlha")), "the jlha program (jlha-utils) is needed to make the fixtures");
    QVERIFY2(QFile::exists(testsupport::toolPath(QStringLiteral("lha"))), "lha is not staged");
    QVERIFY(writeFile(m_source.filePath(QStringLiteral("a.prg")), m_program));
    QVERIFY(writeFile(m_source.filePath(QStringLiteral("sub/b.txt")), m_text));
    QVERIFY(writeFile(m_source.filePath(QStringLiteral("c.d64")), m_image));
    QVERIFY(writeFile(m_source.filePath(QStringLiteral("in/GAME.PRG")), m_image));
    QVERIFY(writeFile(m_source.filePath(QStringLiteral("evil.prg")), "escaped"));
}

QByteArray TestLhaTool::jlhaArchive(const QString& command, const QStringList& files, const QString& from)
{
    QTemporaryDir out;
    const QString archive = out.filePath(QStringLiteral("fixture.lzh"));
    const testsupport::RunResult r =
        oracle(QStringLiteral("jlha"), QStringList{command, archive} + files, m_source.filePath(from));
    if (!succeeded(r))
        return {};
    return readFile(archive);
}

testsupport::RunResult TestLhaTool::extract(const QString& archive, const QString& workDir)
{
    return runTool(QStringLiteral("lha"), {QStringLiteral("e"), QStringLiteral("/m"), archive}, workDir);
}

void TestLhaTool::extractsEveryMethodAndLevel_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("textMethod");
    QTest::newRow("-lh5- (default)") << "c"
                                     << "-lh5-";
    QTest::newRow("-lh0- stored") << "cz"
                                  << "-lh0-";
    QTest::newRow("-lh6-") << "co6"
                           << "-lh6-";
    QTest::newRow("-lh7-") << "co7"
                           << "-lh7-";
    QTest::newRow("level 0 headers") << "c0"
                                     << "-lh5-";
    QTest::newRow("level 1 headers") << "c1"
                                     << "-lh5-";
    QTest::newRow("level 2 headers") << "c2"
                                     << "-lh5-";
}

void TestLhaTool::extractsEveryMethodAndLevel()
{
    QFETCH(QString, command);
    QFETCH(QString, textMethod);
    const QByteArray archive =
        jlhaArchive(command, {QStringLiteral("a.prg"), QStringLiteral("sub/b.txt"), QStringLiteral("c.d64")});
    QVERIFY(!archive.isEmpty());
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("GAMES.LZH")), archive));
    // The fixture really uses the method under test for the compressible member.
    const testsupport::RunResult listing =
        oracle(QStringLiteral("jlha"), {QStringLiteral("v"), QStringLiteral("GAMES.LZH")}, dir.path());
    QVERIFY2(listing.out.contains(textMethod.toLatin1()), listing.out.constData());

    const testsupport::RunResult r = extract(QStringLiteral("GAMES.LZH"), dir.path());
    QCOMPARE(r.exitCode, 0);
    QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());
    QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("GAMES.LZH"), QStringLiteral("a.prg"),
                                               QStringLiteral("b.txt"), QStringLiteral("c.d64")}));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("a.prg"))), m_program);
    QCOMPARE(readFile(dir.filePath(QStringLiteral("b.txt"))), m_text);
    QCOMPARE(readFile(dir.filePath(QStringLiteral("c.d64"))), m_image);
}

void TestLhaTool::dropsFoldersAndSkipsDirectoryEntries()
{
    // Given a folder, jlha stores a -lhd- entry for it and then "sub/b.txt".
    const QByteArray archive = jlhaArchive(QStringLiteral("c1"), {QStringLiteral("sub")});
    QVERIFY(archive.contains("-lhd-"));
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("TREE.LHA")), archive));
    const testsupport::RunResult r = extract(QStringLiteral("TREE.LHA"), dir.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("TREE.LHA"), QStringLiteral("b.txt")}));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("b.txt"))), m_text);
}

void TestLhaTool::extractsIntoWorkingFolder()
{
    QTemporaryDir archives;
    QTemporaryDir work;
    const QString archivePath = archives.filePath(QStringLiteral("ONE.LZH"));
    QVERIFY(writeFile(archivePath, jlhaArchive(QStringLiteral("c"), {QStringLiteral("c.d64")})));
    const testsupport::RunResult r = extract(archivePath, work.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(entries(work.path()), QStringList{QStringLiteral("c.d64")});
    QCOMPARE(entries(archives.path()), QStringList{QStringLiteral("ONE.LZH")});
}

void TestLhaTool::namesCannotLeaveFolder_data()
{
    // Level 0 keeps DOS paths ("..\\evil.prg"), level 1 and 2 keep folders in an extended header.
    QTest::addColumn<QString>("command");
    QTest::newRow("level 0") << "c0";
    QTest::newRow("level 1") << "c1";
    QTest::newRow("level 2") << "c2";
}

void TestLhaTool::namesCannotLeaveFolder()
{
    QFETCH(QString, command);
    // A relative path climbing out of the folder, then an absolute one.
    const QByteArray archive = jlhaArchive(
        command, {QStringLiteral("../evil.prg"), m_source.filePath(QStringLiteral("sub/b.txt"))}, QStringLiteral("in"));
    QVERIFY(archive.contains("evil.prg"));

    QTemporaryDir root;
    const QString work = root.filePath(QStringLiteral("a/work"));
    QVERIFY(writeFile(work + QStringLiteral("/ESC.LZH"), archive));
    const testsupport::RunResult r = extract(QStringLiteral("ESC.LZH"), work);
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(entries(work),
             (QStringList{QStringLiteral("ESC.LZH"), QStringLiteral("b.txt"), QStringLiteral("evil.prg")}));
    QCOMPARE(readFile(work + QStringLiteral("/evil.prg")), QByteArray("escaped"));
    QCOMPARE(readFile(work + QStringLiteral("/b.txt")), m_text);
    QCOMPARE(entries(root.filePath(QStringLiteral("a"))), QStringList{QStringLiteral("work")});
    QCOMPARE(entries(root.path()), QStringList{QStringLiteral("a")});
}

void TestLhaTool::keepsNamesStoredInCapitals()
{
    // Level 0 headers carry no system type, which makes liblhasa lower DOS-looking names.
    const QByteArray archive = jlhaArchive(QStringLiteral("c0"), {QStringLiteral("GAME.PRG")}, QStringLiteral("in"));
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("CAPS.LZH")), archive));
    const testsupport::RunResult r = extract(QStringLiteral("CAPS.LZH"), dir.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("CAPS.LZH"), QStringLiteral("GAME.PRG")}));
}

void TestLhaTool::storedLarcMember()
{
    // -lz4- (LArc, stored) holds its data as -lh0- does; only the method name differs. Unknown methods are refused.
    QByteArray archive = jlhaArchive(QStringLiteral("cz0"), {QStringLiteral("c.d64")});
    QCOMPARE(archive.mid(2, 5), QByteArray("-lh0-"));
    QCOMPARE(archive.at(20), '\0'); // level 0, where LArc archives live
    QByteArray larc = archive;
    patchHeader(larc, 0, 2, "-lz4-");
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("LARC.LZS")), larc));
    const testsupport::RunResult r = extract(QStringLiteral("LARC.LZS"), dir.path());
    QVERIFY2(r.exitCode == 0, r.err.constData());
    QCOMPARE(readFile(dir.filePath(QStringLiteral("c.d64"))), m_image);
}

void TestLhaTool::overwritesExistingFiles()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.prg")), "old"));
    QVERIFY(
        writeFile(dir.filePath(QStringLiteral("A.LZH")), jlhaArchive(QStringLiteral("c"), {QStringLiteral("a.prg")})));
    const testsupport::RunResult r = extract(QStringLiteral("A.LZH"), dir.path());
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(readFile(dir.filePath(QStringLiteral("a.prg"))), m_program);
}

void TestLhaTool::refusesLeavingNothing_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<QString>("reason"); // a part of the message, where one is fixed
    const QByteArray three = jlhaArchive(
        QStringLiteral("c1"), {QStringLiteral("a.prg"), QStringLiteral("sub/b.txt"), QStringLiteral("c.d64")});
    // Where the archive is cut: each header starts two bytes before its method name ("-lh0-", "-lh5-").
    const auto cut = [&three](int member, int distance) {
        qsizetype method = -1;
        for (int i = 0; i <= member; ++i)
            method = three.indexOf("-lh", method + 1);
        return three.left(method - 2 + distance);
    };
    QTest::newRow("cut inside the first header") << cut(0, 15) << "";
    QTest::newRow("cut inside the first member's data") << cut(0, 2000) << "";
    QTest::newRow("cut inside compressed data") << cut(1, 300) << "";
    QTest::newRow("cut inside the last header") << cut(2, 10) << "";
    QTest::newRow("cut inside the last member's data") << cut(2, 40) << "";

    const QByteArray two = jlhaArchive(QStringLiteral("c"), {QStringLiteral("a.prg"), QStringLiteral("sub/b.txt")});
    const auto flipped = [&two](int fromSecondHeader) {
        QByteArray b = two;
        const qsizetype at = two.indexOf("-lh5-") - 2 + fromSecondHeader;
        b[at] = static_cast<char>(b[at] ^ 0x04);
        return b;
    };
    QTest::newRow("damaged compressed data") << flipped(600) << "CRC error";
    QTest::newRow("damaged second header") << flipped(12) << "damaged";
    QByteArray unknown = jlhaArchive(QStringLiteral("cz0"), {QStringLiteral("c.d64")});
    patchHeader(unknown, 0, 2, "-lhX-");
    QTest::newRow("unknown method") << unknown << "unsupported compression method -lhX-";

    QTest::newRow("random bytes") << noiseBytes(3000, 12) << "";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("end marker only") << QByteArray(1, '\0') << "";
    QTest::newRow("text") << textBytes(20) << "";

    // A few KB of LHA can unpack to gigabytes or to a million files; such an archive holds no C64 game. Members of
    // the same name repeat one jlha member: an archive is its members one after the other and a closing zero byte.
    const auto repeated = [](int memberSize, int times) {
        QTemporaryDir zeros;
        writeFile(zeros.filePath(QStringLiteral("zeros.prg")), QByteArray(memberSize, '\0'));
        const QString made = zeros.filePath(QStringLiteral("made.lzh"));
        oracle(QStringLiteral("jlha"), {QStringLiteral("a"), made, QStringLiteral("zeros.prg")}, zeros.path());
        const QByteArray one = readFile(made);
        return one.size() < 1024 * 1024 ? one.chopped(1).repeated(times) + '\0' : QByteArray();
    };
    QTest::newRow("a member over 64 MB") << repeated(64 * 1024 * 1024 + 1, 1) << "more than 64 MB";
    QTest::newRow("over 256 MB in all") << repeated(26 * 1024 * 1024, 10) << "more than 256 MB";
    QTest::newRow("over 10000 members") << repeated(10, 10001) << "more than 10000 members";
}

// The archive is refused with one reason line, and the folder holds what it held before: nothing half-extracted.
void TestLhaTool::refusesLeavingNothing()
{
    QFETCH(QByteArray, archive);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath(QStringLiteral("GAME.LHA")), archive));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("a.prg")), "old"));
    const testsupport::RunResult r = extract(QStringLiteral("GAME.LHA"), dir.path());
    QString why;
    QVERIFY2(isCleanFailure(r, QStringLiteral("lha"), &why), qPrintable(why));
    QVERIFY2(QString::fromLocal8Bit(r.err).contains(reason), r.err.constData());
    QCOMPARE(entries(dir.path()), (QStringList{QStringLiteral("GAME.LHA"), QStringLiteral("a.prg")}));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("a.prg"))), QByteArray("old"));
}

QTEST_GUILESS_MAIN(TestLhaTool)
#include "TestLhaTool.moc"
