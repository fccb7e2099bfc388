// The generic browse dialog: the lists it shows for a folder and a pattern, where it opens, and what OK,
// "(None)" and Cancel hand back to its caller.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "appstate/AppState.h"
#include "files/FolderLists.h"
#include "files/gui/frmVTRXBrowse.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace files;
using testsupport::clickLine;

class TestBrowseDialog : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        for (const char* f : {"Emu/CCS64.EXE", "Emu/readme.txt", "Games/ELITE.D64", "Games/Blast/PARADROID.ZIP"})
            QVERIFY(testsupport::writeFile(path(f), "x"));
        QVERIFY(testsupport::writeFile(path("Emu/ccs"), "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(path("Emu/ccs"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(path("Emu/.wine/drive_c")) && QDir().mkpath(path("Emu/Sub")));
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("matches");
        QTest::newRow("d64 in capitals") << QString("*.d64;*.t64") << QString("ELITE.D64") << true;
        QTest::newRow("second pattern") << QString("*.d64;*.t64") << QString("uridium.T64") << true;
        QTest::newRow("neither") << QString("*.d64;*.t64") << QString("notes.txt") << false;
        QTest::newRow("blank after ;") << QString("*.dat; *.sid") << QString("Commando.SID") << true;
        QTest::newRow("*.* without dot") << QString("*.*") << QString("NOENDING") << true;
        QTest::newRow("no pattern") << QString("") << QString("anything") << true;
        QTest::newRow("program by name only") << QString("*.exe") << QString("ccs") << false;
    }

    void patterns()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, name);
        QFETCH(bool, matches);
        QCOMPARE(matchesPatterns(name, patternList(pattern)), matches);
    }

    void listsOfAFolderAndWhereItOpens()
    {
        // "*.exe" lists programs: the files with an execute bit too.
        QCOMPARE(fileEntries(path("Emu"), patternList("*.exe")), QStringList({"ccs", "CCS64.EXE"}));
        QCOMPARE(fileEntries(path("Emu"), patternList("*.txt")), QStringList{"readme.txt"});
        // Hidden folders are left out, as the desktop's file dialogs leave them out.
        QCOMPARE(folderEntries(path("Emu")), QStringList({"..", "Sub"}));
        QVERIFY(!folderEntries(QStringLiteral("/")).contains(".."));
        QCOMPARE(existingFolderFor(path("Games/Gone/Deeper"), "/fallback"), path("Games"));
        QCOMPARE(existingFolderFor(path("GAMES/blast"), "/fallback"), path("Games/Blast"));
        QCOMPARE(existingFolderFor("C:\\GAMES\\C64", "/fallback"), QStringLiteral("/fallback"));
        auto d = open(0, QString(), "*.*");
        QCOMPARE(control<QLabel>(d.get(), "lblFolder")->text(), path("Emu")); // the program folder
        QCOMPARE(d->windowTitle(), QStringLiteral("Select..."));
        auto* drives = control<QComboBox>(d.get(), "DriveBox");
        QCOMPARE(drives->currentText(), driveOf(path("Emu")));
        emit drives->activated(0);
        QCOMPARE(control<QLabel>(d.get(), "lblFolder")->text(), QStringLiteral("/"));
    }

    // A double click on a file takes it at once (the preferences test browses so); OK waits for a chosen file.
    void fileModeWaitsForAFileAfterAFolderChange()
    {
        QVERIFY(!control<QPushButton>(open(3, path("Emu"), "*.exe", "x64.exe").get(), "cmdOK")->isEnabled());
        auto d = open(3, path("Emu"), "*.exe", "ccs64.exe");
        auto* ok = control<QPushButton>(d.get(), "cmdOK");
        QCOMPARE(control(d.get(), "FileBox")->currentItem()->text(), QStringLiteral("CCS64.EXE"));
        QVERIFY(ok->isEnabled());
        // Ctrl+H shows hidden folders (a Wine prefix is where Windows emulators live); the program stays chosen.
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QTest::keyClick(d.get(), Qt::Key_H, Qt::ControlModifier);
        QVERIFY(control(d.get(), "DirBox")->findItems(".wine", Qt::MatchExactly).size() == 1 && ok->isEnabled());
        QVERIFY(clickLine(control(d.get(), "DirBox"), "Sub", true) && !ok->isEnabled());
        QVERIFY(clickLine(control(d.get(), "DirBox"), "..", true) && !ok->isEnabled());
        ok->click(); // does nothing
        QVERIFY(d->isVisible());
        QVERIFY(clickLine(control(d.get(), "FileBox"), "ccs") && ok->isEnabled());
        ok->click();
        QCOMPARE(d->result(), int(QDialog::Accepted));
        QCOMPARE(d->chosenPath(), path("Emu/ccs"));
    }

    void folderModeTakesTheFolderAfterAFolderChange()
    {
        // No file of the pattern here: a folder of sub-folders only can still be chosen.
        auto d = open(0, path("Games/Blast"), "*.dat; *.sid");
        QVERIFY(clickLine(control(d.get(), "DirBox"), "..", true));
        QVERIFY(control<QPushButton>(d.get(), "cmdOK")->isEnabled());
    }
    void noneEmptiesAndCancelIsMarked()
    {
        auto d = open(0, path("Games"), "*.*");
        control<QPushButton>(d.get(), "cmdNone")->click();
        QVERIFY(d->result() == QDialog::Accepted && d->chosenPath().isEmpty());
        d = open(0, path("Games"), "*.*");
        QVERIFY(clickLine(control(d.get(), "DirBox"), "Blast", true));
        control<QPushButton>(d.get(), "cmdCancel")->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        d = open(3, path("Emu"), "*.exe", "CCS64.EXE");
        d->close(); // closing the window is a Cancel too
        QCOMPARE(d->result(), int(QDialog::Rejected));
    }

private:
    QString path(const QString& relative) const { return m_dir->filePath(relative); }
    std::unique_ptr<frmVTRXBrowse> open(int mode, const QString& start, const QString& pattern,
                                        const QString& select = {})
    {
        auto d =
            std::make_unique<frmVTRXBrowse>(app::BrowseRequest{"Select...", start, select, pattern, mode}, path("Emu"));
        d->show();
        return d;
    }
    template <typename T = QListWidget> T* control(QWidget* d, const char* name) { return d->findChild<T*>(name); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_MAIN(TestBrowseDialog)
#include "TestBrowseDialog.moc"
