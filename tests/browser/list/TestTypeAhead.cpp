// Type-ahead search over a list of names with a hand-driven tick counter, including the counter's
// wrap-around after 2^32 ms.
#include "browser/TypeAhead.h"

#include <QStringList>
#include <QTest>

using namespace browser;

namespace {

const QStringList kRows = {
    "Armalyte",      // 0
    "Boulder Dash",  // 1
    "Bubble Bobble", // 2
    "Buggy Boy",     // 3
    "bump 'n' jump", // 4
    "Ultima IV",     // 5
    "Uridium",       // 6
    "Zork",          // 7
};

struct Harness
{
    quint32 ticks = 0;
    int selected = -1;
    TypeAhead search{[this] { return ticks; }};

    // Presses a key as the list does: a returned row becomes the selection.
    std::optional<int> press(int key, const QStringList& rows = kRows)
    {
        const std::optional<int> row =
            search.keyPress(key, static_cast<int>(rows.size()), selected, [&rows](int r) { return rows[r]; });
        if (row)
            selected = *row;
        return row;
    }
};

} // namespace

class TestTypeAhead : public QObject
{
    Q_OBJECT

private slots:
    void prefixWithinTwoSeconds();
    void pauseStartsAfreshFromTheTop();
    void exactlyTwoSecondsStillAppends();
    void survivesTickWrapAround();
    void freshSearchMovesSelectionToFirstRow();
    void noMatchKeepsTypedCharacter();
    void ignoredKeysAndEmptyList();
    void searchFromSelectedRowOnly();
};

void TestTypeAhead::prefixWithinTwoSeconds()
{
    Harness h;
    h.ticks = 10000;
    h.selected = 0;
    QCOMPARE(h.press('b'), std::optional<int>(1));
    h.ticks += 1500;
    QCOMPARE(h.press('u'), std::optional<int>(2)); // "BU" from the selected row
    QCOMPARE(h.search.searchText(), QStringLiteral("BU"));
    h.ticks += 1999;
    QCOMPARE(h.press('G'), std::optional<int>(3)); // "BUG"
    h.ticks += 100;
    QCOMPARE(h.press('g'), std::nullopt); // "BUGG" is still the selected row
    QCOMPARE(h.selected, 3);
    QCOMPARE(h.search.searchText(), QStringLiteral("BUGG"));
}

void TestTypeAhead::pauseStartsAfreshFromTheTop()
{
    Harness h;
    h.ticks = 50000;
    h.selected = 0;
    QCOMPARE(h.press('B'), std::optional<int>(1));
    h.ticks += 2001;
    QCOMPARE(h.press('U'), std::optional<int>(5)); // "U" from the top, not "BU"
    QCOMPARE(h.search.searchText(), QStringLiteral("U"));
}

void TestTypeAhead::exactlyTwoSecondsStillAppends()
{
    Harness h;
    h.ticks = 7;
    h.selected = 0;
    QCOMPARE(h.press('b'), std::optional<int>(1));
    h.ticks += TypeAhead::kPauseMs;
    QCOMPARE(h.press('u'), std::optional<int>(2));
    QCOMPARE(h.search.searchText(), QStringLiteral("BU"));
}

void TestTypeAhead::survivesTickWrapAround()
{
    // The last match 500 ms before the counter wraps, the next key 700 ms later, just after it.
    Harness h;
    h.ticks = 0xFFFFFFFFu - 499;
    h.search.reset();
    h.selected = 0;
    QCOMPARE(h.press('b'), std::optional<int>(1));
    h.ticks += 700; // wraps to 200
    QVERIFY(h.ticks < 1000);
    QCOMPARE(h.press('u'), std::optional<int>(2));
    QCOMPARE(h.search.searchText(), QStringLiteral("BU"));

    // And a real pause across the wrap still starts afresh.
    h.ticks = 0xFFFFFFFFu - 100;
    h.search.reset();
    h.selected = 0;
    QCOMPARE(h.press('b'), std::optional<int>(1));
    h.ticks += 2500;
    QCOMPARE(h.press('u'), std::optional<int>(5));
}

void TestTypeAhead::freshSearchMovesSelectionToFirstRow()
{
    // A new search that finds row 0 must move a selection that sits lower down.
    Harness h;
    h.ticks = 100000;
    h.search.reset();
    h.selected = 6;
    h.ticks += 5000;
    QCOMPARE(h.press('a'), std::optional<int>(0));
    QCOMPARE(h.selected, 0);
    // Typing the selected row's own first letter leaves it selected without a new selection.
    h.ticks += 5000;
    QCOMPARE(h.press('a'), std::nullopt);
}

void TestTypeAhead::noMatchKeepsTypedCharacter()
{
    Harness h;
    h.ticks = 1000;
    h.selected = 0;
    QCOMPARE(h.press('z'), std::optional<int>(7));
    h.ticks += 300;
    QCOMPARE(h.press('x'), std::nullopt); // "ZX" matches nothing
    QCOMPARE(h.search.searchText(), QStringLiteral("ZX"));
    QCOMPARE(h.selected, 7);
    // No match means no new match time: 1.8 s after the last match "ZXO" is still appended.
    h.ticks += 1500;
    QCOMPARE(h.press('o'), std::nullopt);
    QCOMPARE(h.search.searchText(), QStringLiteral("ZXO"));
    // More than two seconds after the last match ("Z"), a fresh search.
    h.ticks += 1000;
    QCOMPARE(h.press('u'), std::optional<int>(5));
    QCOMPARE(h.search.searchText(), QStringLiteral("U"));
}

void TestTypeAhead::ignoredKeysAndEmptyList()
{
    Harness h;
    h.ticks = 1000;
    h.selected = 2;
    QCOMPARE(h.press(13), std::nullopt); // Enter
    QCOMPARE(h.press(31), std::nullopt);
    QCOMPARE(h.press(128), std::nullopt);
    QCOMPARE(h.press(0xE9), std::nullopt); // é
    QCOMPARE(h.press(-1), std::nullopt);
    QCOMPARE(h.search.searchText(), QString());
    QCOMPARE(h.press('b', {}), std::nullopt);
    QCOMPARE(h.search.searchText(), QString());

    // Blank and punctuation are searched like letters: "BUMP '" finds the apostrophe row.
    h.ticks += 5000;
    h.selected = 0;
    for (char c : QByteArray("bump '"))
        h.press(c);
    QCOMPARE(h.selected, 4);
}

void TestTypeAhead::searchFromSelectedRowOnly()
{
    // Appending searches from the selected row down; rows above it are not found.
    Harness h;
    h.ticks = 1000;
    h.selected = 0;
    QCOMPARE(h.press('u'), std::optional<int>(5));
    h.selected = 7; // the user clicked Zork meanwhile
    h.ticks += 100;
    QCOMPARE(h.press('r'), std::nullopt); // "UR" would be Uridium, above the selection
    QCOMPARE(h.selected, 7);
    // No selection at all: appending searches from the top.
    h.selected = -1;
    h.ticks = 0;
    h.search.reset();
    QCOMPARE(h.press('u'), std::optional<int>(5));
    h.selected = -1;
    QCOMPARE(h.press('r'), std::optional<int>(6));
}

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "TestTypeAhead.moc"
