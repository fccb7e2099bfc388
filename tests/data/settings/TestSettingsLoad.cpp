// What the settings loader makes of the "Startup" section: the defaults, the spellings it accepts, garbage
// replaced key by key, hand-edited texts read as typed, the first start of this version, the window position
// and the screenshot view. Each key is read back through its row of the settings table.
#include "SettingsTestHelpers.h"
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"

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
    void emptyStoreYieldsTheDefaults();
    void keyReadsAs_data();
    void keyReadsAs();
    void positionRestoredOrCentred_data();
    void positionRestoredOrCentred();
    void screenshotView_data();
    void screenshotView();
    void bookmarks();
    void portDefaultsReadAfresh();
    void showPrefsFlag_data();
    void showPrefsFlag();
    void defaultPathFollowsConfigHome();

private:
    QString iniPath() const { return m_dir->filePath("Vintrax/Vintrax.ini"); }
    Settings loadFrom(const QStringList& lines, const SettingsLoadContext& context = standardContext());

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QString valueOf(const Settings& s, const QString& key)
{
    for (const SettingDescriptor& d : settingsTable()) {
        if (d.key == key)
            return d.get(s).toString();
    }
    return QStringLiteral("no such key");
}

} // namespace

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
    return loadSettings(*openSettingsStore(iniPath()), context);
}

void TestSettingsLoad::emptyStoreYieldsTheDefaults()
{
    const Settings s = loadSettings(*openSettingsStore(iniPath()), standardContext());
    // Every key but the bookmarks; a key not named here defaults to an empty text. The centred position is
    // 19200 / 2 - 7000 / 2 and 14400 / 2 - int(9615 / 2).
    // clang-format off
    const QMap<QString, QString> expected = {
        {"PositionFlag", "true"}, {"Top", "2393"}, {"Left", "6100"}, {"Widthy", "7000"}, {"Heighty", "9615"},
        {"View", "false"}, {"SSView", "true"}, {"SSViewHideFlag", "false"}, {"SSViewShowFlag", "true"},
        {"SSViewYesFlag", "false"}, {"ViewHideFlag", "false"}, {"ViewShowFlag", "true"}, {"ViewYesFlag", "false"},
        {"WhatListBox", "0"}, {"Texture", "-1"}, {"TitleBar", "0"}, {"DC", "false"}, {"V13Start", "false"},
        {"LastResetDate", "07-03-2024"}, {"OGTop", "2393"}, {"OGLeft", "6100"}, {"OGClose", "1"},
        {"AlwaysOnTop", "0"}, {"GoToDIR", "1"}, {"TheDefaultEmulatorFlag", "0"}, {"LeaveSPRunningFlag", "1"},
        {"RemoveConfirmFlag", "1"}, {"DeleteOldSSFlag", "0"}, {"DefPort1Joy", "1"}, {"DefPort2Joy", "0"},
        {"DefPort1Key", "0"}, {"DefPort2Key", "2"}, {"DXDefPort1Joy", "1"}, {"DXDefPort2Joy", "1"},
        {"DXDefPort1Key", "0"}, {"DXDefPort2Key", "1"}};
    // clang-format on
    for (const SettingDescriptor& d : settingsTable()) {
        const QString want = d.key.startsWith("PromptOnAdd") ? "1" : expected.value(d.key);
        if (!d.key.startsWith("Fave"))
            QVERIFY2(d.get(s).toString() == want, qPrintable(d.key + "=" + d.get(s).toString()));
    }
    QCOMPARE(s.DefaultPorts, PortDefaults{});
    QCOMPARE(s.startup, (StartupLayout{2393, 6100, 9615, false, true}));
    QCOMPARE(s, defaultSettings(standardContext()));
    QVERIFY(!QFileInfo::exists(iniPath())); // loading never creates the file
}

