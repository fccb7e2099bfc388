// The category browser from the main window, one wiring case per opener and command: every opener on its category; a
// found game selected in the main window and played; the stand-alone tunes played, their information shown and removed
// (asked or not, refused by a read-only catalogue); non-stop music from the browser; the main window locked while it is
// open and every command back in its rule's state after it closes.
#include "ModalHelpers.h"
#include "MusicFixtures.h"
#include "PlayerWindow.h"
#include "SmallDisk.h"
#include "WindowFixture.h"
#include "appstate/CommandHost.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>

using namespace windowtest;
using musictest::tunesPlayed;

namespace {

QWidget* categoryWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmVTRXCategory") && w->isVisible())
            return w;
    return nullptr;
}
QAction* toolbarButton(const char* key) { return categoryWindow()->findChild<QAction*>(key); }
QListView* foundList() { return categoryWindow()->findChild<QListView*>("lstFound"); }
QStringList foundLines()
{
    QStringList lines;
    for (int row = 0; row < foundList()->model()->rowCount(); ++row)
        lines << foundList()->model()->index(row, 0).data().toString();
    return lines;
}
QString chosenLine() { return foundList()->selectionModel()->selectedRows().value(0).data().toString(); }

// A user's click on the found line reading text.
void chooseLine(const QString& text)
{
    const int row = int(foundLines().indexOf(text));
    QVERIFY2(row >= 0, qPrintable(text));
    const QModelIndex index = foundList()->model()->index(row, 0);
    foundList()->scrollTo(index);
    QTest::mouseClick(foundList()->viewport(), Qt::LeftButton, {}, foundList()->visualRect(index).center());
}

// Rob Hubbard's two stand-alone tunes beside his three games, and a third game in Astro Miner's genre.
const char kTunes[] = "INSERT INTO Music VALUES ('Commando', 'harbour_patrol.sid', 28), "
                      "('Zoids & Co', 'bouncing_bytes.sid', 28); "
                      "UPDATE Games SET GE_Id = 3 WHERE Name = 'Nibble Nights'";

} // namespace

class TestCategoryWindow : public QObject, public musictest::PlayerWindow
{
    Q_OBJECT

    bool start(const QString& game, QVariantMap settings = {}) { return PlayerWindow::start(game, settings, kTunes); }

private slots:
    void cleanup() { stop(); }

    // Each menu entry opens the browser on its category with the game's value chosen and the game chosen among the
    // value's games; Categories opens on no category (the button and a label: the tests below).
    void everyOpenerOpensItsCategory()
    {
        QVERIFY(start("Astro Miner"));
        // clang-format off
        const QList<std::pair<QString, QString>> openers = {
            {"mnuViewGenres", "GENRES  -  Adventure  (3 games)|btngenres|Astro Miner"},
            {"mnuFileReports", "CATEGORY SELECTION...||"},
            {"mnuViewPublishers", "PUBLISHERS  -  Firebird  (2 games)|btnpublishers|Astro Miner"},
            {"mnuViewYearPublished", "YEAR PUBLISHED  -  1984  (1 game)|btnyears|Astro Miner"},
            {"mnuViewMusicians", "MUSICIANS  -  Rob Hubbard  (5 tunes)|btnmusicians|Astro Miner"},
            {"mnuViewPlayers", "PLAYERS  -  1 Player  (9 games)|btnplayers|Astro Miner"},
            {"mnuViewDifficulty", "DIFFICULTY LEVEL  -  Average  (3 games)|btndifficulty|Astro Miner"},
            {"mnuViewRatings", "PERSONAL RATINGS  -  Good  (2 games)|btnrating|Astro Miner"}};
        // clang-format on
        for (const auto& [opener, expected] : openers) {
            action(w, qPrintable(opener))->trigger();
            QVERIFY2(categoryWindow(), qPrintable(opener));
            QStringList pressed;
            for (QAction* a : categoryWindow()->findChildren<QAction*>())
                if (a->isChecked() && a->objectName().startsWith("btn") && a->objectName() != "btnNSM")
                    pressed << a->objectName();
            QCOMPARE(QStringList({categoryWindow()->windowTitle(), pressed.join(','), chosenLine()}).join('|'),
                     expected);
            categoryWindow()->findChild<QPushButton*>("cmdClose")->click();
            QVERIFY(!categoryWindow() && !f->state().categoryBrowserOpen);
        }
    }

