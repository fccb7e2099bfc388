// The PSID header: texts and song numbers as read, a failed read leaving the values as they were, and the start
// song rewritten in place of the old file: byte by byte, refused or failing without loss, and by ear (sidplayfp
// renders the rewritten tune as the untouched one played from the new song).

#include "SidFixtures.h"
#include "SmallDisk.h"
#include "c64/SidHeader.h"

#include <QTest>

using namespace c64;
using sidtest::psidTune;

class TestSidHeader : public QObject
{
    Q_OBJECT

private slots:
    void readsHeader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("read"); // name|author|songs|start; "" when the read fails
        QTest::addRow("32 characters give 31")
            << psidTune(1, 12, 3, QByteArray(32, 'X')) << QString(31, 'X') + "|A. Composer|12|3";
        QTest::addRow("zero bytes skipped") << psidTune(1, 12, 3, {"AB\0CD", 5}) << "ABCD|A. Composer|12|3";
        QTest::addRow("high bit unsigned") << psidTune(2, 0x8001, 0xFFFF) << "Harbour|A. Composer|32769|65535";
        QTest::addRow("cut in the author") << psidTune().left(58) << "Harbour|A. C|12|3";
        QTest::addRow("lower-case magic") << "psid" + psidTune().mid(4) << "";
    }
    void readsHeader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, read);
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath("tune.sid"), bytes));
        QString name = "old", author = "old", copyright = "old";
        int start = 7, songs = 9;
        QCOMPARE(ReadSidHeader(dir.filePath("tune.sid"), name, author, copyright, start, songs), !read.isEmpty());
        QCOMPARE(QStringList({name, author, QString::number(songs), QString::number(start)}).join('|'),
                 read.isEmpty() ? "old|old|9|7" : read);
    }

    void rewritesOnlyTheStartSong_data()
    {
        QTest::addColumn<QByteArray>("tune");
        QTest::addColumn<int>("song");
        QTest::addColumn<QString>("readOnly"); // "file", "mount" (the temporary file cannot be made)
        QTest::addColumn<int>("result");
        QTest::addColumn<QByteArray>("stored"); // bytes 16 and 17 afterwards
        const QByteArray v1 = psidTune(), s3("\x00\x03", 2);
        using R = SidWriteResult;
        QTest::addRow("v1, song 256") << v1 << 256 << "" << int(R::Written) << QByteArray("\x01\x00", 2);
        QTest::addRow("song 257") << v1 << 257 << "" << int(R::BadSong) << s3;
        QTest::addRow("shorter than the header") << v1.left(117) << 2 << "" << int(R::NotPsid) << s3;
        QTest::addRow("read-only file") << v1 << 2 << "file" << int(R::ReadOnly) << s3;
        QTest::addRow("read-only disk") << v1 << 2 << "mount" << int(R::Failed) << s3;
    }
    // Every other byte stays, permissions too; no temporary file is left, whether the rewrite worked or not.
    void rewritesOnlyTheStartSong()
    {
        QFETCH(QByteArray, tune);
        QFETCH(int, song);
        QFETCH(QString, readOnly);
        QFETCH(int, result);
        QFETCH(QByteArray, stored);
        QTemporaryDir dir;
        const QString path = dir.filePath("tune.sid");
        QVERIFY(testsupport::writeFile(path, tune));
        const auto mode = QFile::ReadOwner | QFile::ReadGroup | QFile::ExeOwner;
        QFile::setPermissions(path, readOnly == "file" ? mode : mode | QFile::WriteOwner);
        std::unique_ptr<testsupport::ReadOnlyFolder> mount;
        if (readOnly == "mount" && !(mount = std::make_unique<testsupport::ReadOnlyFolder>(dir.path()))->isValid())
            QSKIP(qPrintable(mount->whyNot()));

        const SidWriteOutcome outcome = WriteSidStartSong(path, song);
        mount.reset();
        QCOMPARE(int(outcome.result), result);
        QCOMPARE(sidWriteFailureMessage(path, outcome).isEmpty(), outcome.ok());
        QCOMPARE(testsupport::readFile(path),
                 QByteArray(tune).replace(SidStartSongOffset, 2, stored.left(tune.size() - SidStartSongOffset)));
        QCOMPARE(tooltest::entries(dir.path()), QStringList({"tune.sid"}));
        // The owner's and group's bits (the user's bits say what this process may do, which for root is anything).
        QCOMPARE(QFile::permissions(path) & 0x7077, readOnly == "file" ? 0x5040 : 0x7040);
    }

    void rewrittenTunePlaysTheNewStartSong()
    {
        QVERIFY2(tooltest::haveProgram("sidplayfp"), "sidplayfp is not installed (scripts/setup.sh installs it)");
        QTemporaryDir dir;
        const QString untouched = dir.filePath("untouched.sid"), rewritten = dir.filePath("rewritten.sid");
        QVERIFY(testsupport::writeFile(untouched, psidTune(2)) && testsupport::writeFile(rewritten, psidTune(2)) &&
                WriteSidStartSong(rewritten, 7).ok());
        const QByteArray asRewritten = sidtest::renderWithSidplayfp(rewritten);
        QVERIFY(asRewritten.size() > 44100 && asRewritten == sidtest::renderWithSidplayfp(untouched, 7));
        QVERIFY(asRewritten != sidtest::renderWithSidplayfp(untouched));
    }
};

QTEST_GUILESS_MAIN(TestSidHeader)
#include "TestSidHeader.moc"
