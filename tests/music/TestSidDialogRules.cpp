// The SID dialogs' rules without widgets: the folder guard and the name the catalogue stores (real folders,
// compared name by name), and the start-song list.

#include "music/SidDialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestSidDialogRules : public QObject
{
    Q_OBJECT

private slots:
    void folderGuardAndStoredName_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("stored"); // of "tune.sid" there; "" outside the tune folder
        // clang-format off
        QTest::addRow("the tune folder") << "Music" << "tune.sid";
        QTest::addRow("two folders down") << "Music/Hubbard/Deep" << "Hubbard\\Deep\\tune.sid";
        QTest::addRow("up and down again") << "Music/Hubbard/.." << "tune.sid";
        QTest::addRow("another letter case") << "MUSIC/hubbard" << "Hubbard\\tune.sid";
        QTest::addRow("link outside leading in") << "Other/LinkIn" << "Hubbard\\tune.sid";
        QTest::addRow("the parent") << "" << "";
        QTest::addRow("sibling starting with the name") << "Music2" << "";
        QTest::addRow("link inside leading out") << "Music/LinkOut" << "";
        QTest::addRow("missing folder") << "Music/Gone" << "";
        // clang-format on
    }
    void folderGuardAndStoredName()
    {
        QFETCH(QString, folder);
        QFETCH(QString, stored);
        QTemporaryDir dir;
        for (const char* f : {"Music/Hubbard/Deep", "Music2", "Other"})
            QVERIFY(QDir(dir.path()).mkpath(f));
        QVERIFY(QFile::link(dir.filePath("Other"), dir.filePath("Music/LinkOut")));
        QVERIFY(QFile::link(dir.filePath("Music/Hubbard"), dir.filePath("Other/LinkIn")));
        QCOMPARE(music::insideMusicFolder(dir.filePath(folder), dir.filePath("Music")), !stored.isEmpty());
        QCOMPARE(music::storedTuneName(dir.filePath(folder), "tune.sid", dir.filePath("Music")), stored);
    }

    void startSongList_data()
    {
        QTest::addColumn<int>("songs");
        QTest::addColumn<int>("startSong");
        QTest::addColumn<QString>("list"); // entries, first and last, the start song's entry
        QTest::addColumn<int>("chosen");
        QTest::addColumn<bool>("changed");
        QTest::addRow("12 songs, start 3, 3 again") << 12 << 3 << "12 1-12 at 2" << 2 << false;
        QTest::addRow("12 songs, start 3, 5 chosen") << 12 << 3 << "12 1-12 at 2" << 4 << true;
        QTest::addRow("start song 0") << 4 << 0 << "4 1-4 at -1" << 0 << true;
        QTest::addRow("start past the songs") << 4 << 9 << "4 1-4 at -1" << 3 << true;
        QTest::addRow("256 songs, start 256") << 256 << 256 << "256 1-256 at 255" << 255 << false;
        QTest::addRow("more songs than storable") << 0x8001 << 0x8000 << "256 1-256 at -1" << 255 << true;
        QTest::addRow("no songs") << 0 << 1 << "0 - at -1" << -1 << false;
    }
    void startSongList()
    {
        QFETCH(int, songs);
        QFETCH(int, startSong);
        QFETCH(QString, list);
        QFETCH(int, chosen);
        QFETCH(bool, changed);
        const QStringList entries = music::tuneEntries(songs);
        QCOMPARE(QStringLiteral("%1 %2-%3 at %4")
                     .arg(entries.size())
                     .arg(entries.value(0), entries.isEmpty() ? QString() : entries.last())
                     .arg(music::startSongEntry(startSong, int(entries.size()))),
                 list);
        QCOMPARE(music::startSongChanged(chosen, startSong), changed);
    }
};

QTEST_GUILESS_MAIN(TestSidDialogRules)
#include "TestSidDialogRules.moc"
