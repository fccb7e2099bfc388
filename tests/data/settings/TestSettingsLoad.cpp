#include "SettingsTestHelpers.h"
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace settingstest;

class TestSettingsLoad : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void emptyStoreYieldsDefaults();
    void defaultBookmarksAreUsableAddresses();
    void acceptedSpellings();
    void garbageFallsBackKeyByKey();
    void handEditedValuesReadAsTyped_data();
    void handEditedValuesReadAsTyped();
    void firstStartOfThisVersion();
    void laterStartKeepsPathsAndHeight();
    void positionRestoredOrCentred_data();
    void positionRestoredOrCentred();
    void screenshotView_data();
    void screenshotView();
    void emptyBookmarkTitleHidesEntry();
    void portDefaultsReadAfresh();
    void showPrefsFlag_data();
    void showPrefsFlag();
    void defaultPathFollowsConfigHome();

private:
    QString iniPath() const { return m_dir->filePath("Vintrax/Vintrax.ini"); }
    Settings loadFrom(const QStringList& lines, const SettingsLoadContext& context = standardContext());

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsLoad::init()
{
    // A fresh folder per case: QSettings caches files by name within the process.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

Settings TestSettingsLoad::loadFrom(const QStringList& lines, const SettingsLoadContext& context)
{
    if (!writeStartupIni(iniPath(), lines))
        qFatal("cannot write test INI");
    auto store = openSettingsStore(iniPath());
    return loadSettings(*store, context);
}

void TestSettingsLoad::emptyStoreYieldsDefaults()
{
    auto store = openSettingsStore(iniPath());
    const Settings s = loadSettings(*store, standardContext());

    QVERIFY(s.PositionFlag);
    QCOMPARE(s.WhatListBox, 0);
    QCOMPARE(s.Widthy, 7000.0);
    QCOMPARE(s.Heighty, 9615.0);
    // 19200 / 2 - 7000 / 2 and 14400 / 2 - int(9615 / 2)
    QCOMPARE(s.Left, 6100.0);
    QCOMPARE(s.Top, 2393.0);
    QCOMPARE(s.OGLeft, 6100);
    QCOMPARE(s.OGTop, 2393);
    QCOMPARE(s.startup, (StartupLayout{2393, 6100, 9615, false, true}));
    QVERIFY(!s.View);
    QVERIFY(s.SSView);
    QVERIFY(!s.SSViewHideFlag && s.SSViewShowFlag && !s.SSViewYesFlag);
    QVERIFY(!s.ViewHideFlag && s.ViewShowFlag && !s.ViewYesFlag);
    QCOMPARE(s.Texture, -1);
    QCOMPARE(s.TitleBar, 0);
    QVERIFY(!s.DC);
    QVERIFY(!s.V13Start);
    QCOMPARE(s.LastResetDate, QStringLiteral("07-03-2024"));
    QCOMPARE(s.OGClose, 1);
    QCOMPARE(s.AlwaysOnTop, 0);
    QCOMPARE(s.GoToDIR, 1);
    QCOMPARE(s.TheDefaultEmulatorFlag, 0);
    QCOMPARE(s.LeaveSPRunningFlag, 1);
    QCOMPARE(s.RemoveConfirmFlag, 1);
    QCOMPARE(s.DeleteOldSSFlag, 0);
    QCOMPARE(s.DefaultPorts, PortDefaults{});
    QCOMPARE(s.PromptOnAddFlag + s.PromptOnAddMusicFN + s.PromptOnAddSSFN + s.PromptOnAddPublisher + s.PromptOnAddYear +
                 s.PromptOnAddMusician + s.PromptOnAddGenre + s.PromptOnAddPlayers + s.PromptOnAddRating +
                 s.PromptOnAddDifficulty + s.PromptOnAddComment + s.PromptOnAddDocFile + s.PromptOnAddTrained +
                 s.PromptOnAddHighScore,
             14);
    for (const QString& path : {s.CCS64Path, s.CCS642Path, s.DirectXPath, s.SidplayWPath, s.WinzipPath, s.MusicPath,
                                s.CurrentGame, s.TitleBarText})
        QVERIFY(path.isEmpty());
    for (const QString& path : s.GamesPath)
        QVERIFY(path.isEmpty());
    for (const QString& text : s.Find)
        QVERIFY(text.isEmpty());
    for (const Favourite& f : s.Favourites)
        QVERIFY2(f.isUsed() && !f.title.isEmpty() && !f.address.isEmpty(), qPrintable(f.title));

    QCOMPARE(s, defaultSettings(standardContext()));
    // Loading never creates the file.
    QVERIFY(!QFileInfo::exists(iniPath()));
}

void TestSettingsLoad::defaultBookmarksAreUsableAddresses()
{
    const Settings s = defaultSettings(standardContext());
    QVERIFY(s.Favourites[0].title.contains(QStringLiteral("Vintrax")));
    QSet<QString> addresses;
    for (const Favourite& f : s.Favourites) {
        const QUrl url(f.address, QUrl::StrictMode);
        QVERIFY2(url.isValid() && !url.host().isEmpty(), qPrintable(f.address));
        QVERIFY2(QStringList({"http", "https", "ftp"}).contains(url.scheme()), qPrintable(f.address));
        addresses.insert(f.address);
    }
    QCOMPARE(addresses.size(), FavouriteCount);
}

void TestSettingsLoad::acceptedSpellings()
{
    const Settings s =
        loadFrom({"PositionFlag=FALSE", "View=tRuE", "SSView=0", "DC=-1", "V13Start=1", "SSViewShowFlag=false",
                  "ViewHideFlag=2", "Widthy=7200.5", "Heighty=  8000  ", "Top=-120", "WhatListBox=2.0", "GoToDIR=0.5",
                  "AlwaysOnTop=True", "OGClose=FALSE", "OGTop=1500", "LeaveSPRunningFlag=1.5"});
    QVERIFY(!s.PositionFlag);
    QVERIFY(s.View);
    QVERIFY(!s.SSView);
    QVERIFY(s.DC);
    QVERIFY(s.V13Start);
    QVERIFY(!s.SSViewShowFlag);
    QVERIFY(s.ViewHideFlag);
    QCOMPARE(s.Widthy, 7200.5);
    QCOMPARE(s.Heighty, 8000.0);
    QCOMPARE(s.Top, -120.0);
    QCOMPARE(s.WhatListBox, 2);
    QCOMPARE(s.GoToDIR, 0); // halves round to even
    QCOMPARE(s.LeaveSPRunningFlag, 2);
    QCOMPARE(s.AlwaysOnTop, 1);
    QCOMPARE(s.OGClose, 0);
    QCOMPARE(s.OGTop, 1500);
}

void TestSettingsLoad::garbageFallsBackKeyByKey()
{
    const Settings s = loadFrom({
        "PositionFlag=maybe",
        "Widthy=wide",
        "Heighty=-5",
        "Top=nan",
        "Left=inf",
        "OGTop=1e20",
        "OGLeft=1,5",
        "View=yes",
        "SSView=",
        "WhatListBox=7",
        "Texture=6",
        "TitleBar=-1",
        "TheDefaultEmulatorFlag=3",
        "DefPort1Key=3",
        "DXDefPort2Key=5",
        "DXDefPort1Joy=2",
        "PromptOnAddYear=0x1",
        "GoToDIR=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10)",
        // well-formed values beside the garbage are still read
        "DC=True",
        "CurrentGame=Ghosts 'n Goblins",
        "DefPort2Key=1",
        "DXDefPort1Key=4",
        "Texture=", // duplicate key: the file's last spelling wins; both are garbage here
        "PromptOnAddGenre=0",
        "this line is not a key",
        "[Broken section",
        "MusicPath=/elsewhere",
    });
    const Settings d = defaultSettings(standardContext());
    QCOMPARE(s.PositionFlag, d.PositionFlag);
    QCOMPARE(s.Widthy, d.Widthy);
    QCOMPARE(s.Heighty, d.Heighty);
    QCOMPARE(s.Top, d.Top);
    QCOMPARE(s.Left, d.Left);
    QCOMPARE(s.OGTop, d.OGTop);
    QCOMPARE(s.OGLeft, d.OGLeft);
    QCOMPARE(s.View, d.View);
    QCOMPARE(s.SSView, d.SSView);
    QCOMPARE(s.WhatListBox, 0);
    QCOMPARE(s.Texture, -1);
    QCOMPARE(s.TitleBar, 0);
    QCOMPARE(s.TheDefaultEmulatorFlag, 0);
    QCOMPARE(s.DefaultPorts.DefPort1Key, 0);
    QCOMPARE(s.DefaultPorts.DXDefPort2Key, 1);
    QCOMPARE(s.DefaultPorts.DXDefPort1Joy, 1);
    QCOMPARE(s.PromptOnAddYear, 1);
    QCOMPARE(s.GoToDIR, 1);

    QVERIFY(s.DC);
    QCOMPARE(s.CurrentGame, QStringLiteral("Ghosts 'n Goblins"));
    QCOMPARE(s.DefaultPorts.DefPort2Key, 1);
    QCOMPARE(s.DefaultPorts.DXDefPort1Key, 4);
    QCOMPARE(s.PromptOnAddGenre, 0);
    // The line after an unclosed section header belongs to that section, not to "Startup".
    QCOMPARE(s.MusicPath, QString());
}

void TestSettingsLoad::handEditedValuesReadAsTyped_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("read");
    // clang-format off
    QTest::newRow("Windows path") << "MusicPath" << "C:\\Games\\C64" << "C:\\Games\\C64";
    QTest::newRow("UNC path, trailing backslash") << "GamesPath1" << "\\\\nas\\c64\\" << "\\\\nas\\c64\\";
    QTest::newRow("escape-like backslashes") << "Find1" << "\\x41\\n\\t\\\"" << "\\x41\\n\\t\\\"";
    QTest::newRow("semicolons") << "TitleBarText" << "Games; demos;music" << "Games; demos;music";
    QTest::newRow("quotes around") << "TitleBarText" << "\"Quoted, kept as is\"" << "\"Quoted, kept as is\"";
    QTest::newRow("quotes inside") << "Find0" << "He said \"go\"; x=1" << "He said \"go\"; x=1";
    QTest::newRow("hash") << "Fave3D" << "C64 #1 # site" << "C64 #1 # site";
    QTest::newRow("comma") << "CurrentGame" << "Last Ninja, The" << "Last Ninja, The";
    QTest::newRow("comma without a blank") << "GamesPath2" << "/home/c64/games,more" << "/home/c64/games,more";
    QTest::newRow("non-ASCII") << "CurrentGame" << "Blå Bläk – 日本" << "Blå Bläk – 日本";
    QTest::newRow("blanks around") << "MusicPath" << "  /music/HVSC  " << "/music/HVSC";
    QTest::newRow("equals signs") << "Fave1U" << "https://x.org/?a=1&b=2" << "https://x.org/?a=1&b=2";
    QTest::newRow("looks like a variant") << "Find2" << "@Variant(junk)" << "@Variant(junk)";
    QTest::newRow("number with a comma") << "WhatListBox" << "1,2" << "0";
    QTest::newRow("number with a group separator") << "Heighty" << "8,000" << "9615";
    // clang-format on
}

