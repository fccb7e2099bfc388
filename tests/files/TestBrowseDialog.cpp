// The generic browse dialog: the lists it shows for a folder and a pattern, where it opens, and what OK,
// "(None)" and Cancel hand back to its caller.
#include "TestFolders.h"
#include "app/AppState.h"
#include "files/BrowseSession.h"
#include "files/FolderLists.h"
#include "files/gui/frmVTRXBrowse.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace files;

namespace {

void doubleClick(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

void clickItem(QListWidget* list, const QString& text)
{
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
}

QStringList texts(const QListWidget* list)
{
    QStringList t;
    for (int i = 0; i < list->count(); ++i)
        t << list->item(i)->text();
    return t;
}

} // namespace

class TestBrowseDialog : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void patterns_data();
    void patterns();
    void programsAreFilesWithAnExecuteBit();
    void folderListGoesUpExceptAtTheRoot();
    void opensAtTheNearestFolderThatIsThere();
    void fileModeWaitsForAFileAfterAFolderChange();
    void folderModeTakesTheFolderAfterAFolderChange();
    void noneEmptiesAndCancelIsMarked();
    void drivesHoldTheFoldersOwnDrive();

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    std::unique_ptr<frmVTRXBrowse> open(int mode, const QString& start, const QString& pattern,
                                        const QString& select = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    app::DialogHandover m_handover;
};

void TestBrowseDialog::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const char* f : {"Emu/CCS64.EXE", "Emu/readme.txt", "Games/ELITE.D64", "Games/uridium.t64", "Games/notes.txt",
                          "Games/Blast/PARADROID.ZIP"})
        QVERIFY(testsupport::writeFile(path(f), "x"));
    QVERIFY(testsupport::writeFile(path("Emu/ccs"), "#!/bin/sh\n"));
    QVERIFY(QFile::setPermissions(path("Emu/ccs"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(QDir().mkpath(path("Emu/.wine/drive_c")) && QDir().mkpath(path("Emu/Sub")));
    m_handover = {};
}

std::unique_ptr<frmVTRXBrowse> TestBrowseDialog::open(int mode, const QString& start, const QString& pattern,
                                                      const QString& select)
{
    m_handover.DialogPrompt = QStringLiteral("Select...");
    m_handover.browse.BrowsePath = start;
    m_handover.browse.BrowsePattern = pattern;
    m_handover.browse.BrowseSelectName = select;
    m_handover.browse.BrowseMode = mode;
    m_handover.browse.BrowseCancelled = false;
    auto d = std::make_unique<frmVTRXBrowse>(m_handover, path("Emu"));
    d->show();
    return d;
}

void TestBrowseDialog::patterns_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("matches");
    QTest::newRow("d64 in capitals") << "*.d64;*.t64"
                                     << "ELITE.D64" << true;
    QTest::newRow("second pattern") << "*.d64;*.t64"
                                    << "uridium.T64" << true;
    QTest::newRow("neither") << "*.d64;*.t64"
                             << "notes.txt" << false;
    QTest::newRow("blank after ;") << "*.dat; *.sid"
                                   << "Commando.SID" << true;
    QTest::newRow("ending only") << "*.dat; *.sid"
                                 << "sid" << false;
    QTest::newRow("*.* without dot") << "*.*"
                                     << "NOENDING" << true;
    QTest::newRow("no pattern") << ""
                                << "anything" << true;
    QTest::newRow("exe by name") << "*.exe"
                                 << "Ccs.Exe" << true;
    QTest::newRow("program by name only") << "*.exe"
                                          << "ccs" << false;
}

void TestBrowseDialog::patterns()
{
    QFETCH(QString, pattern);
    QFETCH(QString, name);
    QFETCH(bool, matches);
    QCOMPARE(matchesPatterns(name, patternList(pattern)), matches);
}

void TestBrowseDialog::programsAreFilesWithAnExecuteBit()
{
    QCOMPARE(fileEntries(path("Emu"), patternList("*.exe")), QStringList({"ccs", "CCS64.EXE"}));
    QCOMPARE(fileEntries(path("Emu"), patternList("*.txt")), QStringList{"readme.txt"});
    QCOMPARE(fileEntries(path("Games"), patternList("*.d64;*.t64")), QStringList({"ELITE.D64", "uridium.t64"}));
}

void TestBrowseDialog::folderListGoesUpExceptAtTheRoot()
{
    // Hidden folders are listed: a Wine prefix is where Windows emulators live.
    QCOMPARE(folderEntries(path("Emu")), QStringList({"..", ".wine", "Sub"}));
    QVERIFY(!folderEntries(QStringLiteral("/")).contains(".."));
    QCOMPARE(folderBelow(path("Emu"), ".."), m_dir->path());
    QCOMPARE(folderBelow(path("Emu"), "Sub"), path("Emu/Sub"));
}

void TestBrowseDialog::opensAtTheNearestFolderThatIsThere()
{
    QCOMPARE(existingFolderFor(path("Games/Gone/Deeper"), "/fallback"), path("Games"));
    QCOMPARE(existingFolderFor(path("GAMES/blast"), "/fallback"), path("Games/Blast"));
    QCOMPARE(existingFolderFor(QString(), "/fallback"), QStringLiteral("/fallback"));
    QCOMPARE(existingFolderFor("C:\\GAMES\\C64", "/fallback"), QStringLiteral("/fallback"));
    auto d = open(0, QString(), "*.*");
    QCOMPARE(d->findChild<QLabel*>("lblFolder")->text(), path("Emu")); // the program folder
    QCOMPARE(d->windowTitle(), QStringLiteral("Select..."));
}

void TestBrowseDialog::fileModeWaitsForAFileAfterAFolderChange()
{
    auto d = open(3, path("Emu"), "*.exe", "ccs64.exe");
    auto* ok = d->findChild<QPushButton*>("cmdOK");
    auto* files = d->findChild<QListWidget*>("FileBox");
    QCOMPARE(files->currentItem()->text(), QStringLiteral("CCS64.EXE"));
    QVERIFY(ok->isEnabled());
    doubleClick(d->findChild<QListWidget*>("DirBox"), "Sub");
    QVERIFY(!ok->isEnabled());
    ok->click(); // does nothing
    QVERIFY(d->isVisible());
    doubleClick(d->findChild<QListWidget*>("DirBox"), "..");
    QVERIFY(!ok->isEnabled());
    clickItem(files, "ccs");
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(m_handover.browse.BrowsePath, path("Emu/ccs"));
    QVERIFY(!m_handover.browse.BrowseCancelled);

    // A name to preselect that is not there leaves OK disabled; a double click takes a file at once.
    d = open(3, path("Emu"), "*.exe", "x64.exe");
    QVERIFY(!d->findChild<QPushButton*>("cmdOK")->isEnabled());
    doubleClick(d->findChild<QListWidget*>("FileBox"), "CCS64.EXE");
    QCOMPARE(d->result(), int(QDialog::Accepted));
    QCOMPARE(m_handover.browse.BrowsePath, path("Emu/CCS64.EXE"));
}

void TestBrowseDialog::folderModeTakesTheFolderAfterAFolderChange()
{
    // The folder holds no file of the pattern: a games folder of sub-folders only can still be chosen.
    auto d = open(0, path("Games/Blast"), "*.dat; *.sid");
    auto* ok = d->findChild<QPushButton*>("cmdOK");
    QVERIFY(ok->isEnabled());
    QVERIFY(d->findChild<QListWidget*>("FileBox")->count() == 0);
    doubleClick(d->findChild<QListWidget*>("DirBox"), "..");
    QVERIFY(ok->isEnabled());
    QCOMPARE(texts(d->findChild<QListWidget*>("FileBox")), QStringList());
    ok->click();
    QCOMPARE(m_handover.browse.BrowsePath, path("Games"));
}

void TestBrowseDialog::noneEmptiesAndCancelIsMarked()
{
    auto d = open(0, path("Games"), "*.*");
    d->findChild<QPushButton*>("cmdNone")->click();
    QCOMPARE(m_handover.browse.BrowsePath, QString());
    QVERIFY(!m_handover.browse.BrowseCancelled);

    d = open(0, path("Games"), "*.*");
    doubleClick(d->findChild<QListWidget*>("DirBox"), "Blast");
    d->findChild<QPushButton*>("cmdCancel")->click();
    QVERIFY(m_handover.browse.BrowseCancelled);
    QCOMPARE(m_handover.browse.BrowsePath, path("Games"));

    // Closing the window is a Cancel too.
    d = open(3, path("Emu"), "*.exe", "CCS64.EXE");
    d->close();
    QVERIFY(m_handover.browse.BrowseCancelled);
    QCOMPARE(m_handover.browse.BrowsePath, path("Emu"));
}

void TestBrowseDialog::drivesHoldTheFoldersOwnDrive()
{
    QCOMPARE(driveRoots().first(), QStringLiteral("/"));
    for (const QString& root : driveRoots())
        QVERIFY2(!root.startsWith("/proc") && !root.startsWith("/sys"), qPrintable(root));
    auto d = open(0, path("Games"), "*.*");
    auto* drives = d->findChild<QComboBox*>("DriveBox");
    QCOMPARE(drives->currentText(), driveOf(path("Games")));
    // Choosing the root drive shows the root folder.
    drives->setCurrentIndex(0);
    emit drives->activated(0);
    QCOMPARE(d->findChild<QLabel*>("lblFolder")->text(), QStringLiteral("/"));
    QVERIFY(d->findChild<QPushButton*>("cmdOK")->isEnabled());
}

QTEST_MAIN(TestBrowseDialog)
#include "TestBrowseDialog.moc"
