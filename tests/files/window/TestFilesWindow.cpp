// The game file and document commands in the main window, one wiring case each: the Edit menu, the popup and the
// "Game File:" or "Doc File:" label open the game file or document dialog, whose choice is stored and shown at once;
// View Docs and its popup item hand the document to the desktop.

#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "appstate/AppState.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>

using namespace windowtest;

class TestFilesWindow : public QObject
{
    Q_OBJECT

private slots:
    void chooseGameFile_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addRow("Edit menu") << "mnuEditGameFilename";
        QTest::addRow("popup") << "pmnuEditGameFilename";
        QTest::addRow("Game File label") << "lblGameFile";
    }
    void chooseGameFile()
    {
        QFETCH(QString, command);
        WindowFixture f;
        QMainWindow* w = f.startOn("Astro Miner");
        QVERIFY(w);
        QString caption;
        testsupport::whenModal([&caption](QWidget* dialog) {
            caption = dialog->windowTitle();
            dialog->findChild<QPushButton*>("cmdNone")->click();
            dialog->findChild<QPushButton*>("cmdOK")->click();
        });
        if (command.startsWith("lbl"))
            QTest::mouseClick(control<QLabel>(w, "lblGameFile"), Qt::RightButton);
        else
            action(w, qPrintable(command))->trigger();
        QCOMPARE(caption, "Filename for 'Astro Miner'...");
        QCOMPARE(f.sql("SELECT Filename FROM Games WHERE Name = 'Astro Miner'"), "(None)");
        QCOMPARE(labelText(w, "lblGameFile"), "(None)");
    }

    // The game file dialog the add flow opens through the state: the file chosen for the new game comes back, the
    // catalogue untouched; a Cancel comes back as nothing.
    void newGameFileThroughTheState()
    {
        WindowFixture f;
        QVERIFY(f.startOn("Astro Miner"));
        const QString files = f.sql("SELECT group_concat(Filename || FA || CCode) FROM Games");
        QString caption;
        testsupport::whenModal([&caption](QWidget* dialog) {
            caption = dialog->windowTitle();
            testsupport::clickLine(dialog->findChild<QListWidget*>("DirBox"), "Disks", true);
            testsupport::clickLine(dialog->findChild<QListWidget*>("FileBox"), "astrominer.d64");
            dialog->findChild<QPushButton*>("cmdOK")->click();
        });
        const std::optional<app::GameFileChoice> chosen = f.state().ChooseNewGameFile();
        QVERIFY(chosen && chosen->found);
        QCOMPARE(caption + '|' + chosen->file, "Select Filename for New game...|Disks\\astrominer.d64");
        testsupport::whenModal([](QWidget* dialog) { dialog->findChild<QPushButton*>("cmdCancel")->click(); });
        QVERIFY(!f.state().ChooseNewGameFile());
        QCOMPARE(f.sql("SELECT group_concat(Filename || FA || CCode) FROM Games"), files);
    }

    void chooseDocument_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("none"); // a folder opened (OK waits for a file), then "(None)" chosen
        QTest::addRow("Edit menu") << "mnuEditDocFilename" << false;
        QTest::addRow("popup, (None)") << "pmnuEditDocFilename" << true;
        QTest::addRow("Doc File label") << "lblDocFile" << false;
    }
    void chooseDocument()
    {
        QFETCH(QString, command);
        QFETCH(bool, none);
        WindowFixture f;
        const QString doc = f.programFile("Docs é/Read me.txt");
        QVERIFY(testsupport::writeFile(doc, "doc") && testsupport::writeFile(f.programFile("Docs é/A.txt"), "a"));
        QMainWindow* w = f.startOn("Astro Miner");
        QVERIFY(w);
        // Stored in another letter case: the dialog opens on its folder with the document selected.
        QVERIFY(f.state().currentGame.change({{"DocFile", f.programFile("Docs é/READ ME.TXT")}}));
        QString selected;
        testsupport::whenModal([&selected, none](QWidget* dialog) {
            selected = dialog->findChild<QListWidget*>("FileBox")->selectedItems().value(0)->text();
            auto* ok = dialog->findChild<QPushButton*>("cmdOK");
            if (none) {
                testsupport::clickLine(dialog->findChild<QListWidget*>("DirBox"), "..", true);
                selected += ok->isEnabled() ? " then OK" : " then waits";
                dialog->findChild<QPushButton*>("cmdNone")->click();
            }
            ok->click();
        });
        if (command.startsWith("lbl"))
            QTest::mouseClick(control<QLabel>(w, "lblDocFile"), Qt::LeftButton);
        else
            action(w, qPrintable(command))->trigger();
        QCOMPARE(selected, none ? "Read me.txt then waits" : "Read me.txt");
        QCOMPARE(f.sql("SELECT DocFile FROM Games WHERE Name = 'Astro Miner'"), none ? "(None)" : doc);
        QCOMPARE(labelText(w, "lblDocFile"), none ? "(None)" : "Read me.txt");
    }

    void viewDocument()
    {
        WindowFixture f;
        const QString doc = f.programFile("Read me é.txt");
        QVERIFY(testsupport::writeFile(doc, "doc"));
        QMainWindow* w = f.startOn("Astro Miner");
        QVERIFY(w);
        QVERIFY(!control<QPushButton>(w, "cmdViewDocs")->isEnabled()); // no document yet
        // An empty name is no document either (it used to enable the button, which then said "FILE NOT SET!").
        QVERIFY(f.state().currentGame.change({{"DocFile", ""}}));
        QVERIFY(!control<QPushButton>(w, "cmdViewDocs")->isEnabled() && !action(w, "pmnuDocs")->isEnabled());
        QVERIFY(f.state().currentGame.change({{"DocFile", doc}}));
        QStringList opened;
        f.state().ShellOpen = [&](const QString& target) {
            opened << target;
            return true;
        };
        QTest::mouseClick(control<QPushButton>(w, "cmdViewDocs"), Qt::LeftButton);
        action(w, "pmnuDocs")->trigger();
        QCOMPARE(opened, (QStringList{doc, doc}));
    }
};

QTEST_MAIN(TestFilesWindow)
#include "TestFilesWindow.moc"
