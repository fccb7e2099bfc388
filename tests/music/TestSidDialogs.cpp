// The SID file and information dialogs offscreen, driven through their widgets: where the file dialog opens,
// the three states of its information area, the folder guard, what OK hands back in game and add mode, the
// start song rewritten only when changed (and a refused rewrite told), Listen, and the information dialog.

#include "MusicFixtures.h"
#include "SidFixtures.h"
#include "TestFolders.h"
#include "app/AppState.h"
#include "c64/SidHeader.h"
#include "music/SidDialogs.h"
#include "music/gui/frmVTRXSidFile.h"
#include "music/gui/frmVTRXSidInfo.h"
#include "platform/ScriptedMessageBox.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using testsupport::readFile;
using testsupport::writeFile;

class TestSidDialogs : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void subFolderTuneOpensInItsFolder();
    void startSongRewrittenOnlyWhenChanged_data();
    void startSongRewrittenOnlyWhenChanged();
    void informationStates_data();
    void informationStates();
    void folderGuardSpringsBack();
    void noneAndOkClearsTheTune();
    void addModeHandsBackTheNewTune();
    void readOnlyTuneIsToldAndKept();
    void listenPlaysTheChosenFile();
    void informationDialog_data();
    void informationDialog();

private:
    QString music(const QString& relative) const { return m_dir->filePath("Music/" + relative); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::AppState> m_state;
    QByteArray m_tune;
};

namespace {

template <typename T> T* widget(QWidget* dialog, const char* name)
{
    T* w = dialog->findChild<T*>(QString::fromLatin1(name));
    if (!w)
        qFatal("no widget %s", name);
    return w;
}

void click(QWidget* dialog, const char* name)
{
    widget<QPushButton>(dialog, name)->click();
}

void chooseSong(QWidget* dialog, int entry)
{
    auto* box = widget<QComboBox>(dialog, "cboTunes");
    box->setCurrentIndex(entry);
    emit box->activated(entry);
}

QString text(QWidget* dialog, const char* label)
{
    return widget<QLabel>(dialog, label)->text();
}

// The labels and cboTunes the information area shows, by name.
QStringList shown(QWidget* dialog)
{
    QStringList names;
    for (const char* n : {"Label5", "lblName", "Label4", "lblSidName", "lblAuthor", "lblCopyright", "cboTunes"})
        if (!widget<QWidget>(dialog, n)->isHidden())
            names << n;
    return names;
}

} // namespace

void TestSidDialogs::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_state = std::make_unique<app::AppState>(m_dir->path());
    m_state->settings.MusicPath = m_dir->filePath("Music");
    m_state->settings.SidplayWPath = musictest::writeFakePlayer(m_dir->path());
    m_tune = sidtest::psidTune(); // 12 songs, start song 3
    QVERIFY(writeFile(music("Hubbard/Commando.sid"), m_tune));
    QVERIFY(writeFile(music("Delta.sid"), m_tune));
    QVERIFY(writeFile(music("Two part.mus"), QByteArray(300, 'm')));
    QVERIFY(QDir(m_dir->path()).mkpath("Music2"));
    m_state->dialog = {};
    m_state->dialog.DialogPrompt = music::sidTuneCaption("Commando");
}

void TestSidDialogs::cleanup()
{
    for (const musictest::PlayerRun& run : musictest::playerRuns(m_state->settings.SidplayWPath))
        musictest::stop(run.pid);
    m_state.reset();
}

// OK without a change stores the same relative name and leaves the tune as it was.
void TestSidDialogs::subFolderTuneOpensInItsFolder()
{
    frmVTRXSidFile dialog(*m_state, "HUBBARD\\Commando.sid");
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sid Tune for 'Commando'..."));
    QCOMPARE(text(&dialog, "lblFolder"), music("Hubbard"));
    QCOMPARE(widget<QListWidget>(&dialog, "FileBox")->selectedItems().value(0)->text(), "Commando.sid");
    QCOMPARE(text(&dialog, "lblSidName") + '|' + text(&dialog, "lblAuthor"), QStringLiteral("Harbour|A. Composer"));
    QCOMPARE(widget<QComboBox>(&dialog, "cboTunes")->currentText(), "3");
    QVERIFY(widget<QPushButton>(&dialog, "cmdRun")->isEnabled());
    click(&dialog, "cmdOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenTune(), QStringLiteral("Hubbard\\Commando.sid"));
    QCOMPARE(readFile(music("Hubbard/Commando.sid")), m_tune);
}

void TestSidDialogs::startSongRewrittenOnlyWhenChanged_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("storedSong");
    QTest::addRow("3 chosen again") << 2 << 3;
    QTest::addRow("5 chosen") << 4 << 5;
    QTest::addRow("5, then 3 again") << -1 << 3;
}