void TestSettingsLoad::handEditedValuesReadAsTyped()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, read);
    const SettingDescriptor* descriptor = nullptr;
    for (const SettingDescriptor& d : settingsTable())
        descriptor = d.key == key ? &d : descriptor;
    QVERIFY(descriptor);
    // The same line as the last line with and without its line end, and in a file with Windows line ends.
    const QByteArray line = (key + "=" + typed).toUtf8();
    for (const QByteArray& text :
         {"[Startup]\n" + line, "[Startup]\n" + line + "\n", "[Startup]\r\nDC=True\r\n" + line + "\r\n"}) {
        QVERIFY(testsupport::writeFile(iniPath(), text));
        const Settings s = loadSettings(*openSettingsStore(iniPath()), standardContext());
        QCOMPARE(descriptor->get(s).toString(), read);
        QVERIFY(QFile::remove(iniPath()));
        m_dir = std::make_unique<QTemporaryDir>(); // QSettings caches files by name within the process
    }
}

void TestSettingsLoad::firstStartOfThisVersion()
{
    SettingsLoadContext context = standardContext();
    context.designedHeight = 9000;
    const Settings s = loadFrom({"CCS64Path=/emu/ccs64-19/ccs64", "CCS642Path=/emu/ccs64-20/ccs64",
                                 "DirectXPath=/emu/ccs-win/ccs", "Heighty=5000", "SidplayWPath=/bin/sidplayw"},
                                context);
    QVERIFY(!s.V13Start);
    QVERIFY(s.CCS64Path.isEmpty());
    QVERIFY(s.CCS642Path.isEmpty());
    QCOMPARE(s.DirectXPath, QStringLiteral("/emu/ccs-win/ccs"));
    QCOMPARE(s.SidplayWPath, QStringLiteral("/bin/sidplayw"));
    QCOMPARE(s.Heighty, 5000.0);
    QCOMPARE(s.startup.height, 9000.0);
}

