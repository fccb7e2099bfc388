// The preferences' rules without the dialog: the port buttons, the browse table, the path warnings and what OK
// copies into the settings; and the bookmark table's: moving slots, editing one, which addresses may be opened.
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "prefs/Bookmarks.h"
#include "prefs/DefaultPortButtons.h"
#include "prefs/PathBrowse.h"
#include "prefs/PreferenceChoices.h"

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
        row("games 0", PrefsPath::Games0, "/c64/games",
            {"/c64/games", "", "Select Path where your C64 games reside...", "*.*"}, false);
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
        const QString shown = relative.isEmpty() ? QString() : dir.filePath(relative);
        const PathStatus status = pathStatusOf(path, shown);
        QCOMPARE(status.warning, !relative.isEmpty() && !tipStart.isEmpty());
        // A path that is there shows itself as its tip; a warning names the path it is about.
        QCOMPARE(status.toolTip, relative.isEmpty() ? tipStart : tipStart + shown);
    }

    void okCopiesTheChoices()
    {
        // Values a hand-edited file may hold load as the option that takes "anything else"; the dialog's OK table has
        // the rest (each control changes its own key and no other).
        Settings s = defaultSettings(SettingsLoadContext{});
        s.TitleBar = 7;
        s.TheDefaultEmulatorFlag = -3;
        s.PromptOnAddYear = 2;
        const PreferenceChoices c = choicesFrom(s);
        QVERIFY(c.titleBar == TitleBarOption::SetMyOwn && c.defaultEmulator == 2);
        QVERIFY(!applyChoices(c, s)); // the same texture: no new background is put up
        QCOMPARE(s.PromptOnAddYear, 1);
    }

    void bookmarksMovedAndEdited()
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
        // A title "empty" in any case greys the address and, like no title, empties the slot.
        const QString lemon = QStringLiteral("https://www.lemon64.com/");
        QVERIFY(titleMarksUnused("eMPTY") && !titleMarksUnused("Empty Disks"));
        QVERIFY(editedFavourite("empty", lemon) == (Favourite{"Empty", ""}) &&
                editedFavourite("", lemon).address == "");
        QCOMPARE(editedFavourite("Lemon64", lemon), (Favourite{"Lemon64", lemon}));
    }

    void openableAddresses_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("opened"); // "" refused
        QTest::newRow("https") << QString("https://www.lemon64.com/") << QString("https://www.lemon64.com/");
        QTest::newRow("mailto") << QString("mailto:someone@example.com") << QString("mailto:someone@example.com");
        QTest::newRow("blanks round") << QString("  https://csdb.dk/  ") << QString("https://csdb.dk/");
        QTest::newRow("no scheme") << QString("www.lemon64.com") << QString("http://www.lemon64.com");
        QTest::newRow("file") << QString("file:///etc/passwd") << QString("");
        QTest::newRow("absolute path") << QString("/usr/bin/xterm") << QString("");
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