void TestSettingsLoad::keyReadsAs_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("read");
    // clang-format off
    // Spellings the loader accepts.
    QTest::newRow("FALSE") << QStringList{"PositionFlag=FALSE"} << "PositionFlag" << "false";
    QTest::newRow("tRuE") << QStringList{"View=tRuE"} << "View" << "true";
    QTest::newRow("0 is false") << QStringList{"SSView=0"} << "SSView" << "false";
    QTest::newRow("-1 is true") << QStringList{"DC=-1"} << "DC" << "true";
    QTest::newRow("1 is true") << QStringList{"V13Start=1"} << "V13Start" << "true";
    QTest::newRow("false") << QStringList{"SSViewShowFlag=false"} << "SSViewShowFlag" << "false";
    QTest::newRow("2 is true") << QStringList{"ViewHideFlag=2"} << "ViewHideFlag" << "true";
    QTest::newRow("fraction") << QStringList{"Widthy=7200.5"} << "Widthy" << "7200.5";
    QTest::newRow("blanks around a number") << QStringList{"Heighty=  8000  "} << "Heighty" << "8000";
    QTest::newRow("negative") << QStringList{"Top=-120"} << "Top" << "-120";
    QTest::newRow("2.0 as an integer") << QStringList{"WhatListBox=2.0"} << "WhatListBox" << "2";
    QTest::newRow("halves round to even, down") << QStringList{"GoToDIR=0.5"} << "GoToDIR" << "0";
    QTest::newRow("halves round to even, up") << QStringList{"LeaveSPRunningFlag=1.5"} << "LeaveSPRunningFlag" << "2";
    QTest::newRow("True as an integer") << QStringList{"AlwaysOnTop=True"} << "AlwaysOnTop" << "1";
    QTest::newRow("FALSE as an integer") << QStringList{"OGClose=FALSE"} << "OGClose" << "0";
    QTest::newRow("long") << QStringList{"OGTop=1500"} << "OGTop" << "1500";
    // Garbage falls back to the default, key by key.
    QTest::newRow("maybe") << QStringList{"PositionFlag=maybe"} << "PositionFlag" << "true";
    QTest::newRow("wide") << QStringList{"Widthy=wide"} << "Widthy" << "7000";
    QTest::newRow("negative height") << QStringList{"Heighty=-5"} << "Heighty" << "9615";
    QTest::newRow("nan") << QStringList{"Top=nan"} << "Top" << "2393";
    QTest::newRow("inf") << QStringList{"Left=inf"} << "Left" << "6100";
    QTest::newRow("beyond a long") << QStringList{"OGTop=1e20"} << "OGTop" << "2393";
    QTest::newRow("decimal comma") << QStringList{"OGLeft=1,5"} << "OGLeft" << "6100";
    QTest::newRow("yes") << QStringList{"View=yes"} << "View" << "false";
    QTest::newRow("empty Boolean") << QStringList{"SSView="} << "SSView" << "true";
    QTest::newRow("no such list") << QStringList{"WhatListBox=7"} << "WhatListBox" << "0";
    QTest::newRow("no such texture") << QStringList{"Texture=6"} << "Texture" << "-1";
    QTest::newRow("no such title bar") << QStringList{"TitleBar=-1"} << "TitleBar" << "0";
    QTest::newRow("no such emulator") << QStringList{"TheDefaultEmulatorFlag=3"} << "TheDefaultEmulatorFlag" << "0";
    QTest::newRow("no such key port") << QStringList{"DefPort1Key=3"} << "DefPort1Key" << "0";
    QTest::newRow("no such v2 key port") << QStringList{"DXDefPort2Key=5"} << "DXDefPort2Key" << "1";
    QTest::newRow("no such joystick port") << QStringList{"DXDefPort1Joy=2"} << "DXDefPort1Joy" << "1";
    QTest::newRow("hexadecimal") << QStringList{"PromptOnAddYear=0x1"} << "PromptOnAddYear" << "1";
    QTest::newRow("a variant") << QStringList{"GoToDIR=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x10)"} << "GoToDIR" << "1";
    QTest::newRow("the last of a doubled key") << QStringList{"Texture=2", "Texture="} << "Texture" << "-1";
    QTest::newRow("good beside garbage") << QStringList{"Texture=6", "DefPort2Key=1", "TitleBar=x"} << "DefPort2Key" << "1";
    QTest::newRow("after a stray line") << QStringList{"this is not a key", "DXDefPort1Key=4"} << "DXDefPort1Key" << "4";
    QTest::newRow("below an unclosed section") << QStringList{"[Broken section", "MusicPath=/elsewhere"} << "MusicPath" << "";
    // Hand-edited texts read as typed.
    QTest::newRow("Windows path") << QStringList{"MusicPath=C:\\Games\\C64"} << "MusicPath" << "C:\\Games\\C64";
    QTest::newRow("UNC path") << QStringList{"GamesPath1=\\\\nas\\c64\\"} << "GamesPath1" << "\\\\nas\\c64\\";
    QTest::newRow("escape-like") << QStringList{"Find1=\\x41\\n\\t\\\""} << "Find1" << "\\x41\\n\\t\\\"";
    QTest::newRow("semicolons") << QStringList{"TitleBarText=Games; demos;music"} << "TitleBarText" << "Games; demos;music";
    QTest::newRow("quotes around") << QStringList{"TitleBarText=\"Quoted, kept\""} << "TitleBarText" << "\"Quoted, kept\"";
    QTest::newRow("quotes inside") << QStringList{"Find0=He said \"go\"; x=1"} << "Find0" << "He said \"go\"; x=1";
    QTest::newRow("hash") << QStringList{"Fave3D=C64 #1 # site"} << "Fave3D" << "C64 #1 # site";
    QTest::newRow("comma") << QStringList{"CurrentGame=Last Ninja, The"} << "CurrentGame" << "Last Ninja, The";
    QTest::newRow("comma, no blank") << QStringList{"GamesPath2=/c64/games,more"} << "GamesPath2" << "/c64/games,more";
    QTest::newRow("non-ASCII") << QStringList{"CurrentGame=Blå Bläk – 日本"} << "CurrentGame" << "Blå Bläk – 日本";
    QTest::newRow("blanks around a text") << QStringList{"MusicPath=  /music/HVSC  "} << "MusicPath" << "/music/HVSC";
    QTest::newRow("equals signs") << QStringList{"Fave1U=https://x.org/?a=1&b=2"} << "Fave1U" << "https://x.org/?a=1&b=2";
    QTest::newRow("looks like a variant") << QStringList{"Find2=@Variant(junk)"} << "Find2" << "@Variant(junk)";
    QTest::newRow("number with a comma") << QStringList{"WhatListBox=1,2"} << "WhatListBox" << "0";
    QTest::newRow("group separator") << QStringList{"Heighty=8,000"} << "Heighty" << "9615";
    // The first start of this version forgets the old emulator paths; later starts keep them.
    QTest::newRow("first start: 1.9 path") << QStringList{"CCS64Path=/emu/a"} << "CCS64Path" << "";
    QTest::newRow("first start: 2.0 path") << QStringList{"CCS642Path=/emu/b"} << "CCS642Path" << "";
    QTest::newRow("first start: other paths") << QStringList{"DirectXPath=/emu/c"} << "DirectXPath" << "/emu/c";
    QTest::newRow("first start: player") << QStringList{"SidplayWPath=/bin/s"} << "SidplayWPath" << "/bin/s";
    QTest::newRow("later start: 1.9 path") << QStringList{"V13Start=True", "CCS64Path=/emu/a"} << "CCS64Path" << "/emu/a";
    QTest::newRow("later start: 2.0 path") << QStringList{"V13Start=True", "CCS642Path=/emu/b"} << "CCS642Path" << "/emu/b";
    // clang-format on
}