void TestSettingsLoad::laterStartKeepsPathsAndHeight()
{
    SettingsLoadContext context = standardContext();
    context.designedHeight = 9000;
    const Settings s = loadFrom({"V13Start=True", "CCS64Path=/emu/a", "CCS642Path=/emu/b", "Heighty=5000"}, context);
    QCOMPARE(s.CCS64Path, QStringLiteral("/emu/a"));
    QCOMPARE(s.CCS642Path, QStringLiteral("/emu/b"));
    QCOMPARE(s.startup.height, 5000.0);
}

void TestSettingsLoad::positionRestoredOrCentred_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("expectedTop");
    QTest::addColumn<double>("expectedLeft");

    QTest::newRow("restored") << QStringList{"Top=100", "Left=250.5"} << 19200.0 << 100.0 << 250.5;
    QTest::newRow("restore without a saved position centres") << QStringList{} << 19200.0 << 2393.0 << 6100.0;
    QTest::newRow("always centre") << QStringList{"PositionFlag=False", "Top=100", "Left=250"} << 19200.0 << 2393.0
                                   << 6100.0;
    // int(19201 / 2) - int(7000 / 2)
    QTest::newRow("odd screen width") << QStringList{"PositionFlag=False"} << 19201.0 << 2393.0 << 6100.0;
    QTest::newRow("window wider than screen") << QStringList{"PositionFlag=False"} << 6000.0 << 2393.0 << -500.0;
}

