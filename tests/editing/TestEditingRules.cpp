// The editors' rules without a window (the name proposed for a file, the high-score sentinel, the pre-selection from a
// tune's header), and their writes on a real catalogue file read back by Debian's sqlite3: the new game's row for both
// emulator defaults, names refused in another letter case, a renamed publisher on every game that uses it.
#include "CatalogueFixtures.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/GameStore.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"
#include "editing/FieldRules.h"
#include "editing/LookupLists.h"
#include "editing/LookupStore.h"
#include "editing/NewGame.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTest>

using namespace editing;
using catalogue::LookupKind;
using testsupport::sqliteShell;

class TestEditingRules : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(catalogue::kFileName);
    catalogue::Catalogue m_cat;

private slots:
    void init()
    {
        const int nextYear = QDate::currentDate().year() + 1;
        QVERIFY(catalogue::createCatalogue(m_path));
        sqliteShell(m_path, QStringLiteral("INSERT INTO Years VALUES (1, 9999), (2, 1984), (3, %1);"
                                           "INSERT INTO Publishers VALUES (1, 'Ocean'), (2, 'Imagine'), (3, 'ace');"
                                           "INSERT INTO Musicians VALUES (1, 'Rob Hubbard');"
                                           "INSERT INTO Music VALUES ('Astro', 'astro.sid', 1);"
                                           "INSERT INTO Games (Name, PU_Id) VALUES ('Zork', 1), ('Arkanoid', 1), "
                                           "('Elite', 2)")
                                .arg(nextYear));
        QVERIFY(m_cat.open(m_path).ok());
    }
    void cleanup()
    {
        m_cat.close();
        QFile::remove(m_path);
    }

    void proposedName_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("name");
        // clang-format off
        QTest::newRow("article moved") << "the_last_ninja.d64" << "Last Ninja, The";
        QTest::newRow("five characters") << "a.d64" << "A";
        QTest::newRow("no dot") << "readme" << "Readme";
        QTest::newRow("sub-folder") << "SUB\\the_last_ninja.d64" << "Last Ninja, The";
        QTest::newRow("first dot ends it") << "STAR.WARS.D64" << "Star";
        QTest::newRow("four characters") << "ab.d" << "";
        QTest::newRow("leading dot") << ".hidden.d64" << "";
        QTest::newRow("no file") << "(None)" << "";
        // clang-format on
    }
    void proposedName()
    {
        QFETCH(QString, file);
        QTEST(proposedGameName(file), "name");
    }

    void highScore_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shownAgain");
        // clang-format off
        QTest::newRow("empty") << "" << "(Not Entered)" << "";
        QTest::newRow("words, any case") << " not ENTERED " << "(Not Entered)" << "";
        QTest::newRow("sentinel typed") << "(not entered)" << "(Not Entered)" << "";
        QTest::newRow("score") << " 48200 " << "48200" << "48200";
        QTest::newRow("longer text") << "Not entered yet" << "Not entered yet" << "Not entered yet";
        // clang-format on
    }
    void highScore()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(storedHighScore(typed), stored);
        QTEST(shownHighScore(stored), "shownAgain");
    }

    void preselection_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("entries"); // texts of keys 1, 2, ...
        QTest::addColumn<int>("currentKey");
        QTest::addColumn<bool>("adding");
        QTest::addColumn<QString>("author");
        QTest::addColumn<QString>("copyright");
        QTest::addColumn<int>("selected");
        const auto row = [](const char* name, LookupKind kind, const char* entries, int key, bool adding,
                            const char* author, const char* copyright, int selected) {
            QTest::newRow(name) << int(kind) << entries << key << adding << author << copyright << selected;
        };
        using K = LookupKind;
        // clang-format off
        row("musician: author, any case", K::Musician, "Ben Daglish|Rob Hubbard", 1, true, "ROB HUBBARD", "", 1);
        row("musician: not adding", K::Musician, "Ben Daglish|Rob Hubbard", 1, false, "Rob Hubbard", "", 0);
        row("publisher: part of a word only", K::Publisher, "Ace|Ocean", 2, true, "", "1985 Palace", 1);
        row("genre: exact case", K::Genre, "Action|Sports", 2, true, "", "action games", 1);
        row("nothing to go by: the game's value", K::Year, "(Unknown)|1987", 2, true, "", "", 1);
        row("the game's value is not listed", K::Year, "(Unknown)|1987", 9, false, "", "", -1);
        // clang-format on
    }
    void preselection()
    {
        QFETCH(int, kind);
        QFETCH(QString, entries);
        QFETCH(int, currentKey);
        QFETCH(bool, adding);
        QFETCH(QString, author);
        QFETCH(QString, copyright);
        QVector<LookupEntry> list;
        for (const QString& text : entries.split(u'|'))
            list.append({list.size() + 1, text});
        QTEST(preselectedEntry(LookupKind(kind), list, currentKey, {adding, author, copyright}), "selected");
    }

    // Both default emulators' ports; the unknown lookup keys; the file and its entry; never played.
    void newGameRow()
    {
        catalogue::GameStore store(m_cat.db());
        Settings settings;
        // CCS64 v1.9, then v2.0 Win32.
        for (const auto& [emulator, name, ports] :
             {std::tuple{0, "Ant Attack", "0|1|0|0|2"}, {2, "Uridium", "1|1|1|0|1"}}) {
            settings.TheDefaultEmulatorFlag = emulator;
            QVERIFY(store.addGame(newGameValues(name, "Disks\\a.d64", 2, true, settings)).ok());
            QCOMPARE(sqliteShell(m_path, "SELECT DirectX, Port1Joy, Port2Joy, Port1Key, Port2Key FROM Games WHERE "
                                         "rowid = (SELECT max(rowid) FROM Games)"),
                     ports);
        }
        QCOMPARE(sqliteShell(m_path, "SELECT \"Year Published\", PU_Id, MU_Id, GE_Id, RA_Id, DI_Id, PL_Id, Filename, "
                                     "\"Filename Index\", CCode, FA, SA, UseDefault, \"Personal Comment\", \"Music "
                                     "Filename\", HighScore, Trained, TimesPlayed, DateLastPlayed, DocFile, "
                                     "\"Screenshot Filename\" FROM Games WHERE Name = 'Ant Attack'"),
                 "1|37|38|1|1|8|5|Disks\\a.d64|2|8388608|1|0|1||(None)|(Not Entered)|0|0|(Never)|(None)|(None)");
    }

    void lookupWrites_data()
    {
        QTest::addColumn<QString>("change"); // "add KIND TEXT", "rename KIND KEY TEXT", "tune NAME"
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QString>("after"); // the games' publishers, the publishers, the musicians, the tunes
        const QString same = "Arkanoid=Ocean Elite=Imagine Zork=Ocean|ace Imagine Ocean|Rob Hubbard|Astro:1";
        const auto with = [&same](const char* from, const char* to) { return QString(same).replace(from, to); };
        const int done = int(LookupChange::Done), taken = int(LookupChange::Taken);
        // clang-format off
        QTest::newRow("publisher there in another case") << "add 5 OCEAN" << taken << same;
        QTest::newRow("publisher, blanks around") << "add 5   Gremlin  " << done << with("ace ", "ace Gremlin ");
        QTest::newRow("blanks only") << "add 5    " << int(LookupChange::EmptyName) << same;
        QTest::newRow("renamed: shows on every game") << "rename 5 1 Ocean Software" << done << with("Ocean", "Ocean Software");
        QTest::newRow("renamed in letter case only") << "rename 5 1 OCEAN" << done << with("Ocean", "OCEAN");
        QTest::newRow("renamed to itself") << "rename 5 1 Ocean" << int(LookupChange::Unchanged) << same;
        QTest::newRow("renamed to another in another case") << "rename 5 1 IMAGINE" << taken << same;
        QTest::newRow("tune there in another case") << "tune ASTRO" << taken << same;
        QTest::newRow("tune") << "tune  Bouncing Bytes " << done << same + " Bouncing Bytes:38";
        // clang-format on
    }
    void lookupWrites()
    {
        QFETCH(QString, change);
        const QStringList words = change.split(u' ');
        const LookupKind kind = LookupKind(words.value(1).toInt());
        LookupChange done;
        if (words[0] == u"add")
            done = addLookupValue(m_cat.db(), kind, change.section(u' ', 2));
        else if (words[0] == u"rename")
            done = renameLookupValue(m_cat.db(), kind, words[2].toLongLong(), change.section(u' ', 3));
        else
            done = addTune(m_cat.db(), change.section(u' ', 1), "new.sid");
        QTEST(int(done.outcome), "outcome");
        QTEST(sqliteShell(m_path, "SELECT (SELECT group_concat(n, ' ') FROM (SELECT g.Name || '=' || p.Publisher AS n "
                                  "FROM Games g JOIN Publishers p USING (PU_Id) ORDER BY g.Name)) || '|' || "
                                  "(SELECT group_concat(Publisher, ' ') FROM (SELECT Publisher FROM Publishers ORDER "
                                  "BY Publisher)) || '|' || (SELECT group_concat(Name, ' ') FROM Musicians) || '|' || "
                                  "(SELECT group_concat(Name || ':' || MU_Id, ' ') FROM Music)"),
              "after");
    }
};

QTEST_GUILESS_MAIN(TestEditingRules)
#include "TestEditingRules.moc"
