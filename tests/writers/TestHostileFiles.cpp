// A FIFO or a huge file where a tune, an image, a screen dump or C64.CFG should be: every reader refuses at
// once with its reason. A FIFO named like a tune blocked the start-song rewrite and its dialog for ever; a C64.CFG of
// 4 million blank lines took seconds and hundreds of MB in the bridge tool.
#include "TestFolders.h"
#include "ToolRunner.h"
#include "c64/CcsScreenshot.h"
#include "c64/ImageListing.h"
#include "c64/SidHeader.h"
#include "launch/EmulatorConfig.h"
#include "platform/ScriptedMessageBox.h"

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
        QTest::addColumn<QString>("kind"); // "fifo" or "huge" (8 MB of line ends)
        QTest::addColumn<QString>("told"); // the reason given
        const QString fifo = "it is not a regular file", huge = "it is larger than 262144 bytes";
        // clang-format off
        for (const char* reader : {"start song", "listing", "crop", "config", "bridge tool"})
            QTest::addRow("%s, FIFO", reader) << reader << "fifo" << fifo;
        QTest::addRow("tune header, FIFO") << "tune header" << "fifo" << "";
        QTest::addRow("C64.CFG, 4 million blank lines") << "config" << "huge" << huge;
        QTest::addRow("bridge tool, 4 million blank lines") << "bridge tool" << "huge" << huge;
        // clang-format on
    }
    void readersRefuseAtOnce()
    {
        QFETCH(QString, reader);
        QFETCH(QString, kind);
        QFETCH(QString, told);
        QTemporaryDir dir;
        const QString path = dir.filePath("game.d64"); // the listing goes by the ending
        QVERIFY(kind == "fifo" ? ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0
                               : testsupport::writeFile(path, QByteArray(8 << 20, '\n')));
        ::alarm(10); // a reader that waits for the FIFO ends the test here
        platform::ScriptedMessageBox box;
        QString said, name, author, copyright;
        int start = 0, songs = 0;
        bool refused = false;
        if (reader == "tune header") {
            refused = !c64::ReadSidHeader(path, name, author, copyright, start, songs);
        } else if (reader == "start song") {
            const c64::SidWriteOutcome r = c64::WriteSidStartSong(path, 2);
            refused = r.result == c64::SidWriteResult::NotFound;
            said = c64::sidWriteFailureMessage(path, r);
        } else if (reader == "listing") {
            said = c64::listImage(path).problem;
            refused = !said.isEmpty();
        } else if (reader == "crop") {
            said = c64::CropScreenshot(path, dir.filePath("out.bmp")).error;
            refused = !said.isEmpty() && !c64::IsCcs64Screenshot(path);
        } else if (reader == "config") {
            refused =
                launch::WriteEmulatorConfig(path, {1, 0, 2, 3}, "C:\\A", true) == launch::ConfigWriteResult::NotWritten;
            said = box.texts().join('\n');
        } else {
            const auto r = tooltest::runTool("vintrax-bridgetool", {"loadpath", path, "X:\\"}, dir.path());
            refused = tooltest::isCleanFailure(r, "vintrax-bridgetool", &said);
            said = QString::fromUtf8(r.err);
        }
        ::alarm(0);
        QVERIFY2(refused && said.contains(told), qPrintable(said));
        QCOMPARE(tooltest::entries(dir.path()), QStringList{"game.d64"}); // nothing made beside it
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "TestHostileFiles.moc"
