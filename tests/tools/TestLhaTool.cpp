// lha e /m FILE, run with an empty PATH on archives made by jlha: one table of what it extracts and what it refuses.

#include "TestFolders.h"
#include "ToolRunner.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::writeFile;
using namespace tooltest;

using Contents = QMap<QString, QByteArray>;

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

class TestLhaTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(haveProgram("jlha"), "the jlha program (jlha-utils) is needed to make the fixtures");
        const Contents files{{"a.prg", m_program},     {"sub/b.txt", m_text},         {"c.d64", m_image},
                             {"in/GAME.PRG", m_image}, {"in/DISK/GAME.PRG", m_image}, {"evil.prg", "escaped"}};
        for (auto it = files.begin(); it != files.end(); ++it)
            QVERIFY(writeFile(m_source.filePath(it.key()), it.value()));
    }

    void runs_data()
    {
        QTest::addColumn<QByteArray>("archive");
        QTest::addColumn<Contents>("expected"); // the working folder afterwards (it held a.prg = "old"); empty: refused
        QTest::addColumn<QString>("reason");    // a part of the refusal's message, where one is fixed
        const auto extracted = [](const char* tag, const QByteArray& archive, const Contents& expected) {
            QTest::newRow(tag) << archive << expected << QString();
        };
        const auto refused = [](const char* tag, const QByteArray& archive, const QString& reason = {}) {
            QTest::newRow(tag) << archive << Contents() << reason;
        };

        const QByteArray old("old");
        const QStringList three{"a.prg", "sub/b.txt", "c.d64"};
        const Contents all{{"a.prg", m_program}, {"b.txt", m_text}, {"c.d64", m_image}};
        extracted("-lh5- (default)", jlhaArchive("c", three), all);
        extracted("-lh0- stored", jlhaArchive("cz", three), all);
        extracted("level 0 headers", jlhaArchive("c0", three), all);
        extracted("level 2 headers", jlhaArchive("c2", three), all);
        // Given a folder, jlha stores a -lhd- entry for it and then "sub/b.txt": the folder goes, the entry is skipped.
        const QByteArray tree = jlhaArchive("c1", {"sub"});
        extracted("folders dropped", tree.contains("-lhd-") ? tree : QByteArray(),
                  Contents{{"a.prg", old}, {"b.txt", m_text}});
        // Level 0 keeps DOS paths ("..\\evil.prg"), level 1 and 2 keep folders in an extended header: a relative path
        // climbing out of the folder, then an absolute one.
        for (const char* level : {"c0", "c1", "c2"})
            extracted(qPrintable(QStringLiteral("names cannot leave the folder, ") + level),
                      jlhaArchive(level, {"../evil.prg", m_source.filePath("sub/b.txt")}, "in"),
                      Contents{{"a.prg", old}, {"b.txt", m_text}, {"evil.prg", "escaped"}});
        // Level 0 headers carry no system type, which makes liblhasa lower DOS-looking names; the stored name's case
        // is found again, also behind its DOS path.
        extracted("names in capitals", jlhaArchive("c0", {"DISK/GAME.PRG"}, "in"),
                  Contents{{"a.prg", old}, {"GAME.PRG", m_image}});
        // -lz4- (LArc, stored, level 0 headers) holds its data as -lh0- does; only the method name differs.
        QByteArray larc = jlhaArchive("cz0", {"c.d64"});
        const bool stored = larc.mid(2, 5) == "-lh0-" && larc.at(20) == '\0';
        patchHeader(larc, 0, 2, "-lz4-");
        extracted("stored LArc member", stored ? larc : QByteArray(), Contents{{"a.prg", old}, {"c.d64", m_image}});
        extracted("replaces a file of a member's name", jlhaArchive("c", {"a.prg"}), Contents{{"a.prg", m_program}});

        // Each header starts two bytes before its method name ("-lh0-", "-lh5-"): cut inside the first header, then
        // 300 bytes into the second member's compressed data; a flipped bit in the second member's data, its header.
        const QByteArray level1 = jlhaArchive("c1", three);
        refused("cut inside the first header", level1.left(15));
        refused("cut inside compressed data", level1.left(level1.indexOf("-lh", 3) - 2 + 300));

        const QByteArray two = jlhaArchive("c", {"a.prg", "sub/b.txt"});
        QByteArray data = two, header = two;
        data[two.indexOf("-lh5-") - 2 + 600] ^= 0x04;
        header[two.indexOf("-lh5-") - 2 + 12] ^= 0x04;
        refused("damaged compressed data", data, "CRC error");
        refused("damaged second header", header, "damaged");
        QByteArray unknown = jlhaArchive("cz0", {"c.d64"});
        patchHeader(unknown, 0, 2, "-lhX-");
        refused("unknown method", unknown, "unsupported compression method -lhX-");

        refused("empty file", QByteArray());

        // A few KB of LHA can unpack to gigabytes or to a million files; such an archive holds no C64 game. Members of
        // the same name repeat one jlha member: an archive is its members one after the other and a closing zero byte.
        const auto repeated = [](int memberSize, int times) {
            QTemporaryDir zeros;
            writeFile(zeros.filePath("zeros.prg"), QByteArray(memberSize, '\0'));
            oracle("jlha", {"a", zeros.filePath("made.lzh"), "zeros.prg"}, zeros.path());
            const QByteArray one = readFile(zeros.filePath("made.lzh"));
            return one.size() < 1024 * 1024 ? one.chopped(1).repeated(times) + '\0' : QByteArray();
        };
        refused("a member over 64 MB", repeated(64 * 1024 * 1024 + 1, 1), "more than 64 MB");
        refused("over 256 MB in all", repeated(26 * 1024 * 1024, 10), "more than 256 MB");
        refused("over 10000 members", repeated(10, 10001), "more than 10000 members");
    }

    // The archive lies in another folder and is named by its full path. Extracted, the members land in the working
    // folder; refused with one reason line, the folder holds what it held before: nothing half-extracted. Either way
    // nothing outside the working folder changes.
    void runs()
    {
        QFETCH(QByteArray, archive);
        QFETCH(Contents, expected);
        QFETCH(QString, reason);
        QVERIFY2(expected.isEmpty() || !archive.isEmpty(), "jlha did not make the archive under test");
        QTemporaryDir root;
        const QString work = root.filePath("a/work"), path = root.filePath("archives/GAMES.LZH");
        QVERIFY(writeFile(path, archive) && writeFile(work + "/a.prg", "old"));
        const testsupport::RunResult r = runTool("lha", {"e", "/m", path}, work);
        QCOMPARE(entries(root.path()) + entries(root.filePath("a")) + entries(root.filePath("archives")),
                 (QStringList{"a", "archives", "work", "GAMES.LZH"}));
        if (expected.isEmpty()) {
            QString why;
            QVERIFY2(isCleanFailure(r, "lha", &why), qPrintable(why));
            QVERIFY2(QString::fromLocal8Bit(r.err).contains(reason), r.err.constData());
            expected.insert(QStringLiteral("a.prg"), "old");
        } else {
            VERIFY_RAN(r);
            QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), r.err.constData());
        }
        QCOMPARE(entries(work), QStringList(expected.keys()));
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(readFile(work + QLatin1Char('/') + it.key()), it.value());
    }

private:
    // jlha <command> of the given files, named relative to the fixture folder (or its sub-folder "in").
    QByteArray jlhaArchive(const QString& command, const QStringList& files, const QString& from = {})
    {
        QTemporaryDir out;
        const QString archive = out.filePath("fixture.lzh");
        return succeeded(oracle("jlha", QStringList{command, archive} + files, m_source.filePath(from)))
                   ? readFile(archive)
                   : QByteArray();
    }

    QTemporaryDir m_source;
    QByteArray m_program = noiseBytes(5000, 11);
    QByteArray m_text = textBytes(600);
    QByteArray m_image = textBytes(3);
};

QTEST_GUILESS_MAIN(TestLhaTool)
#include "TestLhaTool.moc"
