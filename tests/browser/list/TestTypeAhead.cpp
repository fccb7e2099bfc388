// Type-ahead search over a list of names with a hand-driven tick counter, including the counter's
// wrap-around after 2^32 ms: one table of key sequences.
#include "browser/TypeAhead.h"

#include <QStringList>
#include <QTest>

using namespace browser;

namespace {

// Rows 0 to 7.
const QStringList kRows = {"Armalyte",      "Boulder Dash", "Bubble Bobble", "Buggy Boy",
                           "bump 'n' jump", "Ultima IV",    "Uridium",       "Zork"};

} // namespace

class TestTypeAhead : public QObject
{
    Q_OBJECT

private slots:
    void keySequences_data();
    void keySequences();
    void emptyListFindsNothing();
};

void TestTypeAhead::keySequences_data()
{
    // Steps: "TICKS:KEY=ROW" presses KEY (a character, or #code) at TICKS and expects the search to select
    // ROW ("-": no new selection); "!ROW" is the user selecting a row meanwhile (-1: none).
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("text"); // the search text at the end
    auto row = [](const char* name, int selected, const char* steps, const char* text) {
        QTest::newRow(name) << selected << QString::fromLatin1(steps) << QString::fromLatin1(text);
    };
    row("prefix from the selected row", 0, "10000:b=1 11500:u=2 13499:G=3 13599:g=-", "BUGG");
    row("pause starts from the top", 0, "50000:B=1 52001:U=5", "U");
    row("exactly two seconds appends", 0, "7:b=1 2007:u=2", "BU");
    row("appends across the wrap", 0, "4294966796:b=1 200:u=2", "BU");
    row("pause across the wrap", 0, "4294967195:b=1 2399:u=5", "U");
    row("fresh search moves up to row 0", 6, "105000:a=0 110000:a=-", "A");
    row("no match keeps the text, not the time", 0, "1000:z=7 1300:x=- 2800:o=- 3001:u=5", "U");
    row("keys outside 32 to 127 ignored", 2, "1000:#13=- 1000:#31=- 1000:#128=- 1000:#233=- 1000:#-1=-", "");
    row("blank and apostrophe searched", 0, "9000:b=1 9000:u=2 9000:m=4 9000:p=- 9000:#32=- 9000:'=-", "BUMP '");
    row("rows above the selection not found", 0, "1000:u=5 !7 1100:r=-", "UR");
    row("no selection searches from the top", -1, "1000:u=5 !-1 1100:r=6", "UR");
}

void TestTypeAhead::keySequences()
{
    QFETCH(int, selected);
    QFETCH(QString, steps);
    QFETCH(QString, text);
    quint32 ticks = 0;
    TypeAhead search([&ticks] { return ticks; });
    for (const QString& step : steps.split(u' ')) {
        if (step.startsWith(u'!')) {
            selected = step.mid(1).toInt();
            continue;
        }
        ticks = step.section(u':', 0, 0).toUInt();
        const QString key = step.section(u':', 1).section(u'=', 0, 0);
        const QString want = step.section(u'=', 1);
        const int code = key.startsWith(u'#') ? key.mid(1).toInt() : key.at(0).unicode();
        const std::optional<int> row =
            search.keyPress(code, int(kRows.size()), selected, [](int r) { return kRows[r]; });
        QCOMPARE(row, want == QLatin1String("-") ? std::nullopt : std::optional<int>(want.toInt()));
        if (row)
            selected = *row;
    }
    QCOMPARE(search.searchText(), text);
}

void TestTypeAhead::emptyListFindsNothing()
{
    TypeAhead search([] { return quint32(1000); });
    QCOMPARE(search.keyPress('b', 0, -1, [](int) { return QString(); }), std::nullopt);
    QCOMPARE(search.searchText(), QString());
}

QTEST_GUILESS_MAIN(TestTypeAhead)
#include "TestTypeAhead.moc"