void TestSidDialogs::startSongRewrittenOnlyWhenChanged()
{
    QFETCH(int, entry);
    QFETCH(int, storedSong);
    frmVTRXSidFile dialog(*m_state, "Delta.sid");
    if (entry < 0) {
        chooseSong(&dialog, 4);
        entry = 2;
    }
    chooseSong(&dialog, entry);
    click(&dialog, "cmdOK");
    QByteArray expected = m_tune;
    expected[c64::SidStartSongOffset + 1] = char(storedSong);
    QCOMPARE(readFile(music("Delta.sid")), expected);
    QVERIFY(!QFile::exists(music("Delta.sid.vtrx")));
}

void TestSidDialogs::informationStates_data()
{
    QTest::addColumn<QString>("file"); // clicked in the file list; "" presses (None)
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("author");
    QTest::addColumn<QString>("stored");
    QTest::addRow("PSID tune") << "Delta.sid" << QStringList{"Label5",    "lblName",      "Label4",  "lblSidName",
                                                             "lblAuthor", "lblCopyright", "cboTunes"}
                               << "A. Composer"
                               << "Delta.sid";
    QTest::addRow(".mus file") << "Two part.mus" << QStringList{"Label5", "lblName", "lblAuthor"} << music::kNoPsidText
                               << "Two part.mus";
    QTest::addRow("no file") << "" << QStringList{"lblAuthor"} << music::kNoFileText << "";
}

// A file without a PSID header is shown as such and stored like any other tune.
void TestSidDialogs::informationStates()
{
    QFETCH(QString, file);
    QFETCH(QStringList, shown);
    QFETCH(QString, author);
    QFETCH(QString, stored);
    frmVTRXSidFile dialog(*m_state, "Delta.sid");
    auto* files = widget<QListWidget>(&dialog, "FileBox");
    if (file.isEmpty())
        click(&dialog, "cmdNone");
    else
        files->setCurrentItem(files->findItems(file, Qt::MatchExactly).value(0));
    QCOMPARE(::shown(&dialog), shown);
    QCOMPARE(text(&dialog, "lblAuthor"), author);
    QCOMPARE(widget<QLabel>(&dialog, "lblAuthor")->font().bold(), !file.endsWith(".sid"));
    QCOMPARE(text(&dialog, "lblName"), file.isEmpty() ? music::kNoneSelected : file);
    click(&dialog, "cmdOK");
    QCOMPARE(dialog.chosenTune(), stored);
}

// Above the tune folder, or beside it, the lists stay where they were.
void TestSidDialogs::folderGuardSpringsBack()
{
    frmVTRXSidFile dialog(*m_state, "(None)");
    auto* dirs = widget<QListWidget>(&dialog, "DirBox");
    auto open = [dirs](const QString& entry) {
        QListWidgetItem* item = dirs->findItems(entry, Qt::MatchExactly).value(0);
        QVERIFY2(item, qPrintable(entry));
        emit dirs->itemActivated(item);
    };
    open("..");
    QCOMPARE(text(&dialog, "lblFolder"), m_dir->filePath("Music"));
    open("Hubbard");
    QCOMPARE(text(&dialog, "lblFolder"), music("Hubbard"));
    QCOMPARE(text(&dialog, "lblName"), music::kNoneSelected);
    QVERIFY(!widget<QPushButton>(&dialog, "cmdRun")->isEnabled());
    open("..");
    open("..");
    QCOMPARE(text(&dialog, "lblFolder"), m_dir->filePath("Music"));
    QVERIFY(widget<QListWidget>(&dialog, "FileBox")->findItems("Delta.sid", Qt::MatchExactly).size() == 1);
}

void TestSidDialogs::noneAndOkClearsTheTune()
{
    frmVTRXSidFile dialog(*m_state, "Hubbard\\Commando.sid");
    click(&dialog, "cmdNone");
    QVERIFY(!widget<QPushButton>(&dialog, "cmdRun")->isEnabled());
    click(&dialog, "cmdOK");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.chosenTune(), QString());
}

