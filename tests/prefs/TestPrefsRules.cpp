// The preferences' rules without the dialog: the port buttons, the browse table, the path warnings and what OK
// copies into the settings; and the bookmark table's: moving slots, editing one, which addresses may be opened.
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "prefs/Bookmarks.h"
#include "prefs/DefaultPortButtons.h"
#include "prefs/PathBrowse.h"
#include "prefs/PreferenceChoices.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace prefs;

namespace {
struct PortRow
{
    DefaultPortButton button;
    const char* name;
    int stored;
    const char *shown, *afterClick;
    int storedAfterClick;
};
} // namespace

Q_DECLARE_METATYPE(PortRow)
Q_DECLARE_METATYPE(prefs::PrefsPath)

class TestPrefsRules : public QObject
{
    Q_OBJECT

private slots:
    void portButtons_data()
    {
        // The button, its name, a stored value, the caption shown for it, the caption after a click and its value.
        QTest::addColumn<PortRow>("r");
        using B = DefaultPortButton;
        // clang-format off
        QTest::newRow("v1.9 joy 0") << PortRow{B::MSDosPort1Joy, "cmdMSDosPort1Joy", 0, "PC Joystick 1", "PC Joystick 2", 1};
        QTest::newRow("v1.9 key -1") << PortRow{B::MSDosPort2Key, "cmdMSDosPort2Key", -1, "Keyset 3", "Keyset 1", 0};
        QTest::newRow("v2.0 control 2") << PortRow{B::DirectXPort2Joy, "cmdDirectXPort2Joy", 2, "Joystick", "None", 0};
        QTest::newRow("v2.0 mode 3") << PortRow{B::DirectXPort1Key, "cmdDirectXPort1Key", 3, "Keyset 2", "Keyset 3", 4};
        QTest::newRow("v2.0 mode 7") << PortRow{B::DirectXPort2Key, "cmdDirectXPort2Key", 7, "Keyset 3", "PC Joystick 1", 0};
        // clang-format on
    }

    void portButtons()
    {
        QFETCH(PortRow, r);
        QCOMPARE(buttonName(r.button), QString(r.name));
        QCOMPARE(captionFor(r.button, r.stored), QString(r.shown));
        QCOMPARE(nextCaption(r.button, r.shown), QString(r.afterClick));
        QCOMPARE(storedValueOf(r.button, r.afterClick), r.storedAfterClick);
        // The joystick dialog's words are not this tab's.
        QCOMPARE(storedValueOf(r.button, QStringLiteral("Key Set 1")), -1);
    }

    void browseTable_data()
    {
        QTest::addColumn<PrefsPath>("path");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("request"); // start folder, name to select, prompt, pattern
        QTest::addColumn<bool>("atOnce");
        const auto row = [](const char* tag, PrefsPath path, const char* shown, const QStringList& request,
                            bool atOnce) { QTest::newRow(tag) << path << QString(shown) << request << atOnce; };
        row("v1.9", PrefsPath::CCS64, "/emu/ccs19/CCS64.EXE",
            {"/emu/ccs19", "CCS64.exe", "Select the file 'CCS64.EXE'...", "*.exe"}, true);
        row("v2.0 Win32 unset", PrefsPath::DirectX, "",
            {"", "Ccs.exe", "Select Path where 'Ccs.exe' resides...", "*.exe"}, true);
        row("player", PrefsPath::Sidplayw, "/usr/bin/sidplayfp",
            {"/usr/bin", "SIDPLAYW.EXE", "Select the file 'Sidplayw.exe'...", "*.exe"}, false);
        row("games 0", PrefsPath::Games0, "/c64/games",
            {"/c64/games", "", "Select Path where your C64 games reside...", "*.*"}, false);
        row("music", PrefsPath::Music, "/c64/C64Music",
            {"/c64/C64Music", "", "Select Path where your Sid Tunes reside...", "*.dat; *.sid"}, false);
    }

    void browseTable()
    {
        QFETCH(PrefsPath, path);
        QFETCH(QString, shown);
        QFETCH(QStringList, request);
        QFETCH(bool, atOnce);
        const BrowseRequest r = browseRequestFor(path, shown);
        QCOMPARE(QStringList({r.startPath, r.selectName, r.prompt, r.pattern}), request);
        QCOMPARE(r.mode, r.pattern == "*.exe" ? 3 : 0); // files, or folders only
        QCOMPARE(takesEffectAtOnce(path), atOnce);
    }

    void pathStatus_data()
    {
        QTest::addColumn<PrefsPath>("path");
        QTest::addColumn<QString>("relative"); // below the test folder; "" an unset path
        QTest::addColumn<QString>("tipStart"); // a warning unless empty or for an unset path
        // clang-format off
        QTest::newRow("unset") << PrefsPath::CCS64 << "" << "Not set";
        QTest::newRow("program there") << PrefsPath::CCS64 << "emu/CCS64.EXE" << "";
        QTest::newRow("program missing") << PrefsPath::Sidplayw << "emu/sidplayw.exe" << "File not found: ";
        QTest::newRow("folder as program") << PrefsPath::CCS642 << "emu" << "This is a folder, not a program file: ";
        QTest::newRow("folder there") << PrefsPath::Games1 << "games" << "";
        QTest::newRow("folder missing") << PrefsPath::Music << "C64Music" << "Folder not found: ";
        QTest::newRow("file as folder") << PrefsPath::Games0 << "emu/CCS64.EXE" << "This is a file, not a folder: ";
        // clang-format on
    }