void TestSettingsLoad::keyReadsAs()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, key);
    QFETCH(QString, read);
    // With and without a line end after the last line, and with Windows line ends below a comment.
    for (const auto& [lineEnd, prefix, suffix] :
         {std::tuple{"\n", "", ""}, {"\n", "", "\n"}, {"\r\n", "; hi\r\n", "\r\n"}}) {
        m_dir = std::make_unique<QTemporaryDir>(); // QSettings caches files by name within the process
        const QByteArray text = "[Startup]" + QByteArray(lineEnd) + prefix + lines.join(lineEnd).toUtf8() + suffix;
        QVERIFY(testsupport::writeFile(iniPath(), text));
        QCOMPARE(valueOf(loadSettings(*openSettingsStore(iniPath()), standardContext()), key), read);
    }
}

void TestSettingsLoad::positionRestoredOrCentred_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<double>("screenWidth");
    QTest::addColumn<double>("expectedTop");
    QTest::addColumn<double>("expectedLeft");
    // clang-format off
    QTest::newRow("restored") << QStringList{"Top=100", "Left=250.5"} << 19200.0 << 100.0 << 250.5;
    QTest::newRow("restore without a saved position centres") << QStringList{} << 19200.0 << 2393.0 << 6100.0;
    QTest::newRow("always centre") << QStringList{"PositionFlag=False", "Top=100", "Left=250"} << 19200.0 << 2393.0 << 6100.0;
    QTest::newRow("odd screen width") << QStringList{"PositionFlag=False"} << 19201.0 << 2393.0 << 6100.0;
    QTest::newRow("window wider than screen") << QStringList{"PositionFlag=False"} << 6000.0 << 2393.0 << -500.0;
    // clang-format on
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
    QTest::addColumn<QString>("flags"); // hide, show, restore last, saved view
    QTest::addColumn<bool>("expected");
    QTest::newRow("always hide") << "True False False True" << false;
    QTest::newRow("hide wins over show") << "True True False True" << false;
    QTest::newRow("always show") << "False True False False" << true;
    QTest::newRow("restore last: off") << "False False True False" << false;
    QTest::newRow("restore last: on") << "False False True True" << true;
    QTest::newRow("no choice made: saved value") << "False False False False" << false;
    QTest::newRow("nothing stored: show") << "" << true;
}