void TestSettingsLoad::positionRestoredOrCentred()
{
    QFETCH(QStringList, lines);
    QFETCH(double, screenWidth);
    QFETCH(double, expectedTop);
    QFETCH(double, expectedLeft);
    SettingsLoadContext context = standardContext();
    context.screenWidth = screenWidth;
    const Settings s = loadFrom(lines, context);
    QCOMPARE(s.startup.top, expectedTop);
    QCOMPARE(s.startup.left, expectedLeft);
    // The category browser's position defaults to the main window's centred one.
    QCOMPARE(double(s.OGLeft), std::floor(screenWidth / 2) - 3500);
}

void TestSettingsLoad::screenshotView_data()
{
    QTest::addColumn<QString>("hide");
    QTest::addColumn<QString>("show");
    QTest::addColumn<QString>("restore");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("expected");

    QTest::newRow("always hide") << "True"
                                 << "False"
                                 << "False"
                                 << "True" << false;
    QTest::newRow("hide wins over show") << "True"
                                         << "True"
                                         << "False"
                                         << "True" << false;
    QTest::newRow("always show") << "False"
                                 << "True"
                                 << "False"
                                 << "False" << true;
    QTest::newRow("restore last: off") << "False"
                                       << "False"
                                       << "True"
                                       << "False" << false;
    QTest::newRow("restore last: on") << "False"
                                      << "False"
                                      << "True"
                                      << "True" << true;
    QTest::newRow("no choice made: saved value") << "False"
                                                 << "False"
                                                 << "False"
                                                 << "False" << false;
    QTest::newRow("nothing stored: show") << ""
                                          << ""
                                          << ""
                                          << "" << true;
}

