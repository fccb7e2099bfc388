// What the settings writer leaves in the file: every key, read back as written; texts of any kind; a hand-edited
// file kept line for line; the window position at a minimised exit; the first start; ShowPrefs; refusals.
#include "SettingsTestHelpers.h"
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace settingstest;

class TestSettingsSave : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void everyKeyRoundTrips();
    void writtenFileHoldsEveryKeyAsPlainText();
    void textsRoundTrip_data();
    void textsRoundTrip();
    void handEditedFileKeepsItsLines_data();
    void handEditedFileKeepsItsLines();
    void minimisedWindowKeepsPreviousPosition();
    void firstStartIsFollowedByNormalStarts();
    void showPrefsIsOnlyWrittenWhenCleared();
    void readOnlyFileIsLeftIntact();
    void unwritableFolderIsReported();

private:
    QString iniPath() const { return m_dir->filePath("config/Vintrax/Vintrax.ini"); }
    static Settings everyValueChanged();

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestSettingsSave::init()
{
    // A fresh folder per case: QSettings caches files by name within the process.
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

// Every key set to a value that differs from its default (a flag flipped, a number moved by one within its
// range, a text naming its key), so that a key the writer or the loader forgets comes back as its default.
Settings TestSettingsSave::everyValueChanged()
{
    Settings s = defaultSettings(standardContext());
    for (const SettingDescriptor& d : settingsTable()) {
        const QVariant old = d.get(s);
        if (d.type == SettingType::Boolean)
            d.set(s, !old.toBool());
        else if (d.type == SettingType::Text)
            d.set(s, d.key + QStringLiteral(", changed"));
        else
            d.set(s, old.toDouble() + 1 <= d.maximum ? old.toDouble() + 1 : old.toDouble() - 1);
    }
    s.LastResetDate = QStringLiteral("31-12-1999");
    return s;
}

void TestSettingsSave::everyKeyRoundTrips()
{
    Settings written = everyValueChanged();
    const Settings defaults = defaultSettings(standardContext());
    for (const SettingDescriptor& d : settingsTable())
        QVERIFY2(d.get(written) != d.get(defaults), qPrintable(d.key));
    QCOMPARE(saveSettings(*openSettingsStore(iniPath()), written, {}), SettingsWriteStatus::Ok);

    const Settings read = loadSettings(*openSettingsStore(iniPath()), standardContext());
    for (const SettingDescriptor& d : settingsTable())
        QVERIFY2(d.get(read) == d.get(written), qPrintable(d.key));
    written.startup = read.startup;
    QCOMPARE(read, written);
}

void TestSettingsSave::writtenFileHoldsEveryKeyAsPlainText()
{
    Settings s = defaultSettings(standardContext());
    s.Top = 1234.5; // twips may be fractional in a hand-edited file, and are written back so
    s.Left = -0.25;
    QCOMPARE(saveSettings(*openSettingsStore(iniPath()), s, {}), SettingsWriteStatus::Ok);
    const QMap<QString, QString> raw = rawStartupSection(iniPath());
    QStringList expected = expectedKeyNames();
    expected.sort();
    QCOMPARE(raw.keys(), expected);
    const QMap<QString, QString> spelled = {{"PositionFlag", "True"},
                                            {"View", "False"},
                                            {"V13Start", "True"},
                                            {"Widthy", "7000"},
                                            {"Top", "1234.5"},
                                            {"Left", "-0.25"},
                                            {"Texture", "-1"},
                                            {"DefPort2Key", "2"},
                                            {"GamesPath4", ""},
                                            {"LastResetDate", "07-03-2024"},
                                            {"Fave0U", "https://vintrax.sourceforge.io/"}};
    for (auto it = spelled.begin(); it != spelled.end(); ++it)
        QCOMPARE(raw.value(it.key()), it.value());
}

void TestSettingsSave::textsRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("read"); // a file line cannot hold line breaks or blanks at a value's ends
    for (const char* text : {"Last Ninja, The", "a,b,,c", "\"Quoted\" and 'single'", "x=1; y=2 ;comment?",
                             "C:\\GAMES\\C64\\", "Blå Bläk – 日本 ©", "@Variant(junk)", "[Startup] #1", "True", ""})
        QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(text);
    QTest::newRow("blanks around") << QStringLiteral("  padded  ") << QStringLiteral("padded");
    QTest::newRow("line break and tab") << QStringLiteral("two\nlines\tand tab")
                                        << QStringLiteral("two lines\tand tab");
}