// The add-tune flow's mode: nothing chosen at first, OK only once a file is; the name comes back in
// NewTuneFilename; Cancel says so.
void TestSidDialogs::addModeHandsBackTheNewTune()
{
    m_state->dialog.SidDialogAddMode = true;
    m_state->dialog.DialogPrompt = music::kNewTuneCaption;
    {
        frmVTRXSidFile dialog(*m_state, "Delta.sid");
        QCOMPARE(dialog.windowTitle(), music::kNewTuneCaption);
        QCOMPARE(widget<QListWidget>(&dialog, "FileBox")->selectedItems().size(), 0);
        for (const char* b : {"cmdOK", "cmdNone", "cmdRun"})
            QVERIFY2(!widget<QPushButton>(&dialog, b)->isEnabled(), b);
        // "*.sid;*.dat" only: the .mus file is not offered for a new tune.
        QCOMPARE(widget<QListWidget>(&dialog, "FileBox")->count(), 1);
        emit widget<QListWidget>(&dialog, "DirBox")
            ->itemActivated(widget<QListWidget>(&dialog, "DirBox")->findItems("Hubbard", Qt::MatchExactly).value(0));
        auto* files = widget<QListWidget>(&dialog, "FileBox");
        files->setCurrentItem(files->item(0));
        QVERIFY(widget<QPushButton>(&dialog, "cmdOK")->isEnabled());
        click(&dialog, "cmdOK");
        QCOMPARE(m_state->dialog.NewTuneFilename, QStringLiteral("Hubbard\\Commando.sid"));
        QVERIFY(!m_state->dialog.DialogCancelled);
    }
    frmVTRXSidFile dialog(*m_state, QString());
    click(&dialog, "cmdCancel");
    QVERIFY(m_state->dialog.DialogCancelled);
}

// A tune nobody may write is not rewritten (a rename over it would succeed): the user is told, the choice of
// tune still counts.
void TestSidDialogs::readOnlyTuneIsToldAndKept()
{
    QFile::setPermissions(music("Delta.sid"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    platform::ScriptedMessageBox box;
    frmVTRXSidFile dialog(*m_state, "Delta.sid");
    chooseSong(&dialog, 6);
    click(&dialog, "cmdOK");
    QCOMPARE(box.texts(),
             QStringList{c64::sidWriteFailureMessage(music("Delta.sid"), {c64::SidWriteResult::ReadOnly, {}})});
    QCOMPARE(readFile(music("Delta.sid")), m_tune);
    QCOMPARE(dialog.chosenTune(), QStringLiteral("Delta.sid"));
}

// Listen, and a double click on a file, play the chosen file in the folder shown; each closes the one before.
void TestSidDialogs::listenPlaysTheChosenFile()
{
    frmVTRXSidFile dialog(*m_state, "Hubbard\\Commando.sid");
    click(&dialog, "cmdRun");
    const QString player = m_state->settings.SidplayWPath;
    QCOMPARE(musictest::playerRuns(player, 1).value(0).arguments, QStringList{music("Hubbard/Commando.sid")});
    auto* files = widget<QListWidget>(&dialog, "FileBox");
    emit files->itemDoubleClicked(files->item(0));
    const QList<musictest::PlayerRun> runs = musictest::playerRuns(player, 2);
    QCOMPARE(runs.size(), 2);
    QVERIFY(!musictest::running(runs[0].pid));
    QCOMPARE(runs[1].folder, m_dir->path());
}

void TestSidDialogs::informationDialog_data()
{
    QTest::addColumn<QString>("tune");
    QTest::addColumn<int>("entry"); // chosen in cboTunes; -1 none
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("storedSong"); // 0: the file as it was
    QTest::addRow("song 5, OK") << "Delta.sid" << 4 << true << 5;
    QTest::addRow("song 5, Cancel") << "Delta.sid" << 4 << false << 0;
    QTest::addRow("song 3 again, OK") << "Delta.sid" << 2 << true << 0;
    QTest::addRow("no PSID header") << "Two part.mus" << -1 << true << 0;
}

void TestSidDialogs::informationDialog()
{
    QFETCH(QString, tune);
    QFETCH(int, entry);
    QFETCH(bool, ok);
    QFETCH(int, storedSong);
    const QByteArray before = readFile(music(tune));
    frmVTRXSidInfo dialog(*m_state, music(tune));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Sid Tune Information"));
    QCOMPARE(m_state->CurrentTune.SidPath, music(tune));
    QCOMPARE(widget<QWidget>(&dialog, "cboTunes")->isHidden(), entry < 0);
    if (entry < 0)
        QCOMPARE(text(&dialog, "lblAuthor"), music::kInfoNoPsidText);
    else
        chooseSong(&dialog, entry);
    click(&dialog, ok ? "cmdOK" : "cmdCancel");
    QByteArray expected = before;
    if (storedSong)
        expected[c64::SidStartSongOffset + 1] = char(storedSong);
    QCOMPARE(readFile(music(tune)), expected);
}

QTEST_MAIN(TestSidDialogs)
#include "TestSidDialogs.moc"
