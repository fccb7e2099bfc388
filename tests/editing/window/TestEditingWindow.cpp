// The editing commands in the main window: each menu entry reaching its editor; the editors, some from a popup entry or
// label, storing what is confirmed (and refusing names taken in another letter case); a game added with every prompt
// on; a tune added; removal; and a read-only catalogue refusing all of it with the list and the file as they were.
#include "ModalHelpers.h"
#include "WindowFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>

using namespace windowtest;
using platform::MessageBox;

namespace {

// Answers the modal dialogs as they come up, each with the next step of a script (Cancel once the script is
// done), and records their titles. A dialog that is active again after one it opened has closed is a new step.
class DialogScript : public QObject
{
public:
    using Step = std::function<void(QWidget*)>;
    explicit DialogScript(QList<Step> steps = {}) : m_steps(std::move(steps))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == m_last || !(m_last = dialog))
                return;
            titles << dialog->windowTitle();
            const Step step = m_steps.isEmpty() ? click("cmdCancel") : m_steps.takeFirst();
            // Later, so that a step opening a dialog of its own does not run inside this poll.
            QTimer::singleShot(0, dialog, [dialog, step] { step(dialog); });
        });
        m_timer.start(10);
    }
    QStringList titles;

    static void press(QWidget* d, const char* button) { d->findChild<QPushButton*>(button)->click(); }
    static Step click(const char* button) { return [button](QWidget* d) { press(d, button); }; }
    static Step none() { return [](QWidget* d) { press(d, "cmdNone"), press(d, "cmdOK"); }; }
    // Types each text and presses OK (or Add) after it.
    static Step enter(const QStringList& texts, const char* ok = "cmdOK")
    {
        return [texts, ok](QWidget* d) {
            for (const QString& t : texts) {
                if (auto* box = d->findChild<QPlainTextEdit*>())
                    box->setPlainText(t);
                else
                    d->findChild<QLineEdit*>()->setText(t);
                press(d, ok);
            }
        };
    }
    static Step pick(const QString& line)
    {
        return [line](QWidget* d) {
            auto* list = d->findChild<QListWidget*>("FileBox");
            const bool found = testsupport::clickLine(list ? list : d->findChild<QListWidget*>("lstItems"), line);
            press(d, found ? "cmdOK" : "cmdCancel"); // a dialog left open would hang the test
            QVERIFY2(found, qPrintable(line));
        };
    }

private:
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
    QTimer m_timer;
};
using S = DialogScript;

// A menu or popup entry by name, a detail label ("lblYear" left, "lblYear+" right).
void trigger(QWidget* w, QString name)
{
    if (!name.startsWith("lbl"))
        return action(w, qPrintable(name))->trigger();
    const bool right = name.endsWith('+');
    QTest::mouseClick(w->findChild<QLabel*>(name.remove('+')), right ? Qt::RightButton : Qt::LeftButton);
}

} // namespace

class TestEditingWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QMainWindow* w = nullptr;
    bool start(const QString& game, const QVariantMap& settings = {})
    {
        f = std::make_unique<WindowFixture>();
        return (w = f->startOn(game, settings));
    }
    // Every row of the catalogue's tables, to tell that nothing was written.
    QString everything() const
    {
        return f->sql("SELECT * FROM Games ORDER BY rowid; SELECT * FROM Publishers; SELECT * FROM Musicians; "
                      "SELECT * FROM Music");
    }

