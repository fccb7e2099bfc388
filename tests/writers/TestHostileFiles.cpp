// A FIFO, a device or a huge file where a tune, an image, a screen dump or C64.CFG should be: every reader refuses
// at once with its reason and leaves the thing as it is. A FIFO named like a tune used to block the start-song rewrite
// and its dialog for ever; a C64.CFG of 4 million blank lines took seconds and hundreds of MB in the bridge tool.
#include "TestFolders.h"
#include "ToolRunner.h"
#include "c64/CcsScreenshot.h"
#include "c64/ImageListing.h"
#include "c64/SidHeader.h"
#include "launch/EmulatorConfig.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

class TestHostileFiles : public QObject
{
    Q_OBJECT

private slots:
    void readersRefuseAtOnce_data()
    {
        QTest::addColumn<QString>("reader");
        QTest::addColumn<QString>("kind");   // "fifo", "device" (a link to /dev/zero) or "huge" (8 MB of line ends)
        QTest::addColumn<QString>("reason"); // what the refusal says; "" where the reader gives no reason
        const QString fifo = "it is not a regular file", huge = "it is larger than 262144 bytes";
        // clang-format off
        QTest::addRow("tune header, FIFO") << "tune header" << "fifo" << "";
        QTest::addRow("start song, FIFO") << "start song" << "fifo" << fifo;
        QTest::addRow("start song, device") << "start song" << "device" << fifo;
        QTest::addRow("image listing, FIFO") << "listing" << "fifo" << fifo;
        QTest::addRow("screen dump check, FIFO") << "dump check" << "fifo" << "";
        QTest::addRow("screen dump crop, device") << "crop" << "device" << fifo;
        QTest::addRow("C64.CFG, FIFO") << "config" << "fifo" << fifo;
        QTest::addRow("C64.CFG, 4 million blank lines") << "config" << "huge" << huge;
        QTest::addRow("bridge tool, FIFO") << "bridge tool" << "fifo" << fifo;
        QTest::addRow("bridge tool, 4 million blank lines") << "bridge tool" << "huge" << huge;
        // clang-format on
    }
    void readersRefuseAtOnce()
    {
        QFETCH(QString, reader);
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath(reader == "config" || reader == "bridge tool" ? "C64.CFG"
                                          : reader == "listing"                           ? "game.d64"
                                          : reader.contains("dump") || reader == "crop"   ? "shot.bmp"
                                                                                          : "tune.sid");
        if (kind == "fifo")
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0644) == 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", path));
        else
            QVERIFY(testsupport::writeFile(path, QByteArray(8 * 1024 * 1024, '\n').replace(0, 2, "\r\n")));
        ::alarm(10); // a reader that waits for the FIFO ends the test here
        platform::ScriptedMessageBox box;
        QString told;
        bool refused = false;
        if (reader == "tune header") {
            QString name = "kept", author, copyright;
            int start = 7, songs = 9;
            refused = !c64::ReadSidHeader(path, name, author, copyright, start, songs) && name == "kept" && start == 7;
        } else if (reader == "start song") {
            const c64::SidWriteOutcome r = c64::WriteSidStartSong(path, 2);
            refused = r.result == c64::SidWriteResult::NotFound;
            told = c64::sidWriteFailureMessage(path, r);
        } else if (reader == "listing") {
            const c64::ImageListing listing = c64::listImage(path);
            refused = listing.partial;
            told = listing.problem;
        } else if (reader == "dump check") {
            refused = !c64::IsCcs64Screenshot(path);
        } else if (reader == "crop") {
            const c64::CropOutcome r = c64::CropScreenshot(path, dir.filePath("out.bmp"));
            refused = !r.ok && !QFileInfo::exists(dir.filePath("out.bmp"));
            told = r.error;
        } else if (reader == "config") {
            refused = launch::WriteEmulatorConfig(path, {1, 0, 2, 3}, "C:\\A", true) ==
                      launch::ConfigWriteResult::NotWritten;
            told = box.texts().join('\n');
        } else {
            const testsupport::RunResult r = tooltest::runTool("vintrax-bridgetool", {"loadpath", path, "X:\\"}, dir.path());
            QString why;
            refused = tooltest::isCleanFailure(r, "vintrax-bridgetool", &why);
            told = QString::fromUtf8(r.err);
        }
        ::alarm(0);
        QVERIFY2(refused, qPrintable(told));
        QVERIFY2(told.contains(reason), qPrintable(told));
        const QFileInfo after(path);
        QCOMPARE(after.isSymLink() || (kind == "fifo" && !after.isFile()) || after.size() == 8 * 1024 * 1024, true);
        QCOMPARE(tooltest::entries(dir.path()).size(), 1); // nothing else made
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "TestHostileFiles.moc"
