// The dialogs with a folder list, offscreen on real folders. Each list of its own (the browse dialog's serves the
// document and screenshot dialogs too), opened on a deep folder and a 204-character name: the long text is elided,
// whole in its tool tip, and the dialog stays within the screen (it grew past it); Return on ".." and on a folder opens
// it and stores nothing (it closed through OK and stored "(None)", or moved the file at once); Return on a file takes
// it. The generic browse dialog: the lists it shows for a folder and a pattern, where it opens, what OK hands back (the
// move dialog's choice and a taken name: the game file dialog test).

#include "CatalogueFixtures.h"
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "appstate/AppState.h"
#include "data/Schema.h"
#include "files/FolderLists.h"
#include "files/gui/frmVTRXBrowse.h"
#include "files/gui/frmVTRXGameFile.h"
#include "files/gui/frmVTRXMoveFile.h"
#include "music/gui/frmVTRXSidFile.h"
#include "platform/ScriptedMessageBox.h"
#include "platform/gui/ElidedText.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>
#include <QScreen>
#include <QTest>

using namespace files;
using testsupport::clickLine;

static const QString kLong = "Galactic Garden Ünï " + QString(177, 'x') + "end."; // 204 characters with "d64"

class TestFolderDialogs : public QObject
{
    Q_OBJECT

    testsupport::TempProgramFolder m_home;
    int m_goToDir = 0;

