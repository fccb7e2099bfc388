// The preferences and bookmark commands as a user reaches them from the main window: File "&Preferences...",
// the Favourites menu and "&Edit Favourites...".
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "appstate/CommandHost.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using testsupport::clickLine;
using testsupport::whenModal;
using windowtest::action;
using windowtest::control;
using windowtest::WindowFixture;

namespace {

void click(QWidget* w, const char* name)
{
    auto* b = w->findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(b, name);
    b->click();
}

QAction* favourite(WindowFixture& f, int index)
{
    return qobject_cast<QAction*>(f.program().host()->command(QStringLiteral("mnuFave(%1)").arg(index)));
}

} // namespace

class TestPrefsWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open"); }

    // OK: the caption, the texture and the emulator browsed for reach the window at once and the settings at exit.
    void preferencesTakeEffect()
    {
        WindowFixture f;
        QVERIFY(f.isValid());
        const QString wrapper = f.programFile("emu/ccs-wrapper");
        QVERIFY(testsupport::writeFile(wrapper, "#!/bin/sh\n"));
        QVERIFY(QFile::setPermissions(wrapper, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        QMainWindow* w = f.start();
        QVERIFY(w);
        QVERIFY(windowtest::clickGame(w, QStringLiteral("Astro Miner")));
        auto* play = control<QPushButton>(w, "cmdRun20Win");
        QVERIFY(!play->isEnabled());

        whenModal([&](QWidget* prefs) {
            // An unset program is browsed for from the program folder.
            whenModal([](QWidget* browse) {
                QVERIFY(clickLine(browse->findChild<QListWidget*>("DirBox"), "emu", true));
                QVERIFY(clickLine(browse->findChild<QListWidget*>("FileBox"), "ccs-wrapper", true));
            });
            click(prefs, "cmdBrowseDirectX");
            click(prefs, "optTBSetMyOwn");
            prefs->findChild<QLineEdit*>("txtTitleBar")->setText(QStringLiteral("My C64 shelf"));
            click(prefs, "cmdTextureForward");
            click(prefs, "cmdTextureForward");
            click(prefs, "cmdOK");
        });
        action(w, "mnuFileOptions")->trigger();
        QVERIFY(play->isEnabled());
        QCOMPARE(w->windowTitle(), QStringLiteral("My C64 shelf"));
        QWidget* client = control<QWidget>(w, "frmVTRXMainClient");
        QVERIFY(client->autoFillBackground() && !client->palette().brush(QPalette::Window).texture().isNull());
        f.exit();
        QCOMPARE(QStringList({f.storedValue("DirectXPath").toString(), f.storedValue("TitleBar").toString(),
                              f.storedValue("Texture").toString()}),
                 QStringList({wrapper, "2", "1"}));
    }

    // Edit Favourites reorders and hides slots and the menu follows at once; a refused address is reported and not
    // opened, a web address opens.
    void favouritesMenuAndItsEditor()
    {
        const QString refused = QStringLiteral("javascript:alert(1)"); // the rules table has the other refusals
        WindowFixture f;
        QVERIFY(f.isValid());
        f.presetSettings({{"Fave0D", "First"},
                          {"Fave0U", "https://first.example/"},
                          {"Fave1D", "Second"},
                          {"Fave1U", "https://second.example/"},
                          {"Fave2D", "Trap"},
                          {"Fave2U", refused},
                          {"Fave3D", "Fourth"}});
        QMainWindow* w = f.start();
        QVERIFY(w);
        QStringList opened;
        bool desktopOpens = true;
        f.state().ShellOpen = [&](const QString& target) {
            opened << target;
            return desktopOpens;
        };
        favourite(f, 2)->trigger();
        QVERIFY(opened.isEmpty());
        QCOMPARE(f.messages.count(), 1);
        QVERIFY2(f.messages.last().text.contains(refused), qPrintable(f.messages.last().text));
        QVERIFY(!favourite(f, 20)); // the menu's separator has no command

        QStringList states;
        whenModal([&](QWidget* dialog) {
            // Which buttons are enabled and how a title greys the address are TestPrefsRules' table.
            auto* list = dialog->findChild<QListWidget*>("lstURLs");
            list->setCurrentRow(1);
            click(dialog, "cmdUp");
            states << list->item(0)->text() + " " + list->item(1)->text() + " at " +
                          QString::number(list->currentRow());
            list->setCurrentRow(3);
            whenModal([&](QWidget* edit) {
                auto* name = edit->findChild<QLineEdit*>("txtName");
                states << name->text(); // a slot in use opens with its title
                name->setText(QStringLiteral("eMPTY"));
                click(edit, "cmdOK");
            });
            click(dialog, "cmdEdit");
            states << list->item(3)->text();
            click(dialog, "cmdClose");
        });
        favourite(f, 21)->trigger();
        QCOMPARE(states, QStringList({"Second First at 0", "Fourth", "Empty"}));
        // The menu follows at once: the two titles exchanged, the emptied slot hidden.
        QCOMPARE(favourite(f, 0)->text() + " " + favourite(f, 1)->text(), QStringLiteral("Second First"));
        QVERIFY(favourite(f, 2)->isVisible() && !favourite(f, 3)->isVisible());
        favourite(f, 0)->trigger();
        QCOMPARE(opened, QStringList{"https://second.example/"});
        desktopOpens = false; // a desktop with no browser is told, not silent
        favourite(f, 1)->trigger();
        QCOMPARE(f.messages.last().text, "No program on this desktop could open https://first.example/");
        f.exit();
        QCOMPARE(f.storedValue("Fave1U").toString() + " " + f.storedValue("Fave3D").toString() + " " +
                     f.storedValue("Fave3U").toString(),
                 QStringLiteral("https://first.example/ Empty "));
    }
};

QTEST_MAIN(TestPrefsWindow)
#include "TestPrefsWindow.moc"
