// The SID dialogs' rules (the folder guard and stored name on real folders, the start-song list), then the SID file
// dialog offscreen: what it shows, what OK hands back and rewrites, and add mode with the folder guard and Listen.

#include "MusicFixtures.h"
#include "SidFixtures.h"
#include "appstate/AppState.h"
#include "c64/SidHeader.h"
#include "music/SidDialogs.h"
#include "music/gui/frmVTRXSidFile.h"
#include "platform/ScriptedMessageBox.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

template <typename T = QWidget> static T* find(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QString::fromLatin1(name));
}

class TestSidDialogs : public QObject
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
        m_state->settings.SidplayWPath = musictest::writeFakePlayer(m_dir->path());
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
        QTest::addRow("the parent") << "" << "";
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
        QTest::addRow("sub-folder tune, OK") << "HUBBARD\\Commando.sid" << "" << a << "Hubbard\\Commando.sid" << 3;
        QTest::addRow("song 5") << "Delta.sid" << "song 5" << a << "Delta.sid" << 5;
        QTest::addRow(".mus file") << "Delta.sid" << "file Two part.mus" << music::kNoPsidText << "Two part.mus" << 3;
        QTest::addRow("tune missing") << "Gone.sid" << "" << music::kNoFileText << "" << 3;
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
        QCOMPARE(QList<bool>({find<QLabel>(&dialog, "lblAuthor")->font().bold(), find(&dialog, "cboTunes")->isHidden()}),
                 QList<bool>(2, author != "A. Composer"));
        QCOMPARE(find<QLabel>(&dialog, "lblName")->text(),
                 stored.isEmpty() ? music::kNoneSelected : stored.section('\\', -1));
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
        emit files->itemDoubleClicked(files->currentItem()); // Listen
        QCOMPARE(musictest::playerRuns(m_state->settings.SidplayWPath, 1).value(0).arguments,
                 QStringList{music("Hubbard/Commando.sid")});
        find<QPushButton>(&dialog, "cmdOK")->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenTune(), QStringLiteral("Hubbard\\Commando.sid"));
    }
};

QTEST_MAIN(TestSidDialogs)
#include "TestSidDialogs.moc"