void TestSettingsLoad::screenshotView()
{
    QFETCH(QString, hide);
    QFETCH(QString, show);
    QFETCH(QString, restore);
    QFETCH(QString, saved);
    QFETCH(bool, expected);
    QStringList lines;
    if (!hide.isEmpty())
        lines << "SSViewHideFlag=" + hide << "SSViewShowFlag=" + show << "SSViewYesFlag=" + restore
              << "SSView=" + saved;
    const Settings s = loadFrom(lines);
    QCOMPARE(s.startup.ssView, expected);
    QCOMPARE(effectiveScreenshotView(s), expected);
    // The stored value is kept as read; only the layout carries the effective one.
    QCOMPARE(s.SSView, saved.isEmpty() || saved == "True");
}

void TestSettingsLoad::emptyBookmarkTitleHidesEntry()
{
    const Settings s = loadFrom({"Fave3D=Empty", "Fave3U=", "Fave7D=My site", "Fave7U=https://example.org/"});
    QVERIFY(!s.Favourites[3].isUsed());
    QVERIFY(s.Favourites[3].address.isEmpty());
    QCOMPARE(s.Favourites[7], (Favourite{"My site", "https://example.org/"}));
    QVERIFY(s.Favourites[7].isUsed());
    QCOMPARE(s.Favourites[2], defaultSettings(standardContext()).Favourites[2]);
    // Only the exact spelling marks a slot unused.
    QVERIFY((Favourite{"empty", ""}).isUsed());
}

void TestSettingsLoad::portDefaultsReadAfresh()
{
    QVERIFY(writeStartupIni(iniPath(), {"DefPort1Joy=0", "DefPort2Key=9", "DXDefPort1Key=3", "DXDefPort2Joy=0"}));
    auto store = openSettingsStore(iniPath());
    PortDefaults expected;
    expected.DefPort1Joy = 0;
    expected.DXDefPort1Key = 3;
    expected.DXDefPort2Joy = 0;
    QCOMPARE(readPortDefaults(*store), expected);
    QCOMPARE(loadSettings(*store, standardContext()).DefaultPorts, expected);

    QTemporaryDir other;
    auto empty = openSettingsStore(other.filePath("none.ini"));
    QCOMPARE(readPortDefaults(*empty), PortDefaults{});
}

void TestSettingsLoad::showPrefsFlag_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("expected");
    QTest::newRow("absent") << QStringList{} << true;
    QTest::newRow("cleared") << QStringList{"ShowPrefs=False"} << false;
    QTest::newRow("set") << QStringList{"ShowPrefs=True"} << true;
    QTest::newRow("garbage") << QStringList{"ShowPrefs=later"} << true;
}

void TestSettingsLoad::showPrefsFlag()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, expected);
    QVERIFY(writeStartupIni(iniPath(), lines));
    auto store = openSettingsStore(iniPath());
    QCOMPARE(readShowPrefs(*store), expected);
    // Other sections are not confused with "Startup".
    QVERIFY(store->group().isEmpty());
}

void TestSettingsLoad::defaultPathFollowsConfigHome()
{
    const QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", m_dir->path().toLocal8Bit());
    const QString path = defaultSettingsPath();
    qputenv("XDG_CONFIG_HOME", old);
    QCOMPARE(path, m_dir->filePath("Vintrax/Vintrax.ini"));
}

QTEST_GUILESS_MAIN(TestSettingsLoad)
#include "TestSettingsLoad.moc"
