// The game file dialog offscreen on a real catalogue, real game folders and the real converters: where it opens and
// which entry it selects, what OK stores, the root guard, the preview of archives (a damaged one blinks and cannot be
// chosen), the run buttons (fake emulator, no play counted), the tidying buttons on the game's own file and the file
// operations behind them.

#include "ArchiveFixtures.h"
#include "C64Fixtures.h"
#include "CatalogueFixtures.h"
#include "ModalHelpers.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "appstate/AppState.h"
#include "data/Schema.h"
#include "files/GameFileActions.h"
#include "files/GameFileRules.h"
#include "files/gui/frmVTRXGameFile.h"
#include "platform/ScriptedMessageBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using testsupport::sqliteShell;

namespace {
const QString kOwn = QStringLiteral("Déjà vu.d64"); // the game's own file, in "SUB dir"
// Separator row, loader, a data file, then the game: the stored entry 2 is the data file.
QByteArray loaderDisk()
{
    return c64test::cc1541Image({"-n", "disk",  "-f", "----------------",
                                 "-w", "p.prg", "-f", "loader",
                                 "-w", "p.prg", "-f", "data",
                                 "-T", "SEQ",   "-w", "p.prg",
                                 "-f", "game",  "-w", "p.prg"},
                                {{"p.prg", testsupport::programBytes(1)}});
}
} // namespace

class TestGameFileDialog : public QObject
{
    Q_OBJECT

    std::unique_ptr<testsupport::TempProgramFolder> m_home;
    std::unique_ptr<app::AppState> m_state;
    QString m_games;

    QString games(const QString& relative) const { return QDir(m_games).filePath(relative); }
    QString record() const
    {
        return sqliteShell(m_home->file("Vintrax.mdb"),
                           "SELECT Filename, \"Filename Index\", FA, CCode, ifnull(TimesPlayed, 0) FROM Games")
            .trimmed();
    }
    template <class T> static T* child(QWidget* dialog, const char* name) { return dialog->findChild<T*>(name); }
    static QString selected(frmVTRXGameFile& d)
    {
        const QList<QListWidgetItem*> items = child<QListWidget>(&d, "FileBox")->selectedItems();
        return items.isEmpty() ? QString() : items.first()->text();
    }

private slots:
    void init()
    {
        m_home = std::make_unique<testsupport::TempProgramFolder>();
        for (const char* t : {"gunzip", "lha", "zip2d64", "starlynx", "maketape"})
            QVERIFY(QFile::link(testsupport::toolPath(t), m_home->file(QStringLiteral("Conversion/") + t)));
        m_games = m_home->file("Games é");
        const QByteArray disk = loaderDisk();
        for (const auto& [file, content] : {std::pair<QString, QByteArray>{"SUB dir/" + kOwn, disk}, {"Copy of it.d64", disk},
                                            {"Target/Taken.d64", "taken"},
                                            {"broken.zip", "PK\3\4 not really"}})
            QVERIFY(testsupport::writeFile(games(file), content));
        QVERIFY(testsupport::zipWithTool(games("Two words.zip"), {{"GAME.D64", disk}}));
        QVERIFY(testsupport::writeFakeTool(m_home->file("emu"), "ccs64.exe", ""));
        QVERIFY(QDir(m_home->path()).mkpath("Other games"));
        const QString db = m_home->file("Vintrax.mdb");
        QVERIFY(catalogue::createCatalogue(db));
        sqliteShell(db, "INSERT INTO Games (Name, Filename, \"Filename Index\", FA, CCode, \"Music Filename\") VALUES "
                        "('Elite', 'sub dir\\" +
                            kOwn + "', 2, 1, 0, 'x.sid')");
        m_state = std::make_unique<app::AppState>(platform::Folders::inProgramFolder(m_home->path()));
        QVERIFY(m_state->catalogue.open(db).ok());
        m_state->catalogueOpened();
        QVERIFY(m_state->currentGame.selectByName("Elite"));
        m_state->settings.GamesPath = {m_games, m_home->file("Other games"), "", "", ""};
        m_state->settings.CCS642Path = m_home->file("emu/ccs64.exe");
    }
    void cleanup() { m_state.reset(), m_home.reset(); }