void TestSettingsSave::textsRoundTrip()
{
    QFETCH(QString, text);
    QFETCH(QString, read);
    Settings s = defaultSettings(standardContext());
    s.V13Start = true;
    s.CurrentGame = text;
    s.CCS64Path = text;
    s.Find[9] = text;
    s.Favourites[19].title = text;
    auto store = openSettingsStore(iniPath());
    QCOMPARE(saveSettings(*store, s, {}), SettingsWriteStatus::Ok);
    store.reset();

    const Settings loaded = loadSettings(*openSettingsStore(iniPath()), standardContext());
    QCOMPARE(loaded.CurrentGame, read);
    QCOMPARE(loaded.CCS64Path, read);
    QCOMPARE(loaded.Find[9], read);
    QCOMPARE(loaded.Favourites[19].title, read);
    // The neighbours are not disturbed by whatever the text contains.
    QCOMPARE(loaded.Find[8], QString());
    QCOMPARE(loaded.Favourites[19].address, s.Favourites[19].address);
}

void TestSettingsSave::handEditedFileKeepsItsLines_data()
{
    QTest::addColumn<QByteArray>("lineEnd");
    QTest::addColumn<QByteArray>("start"); // before the first line
    QTest::newRow("Unix line ends, none after the last line") << QByteArray("\n") << QByteArray();
    QTest::newRow("Windows line ends, byte-order mark") << QByteArray("\r\n") << QByteArray("\xEF\xBB\xBF");
}

void TestSettingsSave::handEditedFileKeepsItsLines()
{
    QFETCH(QByteArray, lineEnd);
    QFETCH(QByteArray, start);
    const QList<QByteArray> head = {"; Vintrax settings, edited by hand",
                                    "# paths on the Windows drive",
                                    "[Startup]",
                                    "MusicPath = C:\\Games\\C64\\Music",
                                    "GamesPath=D:\\C64; \"Games\" #1",
                                    "Colour=blue",
                                    "WhatListBox=1",
                                    "; the old list",
                                    "CurrentGame=Last Ninja, The",
                                    "Texture=2",
                                    "Texture=3"};
    const QList<QByteArray> tail = {"stray text", "", "[Other]", "Keep=this\\that"};
    QVERIFY(testsupport::writeFile(iniPath(), start + (head + tail).join(lineEnd)));

    auto store = openSettingsStore(iniPath());
    Settings s = loadSettings(*store, standardContext());
    QCOMPARE(s.Texture, 3); // the last of a key given twice (the load test owns the spellings)
    s.WhatListBox = 2;
    QCOMPARE(saveSettings(*store, s, {}), SettingsWriteStatus::Ok);
    store.reset();

    // Every line stays as typed but the changed value and the earlier of the doubled key; the keys the
    // file lacked follow the section's last key.
    QList<QByteArray> expectedHead = head;
    expectedHead[6] = "WhatListBox=2";
    expectedHead.removeAt(9);
    const QByteArray written = testsupport::readFile(iniPath());
    const QByteArray headText = start + expectedHead.join(lineEnd) + lineEnd;
    const QByteArray tailText = tail.join(lineEnd) + lineEnd;
    QVERIFY2(written.startsWith(headText), written.constData());
    QVERIFY2(written.endsWith(tailText), written.constData());
    const QList<QByteArray> added =
        written.mid(headText.size(), written.size() - headText.size() - tailText.size()).split('\n');
    QCOMPARE(added.size() - 1, expectedKeyNames().size() - 5); // the file held five of the keys
    for (const QByteArray& line : added.mid(0, added.size() - 1))
        QVERIFY2(expectedKeyNames().contains(QString::fromUtf8(line.left(line.indexOf('=')))), line.constData());
    const Settings reread = loadSettings(*openSettingsStore(iniPath()), standardContext());
    QCOMPARE(reread.WhatListBox, 2);
    QCOMPARE(reread.GamesPath[0], s.GamesPath[0]);
}

void TestSettingsSave::minimisedWindowKeepsPreviousPosition()
{
    QVERIFY(writeStartupIni(iniPath(), {"Top=100", "Left=200", "V13Start=True"}));
    auto store = openSettingsStore(iniPath());
    Settings s = loadSettings(*store, standardContext());
    s.Top = 5555;
    s.Left = 6666;
    s.Widthy = 7100;
    QCOMPARE(saveSettings(*store, s, SettingsSaveContext{true}), SettingsWriteStatus::Ok);

    QMap<QString, QString> raw = rawStartupSection(iniPath());
    QCOMPARE(raw.value("Top"), QStringLiteral("100"));
    QCOMPARE(raw.value("Left"), QStringLiteral("200"));
    QCOMPARE(raw.value("Widthy"), QStringLiteral("7100"));

    QCOMPARE(saveSettings(*store, s, SettingsSaveContext{false}), SettingsWriteStatus::Ok);
    raw = rawStartupSection(iniPath());
    QCOMPARE(raw.value("Top"), QStringLiteral("5555"));
    QCOMPARE(raw.value("Left"), QStringLiteral("6666"));

    // Minimised at the very first exit: no position is stored, so the next start centres.
    QTemporaryDir fresh;
    auto freshStore = openSettingsStore(fresh.filePath("Vintrax.ini"));
    QCOMPARE(saveSettings(*freshStore, s, SettingsSaveContext{true}), SettingsWriteStatus::Ok);
    raw = rawStartupSection(fresh.filePath("Vintrax.ini"));
    QVERIFY(!raw.contains("Top") && !raw.contains("Left"));
    QVERIFY(raw.contains("OGTop") && raw.contains("Widthy"));
}

