// The dialog that renames an archive after the game file it should start: the names it offers and makes, and the
// refusals that keep it open. The converter opening it from the play button is the play window test's.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "files/ArchiveRename.h"
#include "files/gui/frmRenameArchive.h"
#include "launch/clsC64Game.h"
#include "platform/ScriptedMessageBox.h"

#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace testsupport;

class TestRenameArchive : public QObject
{
    Q_OBJECT

private slots:
    void refusalsKeepTheDialogOpen()
    {
        // The new name takes the archive's ending.
        for (const auto& [file, archive, renamed] : {std::tuple{"ELITE.D64", "GAMES.ZIP", "ELITE.ZIP"},
                                                     {"my.game.prg", "x.lzh", "my.game.lzh"},
                                                     {"NODOT", "GAMES.LHA", "NODOT.LHA"}})
            QCOMPARE(files::renamedArchiveName(file, archive), QString(renamed));
        QTemporaryDir dir;
        const QString work = dir.filePath("CURRGAME");
        for (const char* f : {"B.D64", "a.t64", "NOTES.TXT", "C.PRG"})
            QVERIFY(writeFile(work + "/" + f, "x"));
        QVERIFY(writeFile(dir.filePath("Games/GAMES.ZIP"), "zip"));
        QVERIFY(writeFile(dir.filePath("Games/c.zip"), "someone else's")); // exists in other letter case
        ArchiveHandover h{work, dir.filePath("Games"), "GAMES.ZIP", true}; // the converter's "cancelled" until renamed
        platform::ScriptedMessageBox messages;
        QStringList offered;
        whenModal([&offered](QWidget* d) {
            auto* list = d->findChild<QListWidget*>("lstFiles");
            for (int i = 0; i < list->count(); ++i)
                offered << list->item(i)->text();
            d->findChild<QPushButton*>("cmdRename")->click(); // nothing chosen
            list->setCurrentRow(2);                           // C.PRG -> C.ZIP, taken
            d->findChild<QPushButton*>("cmdRename")->click();
            QVERIFY(d->isVisible());
            d->findChild<QPushButton*>("cmdCancel")->click();
        });
        frmRenameArchive dialog(h);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(offered, QStringList({"a.t64", "B.D64", "C.PRG"}));
        QCOMPARE(messages.texts(),
                 QStringList({"No File Selected!", "The Selected file already exists in the current Directory!"}));
        QVERIFY(h.ArchiveRenameCancelled);
        QCOMPARE(h.ArchiveName, QStringLiteral("GAMES.ZIP"));
        QCOMPARE(readFile(dir.filePath("Games/c.zip")), QByteArray("someone else's"));
        QVERIFY(QFile::exists(dir.filePath("Games/GAMES.ZIP")));
    }
};

QTEST_MAIN(TestRenameArchive)
#include "TestRenameArchive.moc"
