// The dialog that renames a ZIP after the game file it should start, and the converter that opens it.
#include "ArchiveFixtures.h"
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "files/ArchiveRename.h"
#include "files/gui/frmRenameArchive.h"
#include "launch/clsC64Game.h"
#include "platform/ScriptedMessageBox.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace testsupport;

namespace {

void click(QWidget* dialog, const char* name)
{
    auto* b = dialog->findChild<QPushButton*>(name);
    QVERIFY(b);
    b->click();
}

} // namespace

class TestRenameArchive : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void newNameTakesTheArchiveEnding();
    void refusalsKeepTheDialogOpen();
    void converterUsesTheDialog();

private:
    QTemporaryDir* m_dir = nullptr;
    ArchiveHandover m_h;
};

void TestRenameArchive::init()
{
    m_dir = new QTemporaryDir;
    const QString work = m_dir->filePath("CURRGAME");
    for (const char* f : {"B.D64", "a.t64", "NOTES.TXT", "C.PRG"})
        QVERIFY(writeFile(work + "/" + f, "x"));
    QVERIFY(writeFile(m_dir->filePath("Games/GAMES.ZIP"), "zip"));
    m_h = {work, m_dir->filePath("Games"), "GAMES.ZIP", true};
}

void TestRenameArchive::cleanup()
{
    if (QWidget* w = QApplication::activeModalWidget())
        w->close();
    delete m_dir;
}

void TestRenameArchive::newNameTakesTheArchiveEnding()
{
    QCOMPARE(files::renamedArchiveName("ELITE.D64", "GAMES.ZIP"), QStringLiteral("ELITE.ZIP"));
    QCOMPARE(files::renamedArchiveName("my.game.prg", "x.lzh"), QStringLiteral("my.game.lzh"));
    QCOMPARE(files::renamedArchiveName("NODOT", "GAMES.LHA"), QStringLiteral("NODOT.LHA"));
    QCOMPARE(files::archiveRenameCandidates(m_h.ArchiveWorkFolder), QStringList({"a.t64", "B.D64", "C.PRG"}));
}

void TestRenameArchive::refusalsKeepTheDialogOpen()
{
    QVERIFY(writeFile(m_dir->filePath("Games/c.zip"), "someone else's")); // exists in other letter case
    platform::ScriptedMessageBox messages;
    whenModal([](QWidget* d) {
        click(d, "cmdRename");                                    // nothing chosen
        d->findChild<QListWidget*>("lstFiles")->setCurrentRow(2); // C.PRG -> C.ZIP, taken
        click(d, "cmdRename");
        QVERIFY(d->isVisible());
        click(d, "cmdCancel");
    });
    frmRenameArchive dialog(m_h);
    QCOMPARE(dialog.exec(), int(QDialog::Rejected));
    QCOMPARE(messages.texts(),
             QStringList({"No File Selected!", "The Selected file already exists in the current Directory!"}));
    QVERIFY(m_h.ArchiveRenameCancelled);
    QCOMPARE(m_h.ArchiveName, QStringLiteral("GAMES.ZIP"));
    QCOMPARE(readFile(m_dir->filePath("Games/c.zip")), QByteArray("someone else's"));
    QVERIFY(QFile::exists(m_dir->filePath("Games/GAMES.ZIP")));
}

void TestRenameArchive::converterUsesTheDialog()
{
    TempProgramFolder home;
    const QString games = home.file("Games");
    QVERIFY(QDir().mkpath(games));
    QVERIFY(zipWithTool(games + "/PACK.ZIP", {{"ONE.D64", "1"}, {"TWO.D64", "2"}}));
    clsC64Game game(home.path());
    useArchiveRenameDialog(game, nullptr);
    platform::ScriptedMessageBox messages;
    whenModal([](QWidget* d) {
        auto* list = d->findChild<QListWidget*>("lstFiles");
        QCOMPARE(list->count(), 2);
        list->setCurrentRow(1);
        click(d, "cmdRename");
    });
    const ConversionResult r = game.ConvertZip(games, "PACK.ZIP", home.file("CURRGAME"));
    QVERIFY(r.ok);
    QVERIFY(r.imagePath.isEmpty());
    QVERIFY(r.report.startsWith("TWO.ZIP...\r\n"));
    QVERIFY(QFile::exists(games + "/TWO.ZIP") && !QFile::exists(games + "/PACK.ZIP"));
    QCOMPARE(messages.count(), 0);
    QCOMPARE(game.ConvertZip(games, "TWO.ZIP", home.file("CURRGAME")).imagePath, home.file("CURRGAME/TWO.D64"));
}

QTEST_MAIN(TestRenameArchive)
#include "TestRenameArchive.moc"
