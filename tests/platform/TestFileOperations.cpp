// Rename, move and delete of a user's file on real file systems: a move onto another file system (a small tmpfs)
// copies, checks and only then deletes; a full disk, a read-only folder or an existing target leave the file where it
// was and give the system's reason; a move killed at any moment leaves the file whole.

#include "KillAtRandom.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "ToolRunner.h"
#include "WriterProbe.h"
#include "platform/FileOperations.h"
#include "platform/SaveFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using testsupport::ReadOnlyFolder;
using testsupport::SmallDisk;

static const QString kName = QStringLiteral("Île de la Cité.d64"); // blanks and accents in every name here

static QByteArray content()
{
    return tooltest::noiseBytes(174848, 7); // a D64's size: many pages
}

class TestFileOperations : public QObject
{
    Q_OBJECT

private slots:
    void move_data()
    {
        QTest::addColumn<QString>("target");    // "home", "disk" (another file system), "full" (that one, full)
        QTest::addColumn<bool>("sourceLocked"); // the source folder read-only
        QTest::addColumn<bool>("targetExists");
        QTest::addColumn<QString>("reason"); // "" when the move succeeds
        // clang-format off
        QTest::addRow("same file system") << "home" << false << false << "";
        QTest::addRow("another file system") << "disk" << false << false << "";
        QTest::addRow("existing target, same file system") << "home" << false << true << "File exists";
        QTest::addRow("existing target, another file system") << "disk" << false << true << "File exists";
        QTest::addRow("full disk") << "full" << false << false << "No space left on device";
        QTest::addRow("source not removable, another file system") << "disk" << true << false << "Read-only file system";
        // clang-format on
    }
    void move()
    {
        QFETCH(QString, target);
        QFETCH(bool, sourceLocked);
        QFETCH(bool, targetExists);
        QFETCH(QString, reason);
        QTemporaryDir home;
        SmallDisk disk(1024 * 1024);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString source = home.filePath("Games/" + kName);
        QVERIFY(QDir(home.path()).mkpath("Moved") && testsupport::writeFile(source, content()));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::ReadWrite) &&
                    file.setFileTime(QDateTime(QDate(1987, 6, 5), QTime(4, 3, 2)), QFileDevice::FileModificationTime));
        }
        const QString to = target == "home" ? home.filePath("Moved/" + kName) : disk.filePath(kName);
        if (targetExists)
            QVERIFY(testsupport::writeFile(to, "old"));
        if (target == "full")
            QVERIFY2(disk.leaveFree(4096), qPrintable(disk.whyNot()));
        std::unique_ptr<ReadOnlyFolder> locked;
        if (sourceLocked) {
            locked = std::make_unique<ReadOnlyFolder>(home.filePath("Games"));
            QVERIFY2(locked->isValid(), qPrintable(locked->whyNot()));
        }

        const platform::FileOperationResult result = platform::moveFile(source, to);
        locked.reset();

        QCOMPARE(result.reason, reason);
        QCOMPARE(result.ok, reason.isEmpty());
        if (result.ok) {
            QVERIFY(!QFileInfo::exists(source));
            QCOMPARE(testsupport::readFile(to), content());
            QCOMPARE(QFileInfo(to).lastModified().date(), QDate(1987, 6, 5));
        } else {
            QCOMPARE(testsupport::readFile(source), content());
            QCOMPARE(QFileInfo::exists(to), targetExists);
            if (targetExists)
                QCOMPARE(testsupport::readFile(to), QByteArray("old"));
        }
        disk.freeAll();
        if (target != "home") // no copy left behind, not even under a temporary name
            QCOMPARE(disk.entries(), result.ok || targetExists ? QStringList{kName} : QStringList{});
    }

    // A save removes what killed saves left in its folder: only files of its own pattern, older than the program.
    void saveRemovesWhatKilledSavesLeft()
    {
        QTemporaryDir dir;
        const QStringList kept{".vintrax-move-Q1w2E3", ".vtrx-save-aB3dE9.d64", ".vtrx-save-n3wOne", "Vintrax.ini",
                               "Vintrax.ini.backup"}; // the third is being written now
        for (const QString& name : kept + QStringList{".vtrx-save-aB3dE9"}) {
            QFile file(dir.filePath(name));
            QVERIFY(testsupport::writeFile(file.fileName(), "partial") && file.open(QIODevice::ReadWrite));
            QVERIFY(name == kept[2] ||
                    file.setFileTime(QDateTime(QDate(2020, 1, 1), QTime()), QFileDevice::FileModificationTime));
        }
        QVERIFY(platform::saveFile(dir.filePath("Vintrax.ini"), "[Startup]\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), kept);
    }

    // A move to another file system killed at random moments: the file is whole in one place or in both (the copy
    // was complete before the source went), never torn or missing. The partial copy a killed move leaves is removed
    // by the next move into its folder (they used to pile up, one per kill).
    void killedMoveLeavesTheFileWhole()
    {
        QTemporaryDir home;
        SmallDisk disk;
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString a = home.filePath(kName);
        const QString b = disk.filePath(kName);
        QVERIFY(testsupport::writeFile(a, content()));
        const auto [kills, seed] = testsupport::killPlan();
        QRandomGenerator random(seed);
        for (int k = 0; k < kills; ++k) {
            QString why;
            QVERIFY2(testsupport::runAndKill(writerprobe::probePath(), {"move-loop", a, b}, random, 150000, &why),
                     qPrintable(why));
            const QString where = QStringLiteral("seed %1, kill %2").arg(seed).arg(k);
            QVERIFY2(QFileInfo::exists(a) || QFileInfo::exists(b), qPrintable(where + ": the file is gone"));
            for (const QString& at : {a, b})
                QVERIFY2(!QFileInfo::exists(at) || testsupport::readFile(at) == content(),
                         qPrintable(where + ": torn at " + at));
            if (QFileInfo::exists(a))
                QFile::remove(b);
            else
                QVERIFY(platform::moveFile(b, a).ok);
        }
        // A run that starts after the kills has moved into both folders once it says "ready": what stays then is at
        // most the one copy its own kill leaves.
        QThread::msleep(50);
        QString why;
        QVERIFY2(testsupport::runAndKill(writerprobe::probePath(), {"move-loop", a, b}, random, 150000, &why),
                 qPrintable(why));
        const QStringList partial = QDir(home.path()).entryList({".vintrax-move-*"}, QDir::Files | QDir::Hidden) +
                                    QDir(disk.path()).entryList({".vintrax-move-*"}, QDir::Files | QDir::Hidden);
        QVERIFY2(partial.size() <= 1, qPrintable(partial.join(", ")));
    }

    void renameAndDelete()
    {
        QTemporaryDir home;
        const QString file = home.filePath(kName);
        QVERIFY(testsupport::writeFile(file, "game") && testsupport::writeFile(home.filePath("Other.d64"), "other"));

        QCOMPARE(platform::renameFile(file, home.filePath("Other.d64")).reason, "File exists");
        {
            ReadOnlyFolder locked(home.path());
            QVERIFY2(locked.isValid(), qPrintable(locked.whyNot()));
            QCOMPARE(platform::renameFile(file, home.filePath("New name.d64")).reason, "Read-only file system");
            QCOMPARE(platform::deleteFile(file).reason, "Read-only file system");
        }
        QCOMPARE(testsupport::readFile(file), QByteArray("game"));
        QCOMPARE(testsupport::readFile(home.filePath("Other.d64")), QByteArray("other"));

        QVERIFY(platform::renameFile(file, home.filePath("Ève 2.d64")).ok);
        QCOMPARE(testsupport::readFile(home.filePath("Ève 2.d64")), QByteArray("game"));
        QVERIFY(platform::deleteFile(home.filePath("Ève 2.d64")).ok);
        QCOMPARE(QDir(home.path()).entryList(QDir::Files), QStringList{"Other.d64"});
    }
};

QTEST_GUILESS_MAIN(TestFileOperations)
#include "TestFileOperations.moc"