    // The game's own file gets its stored entry back (a SEQ file here); any other listed file its first program
    // that is no separator row and no loader.
    void opensOnOwnFileAndPreselects()
    {
        platform::ScriptedMessageBox messages;
        frmVTRXGameFile d(*m_state, {}, false);
        QCOMPARE(child<QLabel>(&d, "lblFolder")->text(), games("SUB dir"));
        QCOMPARE(selected(d), kOwn);
        QCOMPARE(child<QListWidget>(&d, "lstD64")->currentRow(), 2);
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "DirBox"), "..", true));
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "FileBox"), "Copy of it.d64"));
        QCOMPARE(child<QListWidget>(&d, "lstD64")->currentRow(), 3);
        // Climbing above the game folder snaps back to it.
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "DirBox"), "..", true));
        QCOMPARE(child<QLabel>(&d, "lblFolder")->text(), m_games);
        child<QAction>(&d, "mnuPaths(1)")->trigger();
        QCOMPARE(child<QLabel>(&d, "lblFolder")->text(), m_home->file("Other games"));
        QVERIFY(!child<QAction>(&d, "mnuPaths(2)")->isVisible());
        QVERIFY(messages.texts().isEmpty());
        // A games folder that is gone is named, and the lists stay where they were (they used to go empty).
        m_state->settings.GamesPath[3] = m_home->file("Gone");
        frmVTRXGameFile again(*m_state, {}, false);
        child<QAction>(&again, "mnuPaths(3)")->trigger();
        QCOMPARE(messages.texts(), QStringList{"This Games Path does not exist:\n\n" + m_home->file("Gone")});
        QCOMPARE(child<QLabel>(&again, "lblFolder")->text(), games("SUB dir"));
    }

    void okStores_data()
    {
        QTest::addColumn<QString>("click"); // a file of the game folder, "" for (None), "#N" entry N of the own file
        QTest::addColumn<QString>("music");
        QTest::addColumn<QString>("stored");
        // clang-format off
        QTest::addRow("none, with a tune: red") << "" << "x.sid" << "(None)|0|0|128|0";
        QTest::addRow("none, no tune: grey") << "" << "(None)" << "(None)|0|0|8421504|0";
        QTest::addRow("file in the root: black") << "Copy of it.d64" << "x.sid" << "Copy of it.d64|3|1|0|0";
        QTest::addRow("archive, no tune: blue") << "Two words.zip" << "(None)" << "Two words.zip|3|1|8388608|0";
        QTest::addRow("own file, another entry") << "#3" << "x.sid" << "SUB dir\\" + kOwn + "|3|1|0|0";
        // clang-format on
    }
    void okStores()
    {
        QFETCH(QString, click);
        QFETCH(QString, music);
        QVERIFY(m_state->currentGame.change({{"Music Filename", music}}));
        frmVTRXGameFile d(*m_state, {}, false);
        const bool own = click.startsWith('#');
        QVERIFY(own || testsupport::clickLine(child<QListWidget>(&d, "DirBox"), "..", true));
        if (own)
            child<QListWidget>(&d, "lstD64")->setCurrentRow(click.mid(1).toInt());
        else if (click.isEmpty())
            child<QPushButton>(&d, "cmdNone")->click();
        else
            QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "FileBox"), click));
        child<QPushButton>(&d, "cmdOK")->click();
        QCOMPARE(d.result(), int(QDialog::Accepted));
        const app::GameFileChoice& c = d.choice(); // stored as the command stores it
        QVERIFY(m_state->currentGame.change(c.found ? files::gameFileValues(c.file, c.entry, music)
                                                    : files::noGameFileValues(music)));
        QTEST(record(), "stored");
        QVERIFY(own || m_state->GameFileFolder == m_games);
    }

    void damagedArchiveBlinksAndCannotBeChosen()
    {
        frmVTRXGameFile d(*m_state, {}, false);
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "DirBox"), "..", true));
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "FileBox"), "Two words.zip"));
        QVERIFY(child<QPlainTextEdit>(&d, "txtZipContents")->toPlainText().contains("ZIP CONTENTS"));
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "FileBox"), "broken.zip"));
        QCOMPARE(child<QLabel>(&d, "lblName")->text(), "WRONG FORMAT");
        QCOMPARE(child<QLabel>(&d, "lblFilename")->text(), "File is not vintrax compatible");
        QVERIFY(!child<QPlainTextEdit>(&d, "txtZipContents")->toPlainText().isEmpty());
        QVERIFY(!child<QPushButton>(&d, "cmdOK")->isEnabled() && !child<QPushButton>(&d, "cmdRunD")->isEnabled());
        d.show();
        QTRY_VERIFY(child<QLabel>(&d, "lblName")->isHidden() && child<QLabel>(&d, "lblFilename")->isHidden());
        QTRY_VERIFY(child<QLabel>(&d, "lblName")->isVisible() && child<QLabel>(&d, "lblFilename")->isVisible());
    }

    // An archive of several games named after none of them: the user names it after one of its games (offered in
    // name order, letter case aside, and only the games) in the archive-rename dialog; a rename without a choice, or
    // onto an archive there in another letter case, is refused with the dialog open. The renamed archive is shown.
    void archiveRenamedAfterAGameIsShownAgain()
    {
        QVERIFY(testsupport::zipWithTool(games("Pack.zip"),
                                         {{"ELITE.D64", loaderDisk()}, {"ace.d64", loaderDisk()}, {"NOTES.TXT", "x"}}));
        QVERIFY(testsupport::writeFile(games("ACE.ZIP"), "someone else's"));
        platform::ScriptedMessageBox messages;
        frmVTRXGameFile d(*m_state, {}, false);
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "DirBox"), "..", true));
        QStringList offered;
        testsupport::whenModal([&offered](QWidget* rename) {
            auto* list = rename->findChild<QListWidget*>("lstFiles");
            for (const QListWidgetItem* item : list->findItems("*", Qt::MatchWildcard))
                offered << item->text();
            for (int row : {-1, 0, 1}) {
                list->setCurrentRow(row);
                rename->findChild<QPushButton*>("cmdRename")->click();
            }
            if (rename->isVisible()) // refused: a dialog left open would hang the test
                rename->findChild<QPushButton*>("cmdCancel")->click();
        });
        QVERIFY(testsupport::clickLine(child<QListWidget>(&d, "FileBox"), "Pack.zip"));
        QCOMPARE(offered, QStringList({"ace.d64", "ELITE.D64"}));
        QCOMPARE(messages.texts(),
                 QStringList({"No File Selected!", "The Selected file already exists in the current Directory!"}));
        QCOMPARE(testsupport::readFile(games("ACE.ZIP")), "someone else's");
        QCOMPARE(selected(d), "ELITE.zip");
        QVERIFY(QFile::exists(games("ELITE.zip")) && !QFile::exists(games("Pack.zip")));
        QCOMPARE(child<QLabel>(&d, "lblFilename")->text(), "ELITE.D64");
        QCOMPARE(child<QListWidget>(&d, "lstD64")->count(), 4);
    }

    // Only the emulators with a path can be tried; a try starts the emulator with the entry and counts no play.
    void runButtonsAndTerminal()
    {
        frmVTRXGameFile d(*m_state, {}, false);
        QVERIFY(!child<QPushButton>(&d, "cmdRun")->isEnabled() && !child<QPushButton>(&d, "cmdRunX")->isEnabled());
        child<QPushButton>(&d, "cmdRunD")->click();
        // The fake emulator writes its log line by line: wait for the line, not only for the file.
        const auto logLine = [&] {
            return QString::fromUtf8(testsupport::readFile(m_home->file("emu/ccs64.exe.log"))).split('\n').value(1);
        };
        QTRY_COMPARE(logLine(), games("SUB dir/" + kOwn) + ",2");
        QCOMPARE(record(), "sub dir\\" + kOwn + "|2|1|0|0");
        // The terminal opens in the folder shown.
        QVERIFY(testsupport::writeFakeTool(m_home->file("bin"), "term", ""));
        qputenv("TERMINAL", m_home->file("bin/term").toLocal8Bit());
        child<QPushButton>(&d, "cmdDosPrompt")->click();
        QTRY_COMPARE(testsupport::readFile(m_home->file("bin/term.log")).trimmed(), games("SUB dir").toUtf8());
        qunsetenv("TERMINAL");
    }

    // Tidying the game's own file: the file changes on disk and the game loses its link; the dialog follows. A name
    // the rename refuses is told and put back with the dialog still open.
    void renameMoveDeleteOwnFile_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("nowAt"); // the file afterwards, below the game folder; "" when deleted
        QTest::addRow("rename") << "cmdRename" << "SUB dir/ELITE 2.d64";
        QTest::addRow("move") << "cmdMove" << "Target/Déjà vu.d64";
        QTest::addRow("delete") << "cmdDelete" << "";
    }
    void renameMoveDeleteOwnFile()
    {
        QFETCH(QString, button);
        QFETCH(QString, nowAt);
        platform::ScriptedMessageBox messages;
        messages.setDefaultAnswer(platform::MessageBox::Yes);
        m_state->settings.GoToDIR = 1;
        frmVTRXGameFile d(*m_state, {}, false);
        QString refused;
        if (button != "cmdDelete") // the delete question is the scripted box's; no dialog to wait for
            testsupport::whenModal([&refused](QWidget* inner) {
                if (auto* name = inner->findChild<QLineEdit*>("txtName")) {
                    name->setText("EL?TE");
                    inner->findChild<QPushButton*>("cmdRename")->click();
                    refused = name->text() + (inner->isVisible() ? " open" : " closed");
                    name->setText("ELITE 2");
                }
                if (auto* dirBox = inner->findChild<QListWidget*>("DirBox")) // a folder clicked, not opened
                    dirBox->setCurrentItem(dirBox->findItems("Target", Qt::MatchExactly).value(0));
                inner->findChild<QPushButton*>(inner->findChild<QLineEdit*>("txtName") ? "cmdRename" : "cmdMove")
                    ->click();
            });
        child<QPushButton>(&d, qPrintable(button))->click();
        QVERIFY(!QFile::exists(games("SUB dir/" + kOwn)));
        QCOMPARE(record(), "(None)|0|1|0|0");
        if (button == "cmdRename") {
            QCOMPARE(refused, "Déjà vu open");
            QVERIFY(messages.texts().value(0).startsWith("Filename must not contain"));
        }
        if (nowAt.isEmpty()) {
            QCOMPARE(messages.texts().last(), "Game Deleted!");
            QCOMPARE(selected(d), QString());
        } else {
            QVERIFY(QFile::exists(games(nowAt)));
            QCOMPARE(selected(d), nowAt.section('/', -1));
        }
    }

    // Moving a file (the Move button's operation): to another file system too; a refused move (the file's folder
    // read-only, the name taken) keeps both the file and the record; new-game mode (no game passed) touches no record.
    void move_data()
    {
        QTest::addColumn<bool>("toDisk");    // to another file system, or to the game folder's "Target"
        QTest::addColumn<bool>("own");       // the game passed
        QTest::addColumn<QString>("hinder"); // "", "locked" (the file's folder read-only), "taken" (target name)
        QTest::addRow("own file to another disk") << true << true << "";
        QTest::addRow("new-game mode") << false << false << "";
        QTest::addRow("refused: read-only folder") << true << true << "locked";
        QTest::addRow("refused: a taken name") << false << true << "taken";
    }
    void move()
    {
        QFETCH(bool, toDisk);
        QFETCH(bool, own);
        QFETCH(QString, hinder);
        const QString file = hinder == "taken" ? "Taken.d64" : kOwn;
        const QString message = hinder == "locked"  ? "could not be moved:\nRead-only file system"
                                : hinder == "taken" ? files::kFileExistsInFolder
                                                    : QString();
        testsupport::SmallDisk disk(1024 * 1024);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        const QString path = games("SUB dir/" + file), folder = toDisk ? disk.path() : games("Target");
        QVERIFY(hinder != "taken" || testsupport::writeFile(path, "mine"));
        const QByteArray content = testsupport::readFile(path);
        std::unique_ptr<testsupport::ReadOnlyFolder> locked;
        if (hinder == "locked") {
            locked = std::make_unique<testsupport::ReadOnlyFolder>(games("SUB dir"));
            QVERIFY2(locked->isValid(), qPrintable(locked->whyNot()));
        }
        const files::GameFileActionOutcome outcome =
            files::moveGameFile(path, folder, own ? &m_state->currentGame : nullptr);
        locked.reset();
        QVERIFY2(message.isEmpty() ? outcome.message.isEmpty() : outcome.message.endsWith(message),
                 qPrintable(outcome.message));
        QCOMPARE(outcome.done, message.isEmpty());
        QCOMPARE(QFileInfo::exists(path), !outcome.done);
        if (outcome.done)
            QCOMPARE(testsupport::readFile(folder + "/" + file), content);
        QCOMPARE(record(), own && message.isEmpty() ? "(None)|0|1|0|0" : "sub dir\\" + kOwn + "|2|1|0|0");
    }
};

QTEST_MAIN(TestGameFileDialog)
#include "TestGameFileDialog.moc"