void TestSettingsSave::firstStartIsFollowedByNormalStarts()
{
    QVERIFY(writeStartupIni(iniPath(), {"CCS64Path=/emu/a", "CCS642Path=/emu/b", "DirectXPath=/emu/c"}));
    SettingsLoadContext context = standardContext();
    context.designedHeight = 9000;
    auto store = openSettingsStore(iniPath());
    Settings s = loadSettings(*store, context);
    QCOMPARE(s.startup.height, 9000.0);
    s.Heighty = 8800; // the window's height at exit
    QCOMPARE(saveSettings(*store, s, {}), SettingsWriteStatus::Ok);
    store.reset();

    const QMap<QString, QString> raw = rawStartupSection(iniPath());
    QCOMPARE(raw.value("V13Start"), QStringLiteral("True"));
    QCOMPARE(raw.value("CCS64Path"), QString());
    QCOMPARE(raw.value("CCS642Path"), QString());
    QCOMPARE(raw.value("DirectXPath"), QStringLiteral("/emu/c"));

    const Settings next = loadSettings(*openSettingsStore(iniPath()), context);
    QVERIFY(next.V13Start);
    QCOMPARE(next.startup.height, 8800.0);
    QCOMPARE(next.DirectXPath, QStringLiteral("/emu/c"));
}

// ShowPrefs lives outside the load/save cycle: the writer never adds it, clearing it keeps every other key
// and a later save keeps it cleared.
void TestSettingsSave::showPrefsIsOnlyWrittenWhenCleared()
{
    const QString fresh = m_dir->filePath("fresh.ini");
    QCOMPARE(saveSettings(*openSettingsStore(fresh), defaultSettings(standardContext()), {}), SettingsWriteStatus::Ok);
    QVERIFY(!rawStartupSection(fresh).contains("ShowPrefs"));
    QVERIFY(readShowPrefs(*openSettingsStore(fresh)));

    QVERIFY(writeStartupIni(iniPath(), {"CurrentGame=Last Ninja, The", "WhatListBox=2"}));
    auto store = openSettingsStore(iniPath());
    QCOMPARE(clearShowPrefs(*store), SettingsWriteStatus::Ok);
    const QMap<QString, QString> raw = rawStartupSection(iniPath());
    QCOMPARE(raw.size(), 3);
    QCOMPARE(raw.value("ShowPrefs"), QStringLiteral("False"));
    QCOMPARE(raw.value("WhatListBox"), QStringLiteral("2"));
    QCOMPARE(saveSettings(*store, loadSettings(*store, standardContext()), {}), SettingsWriteStatus::Ok);
    store.reset();
    QCOMPARE(rawStartupSection(iniPath()).value("CurrentGame"), QStringLiteral("Last Ninja, The"));
    QVERIFY(!readShowPrefs(*openSettingsStore(iniPath())));
}

void TestSettingsSave::readOnlyFileIsLeftIntact()
{
    QVERIFY(writeStartupIni(iniPath(), {"WhatListBox=1", "CurrentGame=Elite"}));
    const QByteArray before = testsupport::readFile(iniPath());
    QVERIFY(QFile::setPermissions(iniPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    auto store = openSettingsStore(iniPath());
    Settings s = loadSettings(*store, standardContext());
    QCOMPARE(s.CurrentGame, QStringLiteral("Elite"));
    s.CurrentGame = QStringLiteral("Paradroid");
    QCOMPARE(saveSettings(*store, s, {}), SettingsWriteStatus::ReadOnly);
    QCOMPARE(clearShowPrefs(*store), SettingsWriteStatus::ReadOnly);
    store.reset(); // a pending write would reach the file here

    QCOMPARE(testsupport::readFile(iniPath()), before);
    QVERIFY(settingsWriteMessage(SettingsWriteStatus::ReadOnly, iniPath()).contains(iniPath()));
    QVERIFY(settingsWriteMessage(SettingsWriteStatus::Ok, iniPath()).isEmpty());
}

void TestSettingsSave::unwritableFolderIsReported()
{
    // The settings folder cannot be made because a file of that name is in the way.
    const QString blocker = m_dir->filePath("config");
    QVERIFY(testsupport::writeFile(blocker, "not a folder"));
    auto store = openSettingsStore(iniPath());
    QCOMPARE(saveSettings(*store, defaultSettings(standardContext()), {}), SettingsWriteStatus::AccessError);
    QCOMPARE(testsupport::readFile(blocker), QByteArray("not a folder"));
    QVERIFY(!settingsWriteMessage(SettingsWriteStatus::AccessError, iniPath()).isEmpty());
}

QTEST_GUILESS_MAIN(TestSettingsSave)
#include "TestSettingsSave.moc"
