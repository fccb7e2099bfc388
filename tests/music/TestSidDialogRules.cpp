// The SID dialogs' rules without their widgets: where the file dialog opens, the folder guard (real folders,
// compared name by name), the names the catalogue stores, the start-song list and what OK stores for a game.

#include "TestFolders.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/settings/Settings.h"
#include "music/SidDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace music;

class TestSidDialogRules : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void folderGuard_data();
    void folderGuard();
    void storedName_data();
    void storedName();
    void dialogStart_data();
    void dialogStart();
    void startSongList_data();
    void startSongList();
    void storedForTheGame_data();
    void storedForTheGame();

private:
    QString path(const QString& relative) const { return m_dir.filePath(relative); }
    QTemporaryDir m_dir;
};

void TestSidDialogRules::initTestCase()
{
    for (const char* folder : {"Music/Hubbard/Deep", "Music2", "Other"})
        QVERIFY(QDir(m_dir.path()).mkpath(folder));
    QVERIFY(testsupport::writeFile(path("Music/Hubbard/Commando.sid"), "PSID"));
    QVERIFY(QFile::link(path("Other"), path("Music/LinkOut")));
    QVERIFY(QFile::link(path("Music/Hubbard"), path("Other/LinkIn")));
}

void TestSidDialogRules::folderGuard_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("inside");
    QTest::addRow("the tune folder") << "Music" << true;
    QTest::addRow("a sub-folder") << "Music/Hubbard/Deep" << true;
    QTest::addRow("up and down again") << "Music/Hubbard/.." << true;
    QTest::addRow("another letter case") << "MUSIC/hubbard" << true;
    QTest::addRow("the parent") << "" << false;
    QTest::addRow("sibling starting with the name") << "Music2" << false;
    QTest::addRow("up and across") << "Music/../Other" << false;
    QTest::addRow("link inside leading out") << "Music/LinkOut" << false;
    QTest::addRow("link outside leading in") << "Other/LinkIn" << true;
    QTest::addRow("missing folder") << "Music/Gone" << false;
}

void TestSidDialogRules::folderGuard()
{
    QFETCH(QString, folder);
    QFETCH(bool, inside);
    QCOMPARE(insideMusicFolder(path(folder), path("Music")), inside);
}

void TestSidDialogRules::storedName_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("stored");
    QTest::addRow("directly in the tune folder") << "Music"
                                                 << "tune.sid";
    QTest::addRow("two folders down") << "Music/Hubbard/Deep"
                                      << "Hubbard\\Deep\\tune.sid";
    QTest::addRow("through a link") << "Other/LinkIn"
                                    << "Hubbard\\tune.sid";
    QTest::addRow("a sibling folder") << "Music2"
                                      << "";
}

void TestSidDialogRules::storedName()
{
    QFETCH(QString, folder);
    QFETCH(QString, stored);
    QCOMPARE(storedTuneName(path(folder), "tune.sid", path("Music")), stored);
}

void TestSidDialogRules::dialogStart_data()
{
    QTest::addColumn<bool>("addMode");
    QTest::addColumn<QString>("tune");
    QTest::addColumn<bool>("player");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("run");
    QTest::addRow("tune in a sub-folder")
        << false << "HUBBARD\\Commando.sid" << true << "Music/Hubbard" << kAllTunesPattern << "Commando.sid" << true;
    QTest::addRow("no player to listen") << false << "Hubbard\\Commando.sid" << false << "Music/Hubbard"
                                         << kAllTunesPattern << "Commando.sid" << false;
    QTest::addRow("tune missing") << false << "Hubbard\\Gone.sid" << true << "Music" << kNewTunesPattern << "" << false;
    QTest::addRow("no tune") << false << "(None)" << true << "Music" << kNewTunesPattern << "" << false;
    QTest::addRow("add mode") << true << "Hubbard\\Commando.sid" << true << "Music" << kNewTunesPattern << "" << false;
}

void TestSidDialogRules::dialogStart()
{
    QFETCH(bool, addMode);
    QFETCH(QString, tune);
    QFETCH(bool, player);
    QFETCH(QString, folder);
    QFETCH(QString, pattern);
    QFETCH(QString, file);
    QFETCH(bool, run);
    Settings s;
    s.MusicPath = path("Music");
    s.SidplayWPath = player ? QStringLiteral("/usr/bin/sidplayfp") : QString();
    const SidFileStart start = sidFileStart(addMode, tune, s);
    QCOMPARE(start.folder, path(folder));
    QCOMPARE(start.pattern, pattern);
    QCOMPARE(start.fileName, file);
    QCOMPARE(start.runEnabled, run);
}

void TestSidDialogRules::startSongList_data()
{
    QTest::addColumn<int>("songs");
    QTest::addColumn<int>("startSong");
    QTest::addColumn<int>("entries");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<bool>("changed");
    QTest::addRow("12 songs, start 3, 3 again") << 12 << 3 << 12 << 2 << 2 << false;
    QTest::addRow("12 songs, start 3, 5 chosen") << 12 << 3 << 12 << 2 << 4 << true;
    QTest::addRow("start song 0") << 4 << 0 << 4 << -1 << 0 << true;
    QTest::addRow("start song past the songs") << 4 << 9 << 4 << -1 << 3 << true;
    QTest::addRow("256 songs, start 256") << 256 << 256 << 256 << 255 << 255 << false;
    QTest::addRow("more songs than storable") << 0x8001 << 0x8000 << 256 << -1 << 255 << true;
    QTest::addRow("no songs") << 0 << 1 << 0 << -1 << -1 << false;
}

void TestSidDialogRules::startSongList()
{
    QFETCH(int, songs);
    QFETCH(int, startSong);
    QFETCH(int, entries);
    QFETCH(int, selected);
    QFETCH(int, chosen);
    QFETCH(bool, changed);
    const QStringList list = tuneEntries(songs);
    QCOMPARE(list.size(), entries);
    if (entries > 0)
        QCOMPARE(list.first() + ' ' + list.last(), QStringLiteral("1 %1").arg(entries));
    QCOMPARE(startSongEntry(startSong, int(list.size())), selected);
    QCOMPARE(startSongChanged(chosen, startSong), changed);
}

void TestSidDialogRules::storedForTheGame_data()
{
    QTest::addColumn<QString>("tune");
    QTest::addColumn<QString>("gameFile");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("sa");
    QTest::addColumn<int>("colour");
    QTest::addRow("game file and tune") << "Hubbard\\a.sid"
                                        << "a.d64"
                                        << "Hubbard\\a.sid" << true << int(catalogue::kBlack);
    QTest::addRow("game file, tune cleared") << ""
                                             << "a.d64"
                                             << "(None)" << false << int(catalogue::kBlue);
    QTest::addRow("tune only") << "a.sid"
                               << "(None)"
                               << "a.sid" << true << int(catalogue::kRed);
    QTest::addRow("neither") << ""
                             << "(None)"
                             << "(None)" << false << int(catalogue::kGrey);
}

void TestSidDialogRules::storedForTheGame()
{
    QFETCH(QString, tune);
    QFETCH(QString, gameFile);
    QFETCH(QString, stored);
    QFETCH(bool, sa);
    QFETCH(int, colour);
    namespace field = catalogue::field;
    const catalogue::FieldValues expected{{field::MusicFilename, stored}, {field::SA, sa}, {field::CCode, colour}};
    QCOMPARE(tuneFieldValues(tune, gameFile), expected);
}

QTEST_GUILESS_MAIN(TestSidDialogRules)
#include "TestSidDialogRules.moc"