private slots:
    void cleanup() { f.reset(); }

    // Every Edit menu entry opens its editor on the current game (the popup entries and labels: the next test); the
    // add commands theirs; Cancel writes nothing.
    void everyCommandReachesItsEditor()
    {
        QVERIFY(start("Astro Miner"));
        const QString before = everything();
        // The command's name, then its editor's title: the lookups' change dialogs, then the fields' editors.
        const QList<std::pair<QString, QString>> commands = {
            {"Difficulty", "Change Difficulty level"}, {"Genre", "Change game Genre"}, {"Year", "Change Year"},
            {"Rating", "Change Personal Rating"}, {"Players", "Change Number of Players"},
            {"Publisher", "Change Publisher"}, {"Musician", "Change Musician"}, {"Name", "Edit Game Name..."},
            {"Comment", "Edit Personal Comment..."}, {"HighScore", "Edit High Score..."},
            {"Trained", "Edit Game Trained..."}, {"mnuFileAddGame", "Select Filename for New game..."},
            {"mnuFileAddSidTune", "Select Filename for New Sid Tune..."}};
        for (const auto& [command, title] : commands) {
            DialogScript script;
            trigger(w, command.startsWith("mnu") ? command : "mnuEdit" + command);
            const QString caption = title.startsWith("Change") ? title + " for 'Astro Miner':" : title;
            QVERIFY2(script.titles == QStringList{caption}, qPrintable(command + ": " + script.titles.join('|')));
        }
        QCOMPARE(everything(), before);
        QCOMPARE(f->messages.count(), 0);
    }

    // Each editor stores what was confirmed; names taken in another letter case are refused and the dialog waits for
    // another; a publisher added and a musician renamed in the change dialog show at once.
    void editorsStoreWhatIsConfirmed()
    {
        QVERIFY(start("Astro Miner"));
        DialogScript script({S::enter({"harbour PATROL", "  Astro Miner Deluxe "}), S::enter({"Two\nlines"}),
                             S::enter({" not entered "}), S::pick("Yes - Game is Trained"), S::pick("1990"),
                             S::click("cmdAdd"), S::enter({"OCEAN", "Zzap Soft"}), S::click("cmdOK"),
                             S::click("cmdEdit"), S::enter({"ROB HUBBARD"}), S::click("cmdCancel")});
        for (const char* command : {"mnuEditName", "pmnuEditComment", "lblHighScore", "lblTrainer+", "lblYear+",
                                    "pmnuEditPublisher", "mnuEditMusician"})
            trigger(w, command);
        QCOMPARE(selectedGame(w), "Astro Miner Deluxe");
        QCOMPARE(
            f->sql("SELECT g.\"Personal Comment\", g.HighScore, g.Trained, y.Year, p.Publisher, m.Name FROM Games g, "
                   "Years y, Publishers p, Musicians m WHERE g.\"Year Published\" = y.YE_Id AND g.PU_Id = p.PU_Id "
                   "AND g.MU_Id = m.MU_Id AND g.Name IN ('Astro Miner Deluxe', 'Moonbase Miner 2') ORDER BY g.Name"),
            "Two\nlines|(Not Entered)|1|1990|Zzap Soft|ROB HUBBARD\n"
            "The sequel lives on the same disk as the first part.|12000|1|1985|Firebird|ROB HUBBARD");
        QCOMPARE(QStringList({labelText(w, "lblName"), labelText(w, "lblTrainer"), labelText(w, "lblYear"),
                              labelText(w, "lblPublisher"), labelText(w, "lblMusician")}),
                 QStringList({"Astro Miner Deluxe", "Yes", "1990", "Zzap Soft", "ROB HUBBARD"}));
        QCOMPARE(f->messages.texts(),
                 QStringList({"'harbour PATROL' already exists in Database.\nDuplicate entries are not allowed.",
                              "Cannot add 'OCEAN'.\n'OCEAN' already exists in Database."}));
        QCOMPARE(f->messages.messages()[0].icon, MessageBox::Information);
    }

    // From the playable view: the switch to all games, the file dialog, the name (one taken in another letter case
    // first), then the fourteen prompts in order, the tune's author and copyright picking the musician, publisher
    // and year; the screenshot dialog cancelled skips only the screenshot.
    void addGameWithEveryPrompt()
    {
        WindowFixture* fixture = (f = std::make_unique<WindowFixture>()).get();
        fixture->sql("INSERT INTO Musicians (Name) VALUES ('VINTRAX DEMO'); INSERT INTO Publishers (Publisher) "
                     "VALUES ('Vintrax')");
        QVariantMap prompts{{"WhatListBox", 1}, {"CCS64Path", f->programFile("Vintrax.mdb")}};
        for (const char* key : {"Flag", "MusicFN", "SSFN", "Publisher", "Year", "Musician", "Genre", "Players",
                                "Rating", "Difficulty", "Comment", "DocFile", "Trained", "HighScore"})
            prompts.insert(QStringLiteral("PromptOnAdd") + key, 1);
        QVERIFY(w = f->startOn("Astro Miner", prompts));
        const S::Step ok = S::click("cmdOK");
        DialogScript script({S::none(), S::enter({"astro MINER", "Zzap Test"}, "cmdAdd"), ok,
                             S::pick("harbour_patrol.sid"), ok, S::click("cmdCancel"), S::none(), ok, ok, ok, ok, ok,
                             ok, S::pick("No - Game is not Trained"), S::enter({"1000"}), S::enter({"Added"})});
        action(w, "mnuFileAddGame")->trigger();
        QStringList expected{"Select Filename for New game...", "Add Game to Database", "Settings for Zzap Test...",
                             "Sid Tune for 'Zzap Test'...", "@Musician", "Screenshot for 'Zzap Test'...",
                             "Select Documentation File...", "@Publisher", "@Year", "@game Genre", "@Number of Players",
                             "@Difficulty level", "@Personal Rating", "Edit Game Trained...", "Edit High Score...",
                             "Edit Personal Comment..."};
        for (QString& title : expected) // "@": a lookup's change dialog
            if (title.startsWith('@'))
                title = QStringLiteral("Change %1 for 'Zzap Test':").arg(title.mid(1));
        QCOMPARE(script.titles, expected);
        QCOMPARE(f->sql("SELECT g.Filename, g.FA, g.CCode, g.\"Music Filename\", m.Name, p.Publisher, y.Year, g.GE_Id, "
                        "g.Trained, g.HighScore, g.\"Personal Comment\", g.\"Screenshot Filename\" FROM Games g, "
                        "Musicians m, Publishers p, Years y WHERE g.MU_Id = m.MU_Id AND g.PU_Id = p.PU_Id AND "
                        "g.\"Year Published\" = y.YE_Id AND g.Name = 'Zzap Test'"),
                 "(None)|0|128|harbour_patrol.sid|VINTRAX DEMO|Vintrax|2024|1|2|1000|Added|(None)");
        QCOMPARE(QStringList({selectedGame(w), labelText(w, "lblMusician")}),
                 QStringList({"Zzap Test", "VINTRAX DEMO"}));
        QCOMPARE(f->state().settings.WhatListBox, 0);
        QCOMPARE(f->messages.texts(),
                 QStringList({"To Add a Game, the Current View must be 'All Games in Database'.  Do you wish to switch "
                              "to this view now?",
                              "'astro MINER' already exists in Database.\nDuplicate entries are not allowed."}));
        QCOMPARE(f->messages.last().icon, MessageBox::Exclamation);
    }

    // The tune is named from its header and takes the musician chosen; the games stay as they were.
    void addStandAloneTune()
    {
        f = std::make_unique<WindowFixture>();
        f->sql("INSERT INTO Musicians (Name) VALUES ('Vintrax Demo')");
        QVERIFY(w = f->startOn("Cavern Crawler"));
        const QString games = f->sql("SELECT * FROM Games");
        DialogScript script({S::pick("bouncing_bytes.sid"), S::click("cmdAdd"), S::click("cmdOK")});
        action(w, "mnuFileAddSidTune")->trigger();
        QCOMPARE(script.titles, QStringList({"Select Filename for New Sid Tune...", "Add Sid Tune (without game) to "
                                             "Database", "Change Musician for 'Bouncing Bytes':"}));
        QCOMPARE(f->sql("SELECT Name, Filename, (SELECT Name FROM Musicians WHERE MU_Id = Music.MU_Id) FROM Music "
                        "WHERE Name = 'Bouncing Bytes'"),
                 "Bouncing Bytes|bouncing_bytes.sid|Vintrax Demo");
        QCOMPARE(f->sql("SELECT * FROM Games"), games);
        QCOMPARE(selectedGame(w), "Cavern Crawler");
    }

    void removal_data()
    {
        QTest::addColumn<int>("confirm");     // RemoveConfirmFlag
        QTest::addColumn<QString>("answers"); // to the questions, in turn
        QTest::addColumn<QString>("setUp");   // SQL run before the start (Cavern Crawler alone: from the popup)
        QTest::addColumn<bool>("screenshotKept");
        QTest::addColumn<QString>("selectedAfter"); // "" for the no-game state; the game itself when not removed
        QTest::addColumn<int>("messages");
        const QString shared = "UPDATE Games SET \"Screenshot Filename\" = 'ASTROMINER.GIF' WHERE Name = 'Jungle Jive'";
        const QString alone = "DELETE FROM Games WHERE Name <> 'Cavern Crawler'";
        const QString astro = "Astro Miner", next = "Bouncing Bytes";
        // clang-format off
        QTest::newRow("confirmed, screenshot deleted") << 1 << "YY" << "" << false << next << 2;
        QTest::newRow("not confirmed") << 1 << "N" << "" << true << astro << 1;
        QTest::newRow("screenshot another game names") << 0 << "" << shared << true << next << 1;
        QTest::newRow("the only entry leaves no game") << 0 << "" << alone << true << "" << 0;
        // clang-format on
    }
    void removal()
    {
        QFETCH(int, confirm);
        QFETCH(QString, answers);
        QFETCH(QString, setUp);
        const bool alone = setUp.startsWith("DELETE");
        const QString game = alone ? "Cavern Crawler" : "Astro Miner";
        const QString command = alone ? "pmnuRemoveGame" : "mnuFileRemove";
        QFETCH(QString, selectedAfter);
        f = std::make_unique<WindowFixture>();
        f->sql(setUp);
        QVERIFY(w = f->startOn(game, {{"RemoveConfirmFlag", confirm}}));
        for (QChar a : answers)
            f->messages.addAnswer(a == 'Y' ? MessageBox::Yes : MessageBox::No);
        const QString shot = f->programFile("Screenshots/astrominer.gif");
        QVERIFY(testsupport::writeFile(shot, "GIF89a"));
        action(w, qPrintable(command))->trigger();
        QCOMPARE(f->sql("SELECT count(*) FROM Games WHERE Name = '" + game + "'"), selectedAfter == game ? "1" : "0");
        QTEST(QFile::exists(shot), "screenshotKept");
        QCOMPARE(selectedGame(w) + '|' + labelText(w, "lblName"), selectedAfter + '|' + selectedAfter);
        QCOMPARE(action(w, "mnuFileRemove")->isEnabled(), !selectedAfter.isEmpty());
        QTEST(f->messages.count(), "messages");
    }

    // Made read-only while the program runs: an add, an edit and a removal are each refused with a message, and the
    // file and the list stay as they were.
    void readOnlyCatalogueRefusesEdits()
    {
        QVERIFY(start("Astro Miner", {{"RemoveConfirmFlag", 0}}));
        const QString before = everything();
        const int rows = gameList(w).rowCount();
        QVERIFY(QFile::setPermissions(f->programFile("Vintrax.mdb"), QFile::ReadOwner | QFile::ReadGroup));
        DialogScript script({S::none(), S::enter({"Zzap Test"}, "cmdAdd"), S::enter({"A comment"})});
        action(w, "mnuFileAddGame")->trigger();
        action(w, "mnuEditComment")->trigger();
        f->messages.addAnswer(MessageBox::No); // the screenshot
        action(w, "mnuFileRemove")->trigger();
        QCOMPARE(script.titles.size(), 3);
        QCOMPARE(everything(), before);
        QCOMPARE(QList<int>({gameList(w).rowCount(), int(selectedGame(w) == "Astro Miner")}), QList<int>({rows, 1}));
        QStringList refusals;
        for (const auto& m : f->messages.messages())
            if (m.icon == MessageBox::Exclamation)
                refusals << m.text.section(';', 0, 0);
        QCOMPARE(refusals, QStringList({"'Zzap Test' could not be added", "The change could not be stored",
                                        "'Astro Miner' could not be removed"}));
    }
};

QTEST_MAIN(TestEditingWindow)
#include "TestEditingWindow.moc"
