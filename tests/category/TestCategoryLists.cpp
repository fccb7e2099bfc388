// The category browser's rules on a real catalogue file: the years listed, the games of a value in each of the three
// views with a musician's tunes after them, the find over the list and the tunes, and the captions.
#include "CatalogueFixtures.h"
#include "category/CategoryCaption.h"
#include "category/CategoryLists.h"
#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/Schema.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTest>

using namespace category;

namespace {

// "text" for a game, "text/colour" when the colour is not black; tunes carry their suffix and file.
QString shown(const FoundList& found)
{
    QStringList lines;
    for (const FoundEntry& e : found.entries)
        lines << (e.kind == FoundEntry::Tune ? e.text() + '=' + e.tuneFile
                  : e.colourCode             ? e.text() + '/' + QString::number(e.colourCode, 16)
                                             : e.text());
    return lines.join(" | ");
}

} // namespace

class TestCategoryLists : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(catalogue::kFileName);
    catalogue::Catalogue m_cat;
    const int m_year = QDate::currentDate().year();

private slots:
    void initTestCase()
    {
        QVERIFY(catalogue::createCatalogue(m_path));
        // Genre 4 holds a game of each colour; musician 1 has two games and five tunes.
        testsupport::sqliteShell(
            m_path,
            QStringLiteral(
                "INSERT INTO Years VALUES (1, 9999), (2, 1984), (3, %1), (4, %2);"
                "INSERT INTO Genres VALUES (1, '(Unknown)'), (4, 'Arcade'), (2, 'Action');"
                "INSERT INTO Musicians VALUES (1, 'Rob Hubbard'), (2, 'Ben Daglish');"
                "INSERT INTO Games (Name, CCode, FA, SA, GE_Id, MU_Id, PU_Id) VALUES "
                "('Armalyte', 0, 1, 1, 4, 1, 1), ('Bomb Jack', 8388608, 1, 0, 4, 1, 2), "
                "('Commando', 128, 0, 1, 4, 2, 2), ('Zork', 8421504, 0, 0, 4, 2, 3);"
                "INSERT INTO Music VALUES ('Hubbard 1', 'Hub\\1.sid', 1), ('Hubbard 2', 'Hub\\2.sid', 1), "
                "('Hubbard 3', 'Hub\\3.sid', 1), ('Hubbard 4', 'Hub\\4.sid', 1), ('Hubbard 5', 'Hub\\5.sid', 1), "
                "('100% \"Pure\"', 'p.sid', 2);")
                .arg(m_year)
                .arg(m_year + 1));
        QVERIFY(m_cat.open(m_path).ok());
        // The lists read through an index per key field, made when missing; made again, nothing changes.
        QVERIFY(catalogue::createLookupIndexes(m_cat.db()) && catalogue::createLookupIndexes(m_cat.db()));
        QCOMPARE(testsupport::sqliteShell(m_path, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'Games\\_%' "
                                                  "ESCAPE '\\' AND name <> 'Games_Name'"),
                 "7");
    }

    // A year after this one is not listed; 9999 is the unknown year.
    void yearsListed()
    {
        QStringList got;
        for (const CategoryValue& v : readCategoryValues(m_cat.db(), *categoryInfo(2), m_year).values)
            got << QString::number(v.id) + ':' + v.text;
        QCOMPARE(got.join(' '), QStringLiteral("1:(Unknown) 2:1984 3:%1").arg(m_year));
    }

    void gamesOfAValue_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("games");
        QTest::addRow("all games") << 4 << 4 << 0 << "Armalyte | Bomb Jack/800000 | Commando/80 | Zork/808080";
        QTest::addRow("playable") << 4 << 4 << 1 << "Armalyte | Bomb Jack/800000";
        QTest::addRow("with tunes") << 4 << 4 << 2 << "Armalyte | Commando/80";
        QTest::addRow("musician: games of the view, then every tune") << 3 << 1 << 1
            << "Armalyte | Bomb Jack/800000 | Hubbard 1 (Sid)=Hub\\1.sid | Hubbard 2 (Sid)=Hub\\2.sid | Hubbard 3 "
               "(Sid)=Hub\\3.sid | Hubbard 4 (Sid)=Hub\\4.sid | Hubbard 5 (Sid)=Hub\\5.sid";
    }
    void gamesOfAValue()
    {
        QFETCH(int, kind);
        QFETCH(int, id);
        QFETCH(int, view);
        const FoundList found =
            readCategoryGames(m_cat.db(), *categoryInfo(kind), id, static_cast<catalogue::GameListView>(view));
        QVERIFY(found.ok);
        QTEST(shown(found), "games");
    }

    // The list's rows are searched as they stand, in any letter case, and come first; the tunes follow from the
    // catalogue's search (whose wildcards and quotes are the data layer's table).
    void findTakesTheTextAsItStands_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found");
        // clang-format off
        QTest::addRow("any letter case") << "bOMB" << "Bomb Jack/800000";
        QTest::addRow("percent") << "0%" << "Game 100% | 100% \"Pure\" (Sid)=p.sid";
        QTest::addRow("nothing") << "xyz" << "";
        // clang-format on
    }
    void findTakesTheTextAsItStands()
    {
        QFETCH(QString, text);
        // The main window's list as it shows: its games come first, in its order.
        const QList<std::pair<QString, int>> list = {
            {"Bomb Jack", 0x800000}, {"Rob's", 0}, {"Galaxy", 0}, {"Game 100%", 0}};
        const FoundList result = findGamesAndTunes(m_cat.db(), text, int(list.size()), [&](int r) { return list[r]; });
        QVERIFY(result.ok);
        QTEST(shown(result), "found");
    }

    void captions_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value"); // "-" for none chosen
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("noneFound");
        QTest::addColumn<QString>("caption");
        // clang-format off
        QTest::addRow("one game") << 2 << "1984" << 1 << false << "YEAR PUBLISHED  -  1984  (1 game)";
        QTest::addRow("musician's lines are tunes") << 3 << "Rob Hubbard" << 7 << false << "MUSICIANS  -  Rob Hubbard  (7 tunes)";
        QTest::addRow("one tune") << 3 << "Rob Hubbard" << 1 << false << "MUSICIANS  -  Rob Hubbard  (1 tune)";
        QTest::addRow("none available") << 6 << "Hard" << 1 << true << "DIFFICULTY LEVEL  -  Hard  (0 games)";
        QTest::addRow("no tunes available") << 3 << "Yip" << 1 << true << "MUSICIANS  -  Yip  (0 tunes)";
        QTest::addRow("none chosen") << 7 << "-" << 0 << false << "PERSONAL RATINGS  -  None Selected";
        QTest::addRow("none chosen, publishers") << 1 << "-" << 0 << false << "PUBLISHERS - None Selected";
        // clang-format on
    }
    void captions()
    {
        QFETCH(int, kind);
        QFETCH(QString, value);
        QFETCH(int, lines);
        QFETCH(bool, noneFound);
        const std::optional<QString> chosen = value == "-" ? std::nullopt : std::optional(value);
        QTEST(categoryCaption(*categoryInfo(kind), chosen, lines, noneFound), "caption");
    }
};

QTEST_GUILESS_MAIN(TestCategoryLists)
#include "TestCategoryLists.moc"
