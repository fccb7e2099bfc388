// Music: playing a tune through a console player stand-in (the argument list, what a play refuses and tells, one player
// at a time, playing on in a session of its own with an input it holds open: no closed terminal or exit ends it); the
// SID dialogs' rules (the folder guard and stored name on real folders, the start-song list) and the SID file dialog
// offscreen (what it shows, what OK hands back and rewrites, add mode with the folder guard and Listen).

#include "MusicFixtures.h"
#include "SidFixtures.h"
#include "appstate/AppState.h"
#include "c64/SidHeader.h"
#include "data/settings/Settings.h"
#include "music/SidDialogs.h"
#include "music/TunePlayback.h"
#include "music/gui/frmVTRXSidFile.h"
#include "platform/ScriptedMessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using musictest::playerRuns;

static QByteArray linkOf(const QString& path) // "pipe:[1234]" for a pipe
{
    char buffer[256];
    const ssize_t n = ::readlink(QFile::encodeName(path).constData(), buffer, sizeof buffer);
    return n > 0 ? QByteArray(buffer, n) : QByteArray();
}

template <typename T = QWidget> static T* find(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

class TestMusic : public QObject
{
    Q_OBJECT

    QString music(const QString& relative) const { return m_dir->filePath("Music/" + relative); }
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<app::AppState> m_state;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_state = std::make_unique<app::AppState>(platform::Folders::inProgramFolder(m_dir->path()));
        m_state->settings.MusicPath = m_dir->filePath("Music");
        m_state->settings.SidplayWPath = musictest::writeFakePlayer(m_dir->filePath("Sid Player"));
        for (const char* tune : {"Hubbard/Commando.sid", "Delta.sid"})
            QVERIFY(testsupport::writeFile(music(tune), sidtest::psidTune())); // 12 songs, start song 3
        QVERIFY(testsupport::writeFile(music("Two part.mus"), QByteArray(300, 'm')));
        QVERIFY(QDir(m_dir->path()).mkpath("Music2") && QDir(m_dir->path()).mkpath("Other") &&
                QFile::link(m_dir->filePath("Other"), music("LinkOut")));
    }
    void cleanup() { musictest::stopAll(m_state->settings.SidplayWPath); }

    void folderGuardAndStoredName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("stored"); // of "tune.sid" there; "" outside the tune folder
        // clang-format off
        QTest::addRow("the tune folder") << "Music" << "tune.sid";
        QTest::addRow("another letter case") << "MUSIC/hubbard" << "Hubbard\\tune.sid";
        QTest::addRow("sibling starting with the name") << "Music2" << "";
        QTest::addRow("link inside leading out") << "Music/LinkOut" << "";
        // clang-format on
    }
    void folderGuardAndStoredName()
    {
        QFETCH(QString, folder);
        QFETCH(QString, stored);
        const QString musicPath = m_dir->filePath("Music");
        QCOMPARE(music::insideMusicFolder(m_dir->filePath(folder), musicPath), !stored.isEmpty());
        QCOMPARE(music::storedTuneName(m_dir->filePath(folder), "tune.sid", musicPath), stored);
    }
    // The list stops at the 256 songs a start song can name; a start song outside it selects no entry, and then any
    // entry chosen is a change.
    void startSongList()
    {
        QCOMPARE(music::tuneEntries(0x8001).size(), 256);
        QCOMPARE(music::tuneEntries(256).last() + music::tuneEntries(0).join(""), "256");
        QCOMPARE(QList<int>({music::startSongEntry(256, 256), music::startSongEntry(0x8000, 256),
                             music::startSongEntry(0, 4)}),
                 QList<int>({255, -1, -1}));
        QVERIFY(music::startSongChanged(255, 0x8000) && !music::startSongChanged(255, 256) &&
                !music::startSongChanged(-1, 1));
    }
    void fileDialog_data()
    {
        QTest::addColumn<QString>("tune");   // the game's
        QTest::addColumn<QString>("action"); // "song N", "file NAME", "read-only, song N"
        QTest::addColumn<QString>("author"); // lblAuthor, bold unless it shows an author
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("startSong"); // in the file afterwards
        const QString a = "A. Composer";
        // clang-format off
        QTest::addRow("sub-folder tune, song 5") << "HUBBARD\\Commando.sid" << "song 5" << a << "Hubbard\\Commando.sid" << 5;
        QTest::addRow(".mus file") << "Delta.sid" << "file Two part.mus" << music::kNoPsidText << "Two part.mus" << 3;
        QTest::addRow("read-only tune") << "Delta.sid" << "read-only, song 5" << a << "Delta.sid" << 3;
        // clang-format on
    }
    // A tune nobody may write is not rewritten (a rename over it would succeed): the user is told why.
    void fileDialog()
    {
        QFETCH(QString, tune);
        QFETCH(QString, action);
        QFETCH(QString, author);
        QFETCH(QString, stored);
        QFETCH(int, startSong);
        const QString file = music(stored.endsWith(".sid") ? QString(stored).replace('\\', '/') : "Delta.sid");
        if (action.startsWith("read-only"))
            QFile::setPermissions(file, QFile::ReadOwner);
        platform::ScriptedMessageBox box;
        frmVTRXSidFile dialog(*m_state, music::sidTuneCaption("Commando"), tune, false);
        if (action.contains("song")) {
            find<QComboBox>(&dialog, "cboTunes")->setCurrentIndex(action.right(1).toInt() - 1);
            emit find<QComboBox>(&dialog, "cboTunes")->activated(action.right(1).toInt() - 1);
        }
        auto* files = find<QListWidget>(&dialog, "FileBox");
        if (action.startsWith("file"))
            files->setCurrentItem(files->findItems(action.mid(5), Qt::MatchExactly).value(0));
        QCOMPARE(find<QLabel>(&dialog, "lblAuthor")->text(), author);
        QCOMPARE(
            QList<bool>({find<QLabel>(&dialog, "lblAuthor")->font().bold(), find(&dialog, "cboTunes")->isHidden()}),
            QList<bool>(2, author != "A. Composer"));
        QCOMPARE(find<QLabel>(&dialog, "lblName")->text(), stored.section('\\', -1));
        find<QPushButton>(&dialog, "cmdOK")->click();
        QCOMPARE(dialog.chosenTune(), stored);
        QCOMPARE(testsupport::readFile(file).at(c64::SidStartSongOffset + 1), char(startSong));
        QCOMPARE(box.count(), int(action.startsWith("read-only")));
    }
    // The add-tune flow's mode: nothing chosen and OK off at first; above or beside the tune folder the lists
    // spring back; the chosen file can be listened to and is handed back as the catalogue stores it.
    void addModeInsideTheTuneFolder()
    {
        frmVTRXSidFile dialog(*m_state, music::kNewTuneCaption, "Delta.sid", true);
        auto* dirs = find<QListWidget>(&dialog, "DirBox");
        auto* files = find<QListWidget>(&dialog, "FileBox");
        for (const char* b : {"cmdOK", "cmdNone", "cmdRun"})
            QVERIFY2(!find(&dialog, b)->isEnabled(), b);
        QCOMPARE(files->count(), 1); // "*.sid;*.dat": no .mus for a new tune
        for (const char* entry : {"..", "Hubbard", "..", ".."})
            emit dirs->itemActivated(dirs->findItems(entry, Qt::MatchExactly).value(0));
        QCOMPARE(find<QLabel>(&dialog, "lblFolder")->text(), m_dir->filePath("Music"));
        emit dirs->itemActivated(dirs->findItems("Hubbard", Qt::MatchExactly).value(0));
        files->setCurrentItem(files->findItems("Commando.sid", Qt::MatchExactly).value(0));
        find<QPushButton>(&dialog, "cmdRun")->click(); // Listen
        QCOMPARE(musictest::playerRuns(m_state->settings.SidplayWPath, 1).value(0).arguments,
                 QStringList{music("Hubbard/Commando.sid")});
        find<QPushButton>(&dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenTune(), QStringLiteral("Hubbard\\Commando.sid"));
    }
    // The game's play tells why it cannot play; the category window's play says nothing, whatever stops it.
    void playOrRefuse_data()
    {
        QTest::addColumn<QString>("call");   // "game", "category", "stand-alone" (a category's own tune)
        QTest::addColumn<QString>("player"); // below the temp folder
        QTest::addColumn<QString>("tune");
        QTest::addColumn<QString>("message"); // %1 the temp folder
        QTest::addColumn<bool>("plays");
        const QString p = "Sid Player/sidplayfp", t = "Hubbard\\it's \"$(x)\".sid";
        // clang-format off
        QTest::addRow("player missing") << "game" << "Sid Player/gone" << t << "FILE NOT FOUND: %1/Sid Player/gone" << false;
        QTest::addRow("plays, names as on the disk") << "game" << "SID PLAYER/SIDPLAYFP" << "hubbard\\it's \"$(x)\".SID" << "" << true;
        QTest::addRow("stand-alone tune") << "stand-alone" << p << "(None)" << "" << true; // a file may bear that name
        QTest::addRow("category, game without a tune") << "category" << p << "(None)" << "" << false;
        // clang-format on
    }
    void playOrRefuse()
    {
        QFETCH(QString, call);
        QFETCH(QString, player);
        QFETCH(QString, tune);
        QFETCH(QString, message);
        QFETCH(bool, plays);
        QVERIFY(testsupport::writeFile(music("Hubbard/it's \"$(x)\".sid"), "PSID") &&
                testsupport::writeFile(music("(None)"), "PSID"));
        Settings s = m_state->settings;
        s.SidplayWPath = m_dir->filePath(player);
        platform::StartedPlayer started;
        platform::ScriptedMessageBox box;
        QCOMPARE(call == "game" ? music::PlayGameTune(s, tune, started)
                                : music::PlayCategoryTune(s, tune, call == "stand-alone", started),
                 plays);
        QCOMPARE(box.texts(), message.isEmpty() ? QStringList() : QStringList{message.arg(m_dir->path())});
        const QList<musictest::PlayerRun> runs = playerRuns(m_state->settings.SidplayWPath, plays);
        QCOMPARE(runs.size(), int(plays));
        if (call == "game" && plays)
            QCOMPARE(runs[0].folder + '|' + runs[0].arguments.join('|'),
                     m_dir->filePath("Sid Player") + '|' + music("Hubbard/it's \"$(x)\".sid"));
    }
    // A console player takes no second tune from a new copy: the one this program started goes first, even when it
    // ignores being asked to end, and so does a player left playing by an earlier run (found as a game start finds
    // it; it used to play on under the new tune).
    void onePlayerAtATimePlayingOnItsOwn()
    {
        const Settings s = m_state->settings;
        musictest::writeFakePlayer(m_dir->filePath("Sid Player"), true);
        QVERIFY(testsupport::writeFile(music("a.sid"), "PSID") && testsupport::writeFile(music("b.sid"), "x"));
        QProcess earlier;
        earlier.start(s.SidplayWPath, {"earlier.sid"});
        QVERIFY(earlier.waitForStarted() && playerRuns(s.SidplayWPath, 1).size() == 1);
        platform::StartedPlayer started;
        QVERIFY(music::PlayGameTune(s, "a.sid", started));
        QVERIFY(earlier.waitForFinished(100));
        QCOMPARE(playerRuns(s.SidplayWPath, 2).size(), 2);
        QVERIFY(music::PlayGameTune(s, "b.sid", started));
        const QList<musictest::PlayerRun> runs = playerRuns(s.SidplayWPath, 3);
        QCOMPARE(musictest::tunesPlayed(s.SidplayWPath, 3), "earlier.sid a.sid b.sid");
        QVERIFY(!musictest::running(runs[1].pid));

        QTest::qWait(600); // a console player whose input ended would be gone by now
        QVERIFY(musictest::running(runs[2].pid) && runs[2].pid == started.pid);
        QVERIFY(getsid(pid_t(started.pid)) != getsid(0));
        const QByteArray input = linkOf(QStringLiteral("/proc/%1/fd/0").arg(started.pid));
        QVERIFY2(input.startsWith("pipe:"), input.constData());
        for (const QString& fd : QDir("/proc/self/fd").entryList(QDir::System | QDir::NoDotAndDotDot))
            QVERIFY(linkOf("/proc/self/fd/" + fd) != input);
    }
};

QTEST_MAIN(TestMusic)
#include "TestMusic.moc"