    // A find over the main window's list and the tunes; the found game is selected in the main window and played
    // from the browser; the search text is kept for the next run.
    void foundGameIsSelectedInTheMainWindowAndPlayed()
    {
        QVERIFY(start("Cavern Crawler"));
        control<QPushButton>(w, "cmdReport")->click();
        auto* findBox = categoryWindow()->findChild<QComboBox*>("cboFind");
        findBox->setFocus();
        QTest::keyClicks(findBox, "miner");
        QTest::keyClick(findBox, Qt::Key_Return);
        QCOMPARE(categoryWindow()->windowTitle(), "FIND - 'MINER'  -  2 games found");
        QVERIFY(!toolbarButton("btnPlay")->isEnabled());
        chooseLine("Moonbase Miner 2");
        QCOMPARE(selectedGame(w), "Moonbase Miner 2");
        QVERIFY(toolbarButton("btnPlay")->isEnabled());
        toolbarButton("btnPlay")->trigger();
        QVERIFY(f->waitForStart(0).join(' ').contains("astrominer.d64"));
        // The start settles (the play commands rest until then): no watch of it may outlive the program.
        QTRY_VERIFY_WITH_TIMEOUT(w->cursor().shape() != Qt::BusyCursor, 5000);
        // The user's own choice in the main window leaves the browser's line: nothing plays it from there.
        QVERIFY(clickGame(w, "Cavern Crawler") && !toolbarButton("btnPlay")->isEnabled());
        f->exit();
        QCOMPARE(f->storedValue("Find0").toString(), "miner");
    }

    // Non-stop music switched on from the browser plays the game's tune; a chosen tune plays, its Sid button plays it
    // again and the tune information shows it; F12 there switches non-stop music off and plays nothing.
    void standAloneTunesAndNonStopMusic()
    {
        QVERIFY(start("Astro Miner"));
        action(w, "mnuViewMusicians")->trigger();
        QCOMPARE(foundLines().mid(3), QStringList({"Commando (Sid)", "Zoids & Co (Sid)"}));
        toolbarButton("btnNSM")->trigger();
        QVERIFY(action(w, "mnuOptionsNSM")->isChecked());
        QCOMPARE(tunesPlayed(player, 1), "bouncing_bytes.sid");
        chooseLine("Commando (Sid)");
        QCOMPARE(tunesPlayed(player, 2), "bouncing_bytes.sid harbour_patrol.sid");
        QVERIFY(!toolbarButton("btnPlay")->isEnabled());
        toolbarButton("btnSid")->trigger();
        QCOMPARE(tunesPlayed(player, 3), "bouncing_bytes.sid harbour_patrol.sid harbour_patrol.sid");
        QString shown;
        testsupport::whenModal([&shown](QWidget* dialog) {
            shown = dialog->findChild<QLabel*>("lblName")->text();
            dialog->close();
        });
        action(w, "mnuOptionsSidTuneInfo")->trigger();
        QCOMPARE(shown, "Harbour Patrol");
        QTest::keyClick(foundList(), Qt::Key_F12);
        QVERIFY(!action(w, "mnuOptionsNSM")->isChecked() && !toolbarButton("btnNSM")->isChecked());
        QTest::qWait(200);
        QCOMPARE(musictest::playerRuns(player).size(), 3);
    }

