// The bookmark table's rules: moving slots, editing one, and which addresses may be opened.
#include "prefs/Bookmarks.h"

#include <QTest>

using namespace prefs;

class TestBookmarkRules : public QObject
{
    Q_OBJECT

private slots:
    void movingExchangesTitlesAndAddresses();
    void editedSlot_data();
    void editedSlot();
    void openableAddresses_data();
    void openableAddresses();
};

void TestBookmarkRules::movingExchangesTitlesAndAddresses()
{
    FavouriteTable table;
    for (int i = 0; i < FavouriteCount; ++i)
        table[std::size_t(i)] = {QStringLiteral("Site %1").arg(i), QStringLiteral("https://site%1.example/").arg(i)};
    table[3] = {QString(), QStringLiteral("https://blank.example/")};

    QCOMPARE(moveFavouriteUp(table, 4), 3);
    QCOMPARE(table[3], (Favourite{"Site 4", "https://site4.example/"}));
    // An empty title was shown as "Empty" and is stored so.
    QCOMPARE(table[4], (Favourite{"Empty", "https://blank.example/"}));

    QCOMPARE(moveFavouriteDown(table, 3), 4);
    QCOMPARE(table[4], (Favourite{"Site 4", "https://site4.example/"}));
    QCOMPARE(table[3], (Favourite{"Empty", "https://blank.example/"}));

    // The ends stay where they are, and their buttons say so.
    QCOMPARE(moveButtonsFor(0), (MoveButtons{false, true}));
    QCOMPARE(moveButtonsFor(7), (MoveButtons{true, true}));
    QCOMPARE(moveButtonsFor(19), (MoveButtons{true, false}));
    const FavouriteTable before = table;
    QCOMPARE(moveFavouriteUp(table, 0), 0);
    QCOMPARE(moveFavouriteDown(table, 19), 19);
    QVERIFY(table == before);
}

void TestBookmarkRules::editedSlot_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("greyed");
    QTest::addColumn<QString>("storedTitle");
    QTest::addColumn<QString>("storedAddress");
    const QString url = QStringLiteral("https://www.lemon64.com/");
    QTest::newRow("empty") << QString("empty") << true << QString("Empty") << QString();
    QTest::newRow("eMpTy") << QString("eMpTy") << true << QString("Empty") << QString();
    QTest::newRow("no title") << QString() << false << QString("Empty") << QString();
    QTest::newRow("a title") << QString("Lemon64") << false << QString("Lemon64") << url;
    QTest::newRow("empty inside") << QString("Empty Disks") << false << QString("Empty Disks") << url;
}

void TestBookmarkRules::editedSlot()
{
    QFETCH(QString, title);
    QFETCH(bool, greyed);
    QFETCH(QString, storedTitle);
    QFETCH(QString, storedAddress);
    QCOMPARE(titleMarksUnused(title), greyed);
    QCOMPARE(editedFavourite(title, QStringLiteral("https://www.lemon64.com/")),
             (Favourite{storedTitle, storedAddress}));
    QCOMPARE(listTextOf(Favourite{title, {}}), title.isEmpty() ? QStringLiteral("Empty") : title);
}

void TestBookmarkRules::openableAddresses_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("opened"); // "" refused
    QTest::newRow("https") << QString("https://www.lemon64.com/") << QString("https://www.lemon64.com/");
    QTest::newRow("HTTP") << QString("HTTP://c64.com/games") << QString("HTTP://c64.com/games");
    QTest::newRow("ftp") << QString("ftp://ftp.zimmers.net/pub/cbm/") << QString("ftp://ftp.zimmers.net/pub/cbm/");
    QTest::newRow("mailto") << QString("mailto:someone@example.com") << QString("mailto:someone@example.com");
    QTest::newRow("blanks round") << QString("  https://csdb.dk/  ") << QString("https://csdb.dk/");
    QTest::newRow("no scheme") << QString("www.lemon64.com") << QString("http://www.lemon64.com");
    QTest::newRow("file") << QString("file:///etc/passwd") << QString("");
    QTest::newRow("javascript") << QString("javascript:alert(1)") << QString("");
    QTest::newRow("drive") << QString("C:\\Windows\\notepad.exe") << QString("");
    QTest::newRow("absolute path") << QString("/usr/bin/xterm") << QString("");
    QTest::newRow("home path") << QString("~/.bashrc") << QString("");
    QTest::newRow("relative path") << QString("../Vintrax.mdb") << QString("");
    QTest::newRow("no host") << QString("http://") << QString("");
    QTest::newRow("no mail address") << QString("mailto:") << QString("");
    QTest::newRow("nothing") << QString("") << QString("");
}

void TestBookmarkRules::openableAddresses()
{
    QFETCH(QString, address);
    QFETCH(QString, opened);
    const std::optional<QString> result = openableAddress(address);
    QCOMPARE(result.value_or(QString()), opened);
}

QTEST_GUILESS_MAIN(TestBookmarkRules)
#include "TestBookmarkRules.moc"