    QString path(const QString& relative) const { return m_home.file("Browse/" + relative); }
    std::unique_ptr<frmVTRXBrowse> open(int mode, const QString& start, const QString& pattern,
                                        const QString& select = {})
    {
        auto d =
            std::make_unique<frmVTRXBrowse>(app::BrowseRequest{"Select...", start, select, pattern, mode}, path("Emu"));
        d->show();
        return d;
    }
    template <typename T = QListWidget> static T* control(QWidget* d, const char* name)
    {
        return d->findChild<T*>(name);
    }

private slots:
    void initTestCase()
    {
        for (const QString tree : {"Games/Sub/", "Music/Sub/"})
            for (const QString& file : {kLong + "/" + kLong, QString("Deeper/Other.")})
                QVERIFY(testsupport::writeFile(m_home.file(tree + file + (tree[0] == 'M' ? "sid" : "d64")), "x"));
        QVERIFY(catalogue::createCatalogue(m_home.file("Vintrax.mdb")));
        testsupport::sqliteShell(m_home.file("Vintrax.mdb"), "INSERT INTO Games (Name, Filename) VALUES ('Elite', 'Sub\\" +
                                                                 kLong + "\\" + kLong + "d64')");
        // The browse dialog's own tree: a program with an execute bit and no ending, a Wine prefix (hidden).
        for (const char* f : {"Emu/CCS64.EXE", "Emu/readme.txt", "Games/ELITE.D64", "Games/Blast/PARADROID.ZIP"})
            QVERIFY(testsupport::writeFile(path(f), "x"));
        QVERIFY(testsupport::writeFile(path("Emu/ccs"), "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(path("Emu/ccs"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QVERIFY(QDir().mkpath(path("Emu/.wine/drive_c")) && QDir().mkpath(path("Emu/Sub")));
    }

    void returnAndLongNames_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"game", "sid", "move", "browse"}) // the game file first; the document and screenshot
                                                                   // dialogs share the browse dialog's lists
            QTest::addRow("%s", kind) << kind;
    }
    void returnAndLongNames()
    {
        QFETCH(QString, kind);
        app::AppState state(platform::Folders::inProgramFolder(m_home.path()));
        QVERIFY(state.catalogue.open(m_home.file("Vintrax.mdb")).ok());
        state.catalogueOpened();
        QVERIFY(state.currentGame.selectByName("Elite"));
        const QString ending = kind == "sid" ? "sid" : "d64";
        const QString tree = m_home.file(kind == "sid" ? "Music/Sub" : "Games/Sub");
        const QString deep = tree + '/' + kLong;
        state.settings.GamesPath = {m_home.file("Games"), deep, "", "", ""}; // the Paths menu shows them
        state.settings.MusicPath = m_home.file("Music");
        std::unique_ptr<QDialog> d;
        if (kind == "game")
            d = std::make_unique<frmVTRXGameFile>(state, "Game", false);
        else if (kind == "sid")
            d = std::make_unique<frmVTRXSidFile>(state, "Tune", "Sub\\" + kLong + "\\" + kLong + "sid", false);
        else if (kind == "move")
            d = std::make_unique<frmVTRXMoveFile>(deep, deep, kLong + "d64", nullptr, m_goToDir);
        else
            d = std::make_unique<frmVTRXBrowse>(app::BrowseRequest{"Browse", deep, {}, "*.*", 0}, m_home.path());
        d->show();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QVERIFY(d->frameGeometry().width() <= d->screen()->availableGeometry().width());
        const QMap<QString, QString> names{{"game", "lblFilename"}, {"sid", "lblName"}, {"move", "lblFileToMove"}};
        const QLabel* shown = d->findChild<QLabel*>(names.value(kind, "lblFolder"));
        QCOMPARE(shown->toolTip(), names.contains(kind) ? kLong + ending : deep);
        QVERIFY2(shown->text().contains(QChar(0x2026)), qPrintable(shown->text()));
        QVERIFY(kind != "game" || d->findChild<QAction*>("mnuPaths(1)")->text().contains(QChar(0x2026)));

        auto* folders = d->findChild<QListWidget*>("DirBox");
        for (const QString line : {"..", "Deeper"}) {
            folders->setCurrentItem(folders->findItems(line, Qt::MatchExactly).value(0));
            QTest::keyClick(folders, Qt::Key_Return);
            QVERIFY2(d->isVisible() && d->result() == 0, qPrintable(line));
        }
        const QString folder = platform::wholeText(d->findChild<QLabel*>(kind == "move" ? "lblDest" : "lblFolder"));
        QVERIFY2(folder.endsWith(tree + "/Deeper"), qPrintable(folder));
        if (kind != "game" && kind != "sid")
            return;
        auto* files = d->findChild<QListWidget*>("FileBox");
        files->setCurrentItem(files->item(0));
        QTest::keyClick(files, Qt::Key_Return);
        QCOMPARE(kind == "game" ? static_cast<frmVTRXGameFile*>(d.get())->choice().file
                                : static_cast<frmVTRXSidFile*>(d.get())->chosenTune(),
                 "Sub\\Deeper\\Other." + ending);
    }

    void browseListsOfAFolderAndWhereItOpens()
    {
        // Patterns match in any letter case, with blanks after ";"; "*.*" takes names without a dot, no pattern all.
        // clang-format off
        for (const auto& [pattern, name, matches] : {std::tuple{"*.d64;*.t64", "notes.txt", false},
                                                     {"*.dat; *.sid", "Commando.SID", true},
                                                     {"*.*", "NOENDING", true},
                                                     {"", "anything", true},
                                                     {"*.exe", "ccs", false}})
            QVERIFY2(matchesPatterns(name, patternList(pattern)) == matches, name);
        // clang-format on
        // "*.exe" lists programs: the files with an execute bit too.
        QCOMPARE(fileEntries(path("Emu"), patternList("*.exe")), QStringList({"ccs", "CCS64.EXE"}));
        // Hidden folders are left out, as the desktop's file dialogs leave them out.
        QCOMPARE(folderEntries(path("Emu")), QStringList({"..", "Sub"}));
        QVERIFY(!folderEntries(QStringLiteral("/")).contains(".."));
        QCOMPARE(existingFolderFor(path("Games/Gone/Deeper"), "/fallback"), path("Games"));
        QCOMPARE(existingFolderFor(path("GAMES/blast"), "/fallback"), path("Games/Blast"));
        QCOMPARE(existingFolderFor("C:\\GAMES\\C64", "/fallback"), QStringLiteral("/fallback"));
        auto d = open(0, QString(), "*.*");
        QCOMPARE(control<QLabel>(d.get(), "lblFolder")->text(), path("Emu")); // the program folder
        auto* drives = control<QComboBox>(d.get(), "DriveBox");
        QCOMPARE(drives->currentText(), driveOf(path("Emu")));
        emit drives->activated(0);
        QCOMPARE(control<QLabel>(d.get(), "lblFolder")->text(), QStringLiteral("/"));
    }

    // A double click on a file takes it at once (the preferences test browses so); OK waits for a chosen file.
    void browseFileModeWaitsForAFileAfterAFolderChange()
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
};

QTEST_MAIN(TestFolderDialogs)
#include "TestFolderDialogs.moc"
