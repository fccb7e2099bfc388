// The bookmark table's rules: moving slots, editing one, and which addresses may be opened.
#include "prefs/Bookmarks.h"

#include <QTest>

using namespace prefs;

class TestBookmarkRules : public QObject
{
    Q_OBJECT

private slots:
    void moveButtons_data();
    void moveButtons();
    void movingExchangesTitlesAndAddresses();
    void editedSlot_data();
    void editedSlot();
    void openableAddresses_data();
    void openableAddresses();
};

void TestBookmarkRules::moveButtons_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");
    QTest::newRow("first") << 0 << false << true;
    QTest::newRow("middle") << 7 << true << true;
    QTest::newRow("last") << 19 << true << false;
}

void TestBookmarkRules::moveButtons()
{
    QFETCH(int, line);
    QFETCH(bool, up);
    QFETCH(bool, down);
    QCOMPARE(moveButtonsFor(line), (MoveButtons{up, down}));
}

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

    // The ends stay where they are.
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
    QTest::newRow("empty") << "empty" << true << "Empty"
                           << "";
    QTest::newRow("EMPTY") << "EMPTY" << true << "Empty"
                           << "";
    QTest::newRow("eMpTy") << "eMpTy" << true << "Empty"
                           << "";
    QTest::newRow("no title") << "" << false << "Empty"
                              << "";
    QTest::newRow("a title") << "Lemon64" << false << "Lemon64" << url;
    QTest::newRow("empty inside") << "Empty Disks" << false << "Empty Disks" << url;
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
    QTest::newRow("https") << "https://www.lemon64.com/"
                           << "https://www.lemon64.com/";
    QTest::newRow("HTTP") << "HTTP://c64.com/games"
                          << "HTTP://c64.com/games";
    QTest::newRow("ftp") << "ftp://ftp.zimmers.net/pub/cbm/"
                         << "ftp://ftp.zimmers.net/pub/cbm/";
    QTest::newRow("mailto") << "mailto:someone@example.com"
                            << "mailto:someone@example.com";
    QTest::newRow("blanks round") << "  https://csdb.dk/  "
                                  << "https://csdb.dk/";
    QTest::newRow("no scheme") << "www.lemon64.com"
                               << "http://www.lemon64.com";
    QTest::newRow("file") << "file:///etc/passwd"
                          << "";
    QTest::newRow("javascript") << "javascript:alert(1)"
                                << "";
    QTest::newRow("data") << "data:text/html,<script>alert(1)</script>"
                          << "";
    QTest::newRow("smb") << "smb://server/share"
                         << "";
    QTest::newRow("drive") << "C:\\Windows\\notepad.exe"
                           << "";
    QTest::newRow("absolute path") << "/usr/bin/xterm"
                                   << "";
    QTest::newRow("home path") << "~/.bashrc"
                               << "";
    QTest::newRow("relative path") << "../Vintrax.mdb"
                                   << "";
    QTest::newRow("no host") << "http://"
                             << "";
    QTest::newRow("no mail address") << "mailto:"
                                     << "";
    QTest::newRow("nothing") << ""
                             << "";
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