    void pathStatus()
    {
        QFETCH(PrefsPath, path);
        QFETCH(QString, relative);
        QFETCH(QString, tipStart);
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath("emu/CCS64.EXE"), "MZ"));
        QVERIFY(QDir(dir.path()).mkpath("games"));
        const QString shown = relative.isEmpty() ? QString() : dir.filePath(relative);
        const PathStatus status = pathStatusOf(path, shown);
        QCOMPARE(status.warning, !relative.isEmpty() && !tipStart.isEmpty());
        // A path that is there shows itself as its tip; a warning names the path it is about.
        QCOMPARE(status.toolTip, relative.isEmpty() ? tipStart : tipStart + shown);
    }

    void okCopiesTheChoices()
    {
        Settings s = defaultSettings(SettingsLoadContext{});
        const Settings before = s;
        PreferenceChoices c = choicesFrom(s);
        QVERIFY(!applyChoices(c, s)); // nothing changed: no new background is put up
        QCOMPARE(s, before);
        // Values a hand-edited file may hold load as the option that takes "anything else".
        s.TitleBar = 7;
        s.TheDefaultEmulatorFlag = -3;
        s.PromptOnAddYear = 2;
        c = choicesFrom(s);
        QVERIFY(c.titleBar == TitleBarOption::SetMyOwn && c.defaultEmulator == 2);
        applyChoices(c, s);
        QCOMPARE(s.PromptOnAddYear, 1);
    }

    void movingBookmarksExchangesTitlesAndAddresses()
    {
        FavouriteTable table;
        for (int i = 0; i < FavouriteCount; ++i)
            table[std::size_t(i)] = {QStringLiteral("Site %1").arg(i),
                                     QStringLiteral("https://site%1.example/").arg(i)};
        table[3] = {QString(), QStringLiteral("https://blank.example/")};
        QCOMPARE(moveFavouriteUp(table, 4), 3);
        QCOMPARE(table[3], (Favourite{"Site 4", "https://site4.example/"}));
        QCOMPARE(table[4], (Favourite{"Empty", "https://blank.example/"})); // shown as "Empty", and stored so
        // The ends stay where they are, and their buttons say so.
        QVERIFY(moveButtonsFor(0) == (MoveButtons{false, true}) && moveButtonsFor(19) == (MoveButtons{true, false}));
        const FavouriteTable before = table;
        QVERIFY(moveFavouriteUp(table, 0) == 0 && moveFavouriteDown(table, 19) == 19 && table == before);
    }

    void editedBookmark_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("greyed");
        QTest::addColumn<QString>("stored"); // title and address
        QTest::newRow("empty") << QString("empty") << true << QString("Empty ");
        QTest::newRow("no title") << QString() << false << QString("Empty ");
        QTest::newRow("a title") << QString("Lemon64") << false << QString("Lemon64 https://www.lemon64.com/");
    }

    void editedBookmark()
    {
        QFETCH(QString, title);
        QFETCH(bool, greyed);
        QFETCH(QString, stored);
        QCOMPARE(titleMarksUnused(title), greyed);
        const Favourite edited = editedFavourite(title, QStringLiteral("https://www.lemon64.com/"));
        QCOMPARE(edited.title + " " + edited.address, stored);
        QCOMPARE(listTextOf(Favourite{title, {}}), title.isEmpty() ? QStringLiteral("Empty") : title);
    }

    void openableAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened"); // "" refused
        QTest::newRow("https") << QString("https://www.lemon64.com/") << QString("https://www.lemon64.com/");
        QTest::newRow("ftp") << QString("ftp://ftp.zimmers.net/pub/cbm/") << QString("ftp://ftp.zimmers.net/pub/cbm/");
        QTest::newRow("mailto") << QString("mailto:someone@example.com") << QString("mailto:someone@example.com");
        QTest::newRow("blanks round") << QString("  https://csdb.dk/  ") << QString("https://csdb.dk/");
        QTest::newRow("no scheme") << QString("www.lemon64.com") << QString("http://www.lemon64.com");
        QTest::newRow("file") << QString("file:///etc/passwd") << QString("");
        QTest::newRow("absolute path") << QString("/usr/bin/xterm") << QString("");
        QTest::newRow("relative path") << QString("../Vintrax.mdb") << QString("");
        QTest::newRow("no host") << QString("http://") << QString("");
        QTest::newRow("no mail address") << QString("mailto:") << QString("");
        QTest::newRow("nothing") << QString("") << QString("");
    }

    void openableAddresses()
    {
        QFETCH(QString, address);
        QFETCH(QString, opened);
        QCOMPARE(openableAddress(address).value_or(QString()), opened);
    }
};

QTEST_GUILESS_MAIN(TestPrefsRules)
#include "TestPrefsRules.moc"