void TestSettingsLoad::screenshotView()
{
    QFETCH(QString, flags);
    QFETCH(bool, expected);
    const QStringList f = flags.split(' ', Qt::SkipEmptyParts);
    QStringList lines;
    if (!f.isEmpty())
        lines << "SSViewHideFlag=" + f[0] << "SSViewShowFlag=" + f[1] << "SSViewYesFlag=" + f[2] << "SSView=" + f[3];
    const Settings s = loadFrom(lines);
    QCOMPARE(s.startup.ssView, expected);
    QCOMPARE(effectiveScreenshotView(s), expected);
    // The stored value is kept as read; only the layout carries the effective one.
    QCOMPARE(s.SSView, f.isEmpty() || f[3] == "True");
}

void TestSettingsLoad::bookmarks()
{
    // The defaults are twenty distinct usable addresses, the first the program's own.
    const Settings d = defaultSettings(standardContext());
    QVERIFY(d.Favourites[0].title.contains(QStringLiteral("Vintrax")));
    QSet<QString> addresses;
    for (const Favourite& f : d.Favourites) {
        const QUrl url(f.address, QUrl::StrictMode);
        QVERIFY2(url.isValid() && !url.host().isEmpty(), qPrintable(f.address));
        QVERIFY2(QStringList({"http", "https", "ftp"}).contains(url.scheme()), qPrintable(f.address));
        QVERIFY2(f.isUsed() && !f.title.isEmpty(), qPrintable(f.title));
        addresses.insert(f.address);
    }
    QCOMPARE(addresses.size(), FavouriteCount);

    // The title "Empty" hides an entry; only that exact spelling.
    const Settings s = loadFrom({"Fave3D=Empty", "Fave3U=", "Fave7D=My site", "Fave7U=https://example.org/"});
    QVERIFY(!s.Favourites[3].isUsed());
    QCOMPARE(s.Favourites[7], (Favourite{"My site", "https://example.org/"}));
    QVERIFY(s.Favourites[7].isUsed());
    QCOMPARE(s.Favourites[2], d.Favourites[2]);
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
    QCOMPARE(readPortDefaults(*openSettingsStore(m_dir->filePath("none.ini"))), PortDefaults{});
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