    void removingATune_data()
    {
        QTest::addColumn<int>("answer");    // to the question (RemoveConfirmFlag on), 0 for none (it off)
        QTest::addColumn<bool>("readOnly"); // the program folder, and so the catalogue, made read-only
        QTest::addRow("asked, no") << int(platform::MessageBox::No) << false;
        QTest::addRow("asked, yes") << int(platform::MessageBox::Yes) << false;
        QTest::addRow("read-only catalogue") << 0 << true;
    }
    // The last tune of the list is removed from the catalogue (the file stays, and non-stop music playing it plays
    // on); the line above it is chosen; the caption counts one less. Refused or not confirmed, nothing changes.
    void removingATune()
    {
        QFETCH(int, answer);
        QFETCH(bool, readOnly);
        const bool removed = answer == platform::MessageBox::Yes;
        QVERIFY(start("Astro Miner", {{"RemoveConfirmFlag", int(answer != 0)}}));
        action(w, "mnuViewMusicians")->trigger();
        action(w, "mnuOptionsNSM")->trigger();
        // The game's tune logs its start before the chosen one ends it: otherwise its log line may never come.
        QCOMPARE(musictest::playerRuns(player, 1).size(), 1);
        chooseLine("Zoids & Co (Sid)");
        const QList<musictest::PlayerRun> runs = musictest::playerRuns(player, 2);
        QCOMPARE(runs.size(), 2);
        const qint64 playing = runs.last().pid;
        if (answer)
            f->messages.addAnswer(platform::MessageBox::Button(answer));
        QMenu* popup = categoryWindow()->findChild<QMenu*>("pmnu");
        QTest::mouseClick(foundList()->viewport(), Qt::RightButton, {},
                          foundList()->visualRect(foundList()->currentIndex()).center());
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->actions().first()->text(), "Remove Sid Tune  (Zoids && Co)");
        popup->close();
        {
            auto locked = readOnly ? std::make_unique<testsupport::ReadOnlyFolder>(f->programPath()) : nullptr;
            QVERIFY(!locked || locked->isValid());
            popup->actions().first()->trigger();
        }
        QStringList told;
        for (const QString& text : f->messages.texts())
            told << text.section('\n', 0, 0);
        QCOMPARE(told, QStringList{readOnly ? "The Sid tune could not be removed from the database:"
                                            : "Remove 'Zoids & Co' from Sid Tune Database?"});
        QCOMPARE(f->sql("SELECT count(*) FROM Music WHERE Name = 'Zoids & Co'"), removed ? "0" : "1");
        QCOMPARE(foundLines().contains("Zoids & Co (Sid)"), !removed);
        QCOMPARE(chosenLine(), removed ? "Commando (Sid)" : "Zoids & Co (Sid)");
        QCOMPARE(categoryWindow()->windowTitle(), QString("MUSICIANS  -  Rob Hubbard  (%1 tunes)").arg(5 - removed));
        QVERIFY(QFile::exists(f->programFile("Demo/Music/bouncing_bytes.sid")) && musictest::running(playing));
    }

    // While the browser is open the view buttons, the locked menus with their entries and the label clicks do
    // nothing; closed, every one of them is back as its rule says.
    void mainWindowLockedWhileOpen()
    {
        QVERIFY(start("Astro Miner", {{"WhatListBox", 1}}));
        QList<QObject*> locked;
        for (const QString& name : app::lockedWhileBrowsing()) {
            QObject* c = f->program().host()->command(name);
            locked << c;
            if (auto* menu = qobject_cast<QAction*>(c) ? qobject_cast<QAction*>(c)->menu() : nullptr)
                for (QAction* entry : menu->actions())
                    if (!entry->isSeparator())
                        locked << entry;
        }
        auto states = [&] {
            QString s;
            for (QObject* c : locked)
                s += QString::number(c->property("enabled").toBool());
            for (const char* view : {"cmdAll", "cmdGamesOnly", "cmdMusicOnly"})
                s += QString(" %1%2")
                         .arg(control<QPushButton>(w, view)->isVisible())
                         .arg(control<QPushButton>(w, view)->isEnabled());
            return s;
        };
        const QString before = states();
        QVERIFY(before.contains('1'));
        control<QPushButton>(w, "cmdReport")->click();
        QVERIFY(categoryWindow());
        QCOMPARE(states(), QString(locked.size(), '0') + " 00 10 00");
        // A label's click neither opens a second browser nor anything else.
        QTest::mouseClick(control<QLabel>(w, "lblGenre"), Qt::LeftButton);
        QCOMPARE(categoryWindow()->windowTitle(), "CATEGORY SELECTION...");
        QVERIFY(control<QLabel>(w, "lblGenre")->cursor().shape() != Qt::PointingHandCursor);
        categoryWindow()->findChild<QPushButton*>("cmdClose")->click();
        QCOMPARE(states(), before);
    }
};

QTEST_MAIN(TestCategoryWindow)
#include "TestCategoryWindow.moc"
