// The settings store on real INI files: what the loader makes of the "Startup" section and what the writer leaves in
// the file. The first start of this version, a minimised exit as the user meets them and a refused write are the
// start-up tests'; a full disk is the writer table's.
#include "SettingsTestHelpers.h"
#include "TestFolders.h"
#include "data/settings/SettingsStore.h"
#include "data/settings/SettingsTable.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace settingstest;

namespace {

// The "Startup" section of an INI file as raw text pairs, read without QSettings, so that a check
// does not merely agree with the library that wrote the file. Values keep their quotes and escapes.
QMap<QString, QString> rawStartupSection(const QString& iniPath)
{
    QMap<QString, QString> values;
    QString section;
    for (const QString& rawLine : QString::fromUtf8(testsupport::readFile(iniPath)).split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.startsWith(QLatin1Char('[')))
            section = line;
        else if (section == QLatin1String("[Startup]") && line.indexOf(QLatin1Char('=')) > 0)
            values.insert(line.section(QLatin1Char('='), 0, 0), line.section(QLatin1Char('='), 1));
    }
    return values;
}

// Writes an INI file by hand: "[Startup]" followed by the given lines.
bool writeStartupIni(const QString& iniPath, const QStringList& lines)
{
    return testsupport::writeFile(iniPath, ("[Startup]\n" + lines.join(QLatin1Char('\n')) + "\n").toUtf8());
}

QString valueOf(const Settings& s, const QString& key)
{
    for (const SettingDescriptor& d : settingsTable())
        if (d.key == key)
            return d.get(s).toString();
    return QStringLiteral("no such key");
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // A fresh folder per case: QSettings caches files by name within the process.
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void keyReadsAs_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("read");
        // clang-format off
        // Spellings the loader accepts (the words True and False are the round trip's).
        QTest::newRow("fraction") << QStringList{"Widthy=7200.5"} << "Widthy" << "7200.5";
        QTest::newRow("halves round to even") << QStringList{"GoToDIR=0.5"} << "GoToDIR" << "0";
        QTest::newRow("True as an integer") << QStringList{"AlwaysOnTop=True"} << "AlwaysOnTop" << "1";
        // Garbage falls back to the default, key by key.
        QTest::newRow("maybe") << QStringList{"PositionFlag=maybe"} << "PositionFlag" << "true";
        QTest::newRow("negative height") << QStringList{"Heighty=-5"} << "Heighty" << "9615";
        QTest::newRow("nan") << QStringList{"Top=nan"} << "Top" << "2393";
        QTest::newRow("no such list") << QStringList{"WhatListBox=7"} << "WhatListBox" << "0";
        QTest::newRow("below an unclosed section") << QStringList{"[Broken section", "MusicPath=/elsewhere"} << "MusicPath" << "";
        // Hand-edited texts read as typed (commas and blanks around a text are the round trip's).
        QTest::newRow("escape-like") << QStringList{"Find1=\\x41\\n\\t\\\""} << "Find1" << "\\x41\\n\\t\\\"";
        QTest::newRow("quotes around") << QStringList{"TitleBarText=\"Quoted, kept\""} << "TitleBarText" << "\"Quoted, kept\"";
        QTest::newRow("number with a comma") << QStringList{"WhatListBox=1,2"} << "WhatListBox" << "0";
        // clang-format on
    }

    void keyReadsAs()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, key);
        QFETCH(QString, read);
        // (Line ends, a missing last one and comments are the hand-edited file's.)
        QVERIFY(writeStartupIni(iniPath(), lines));
        QCOMPARE(valueOf(loadSettings(*openSettingsStore(iniPath()), standardContext()), key), read);
    }

    // The main window's place and the screenshot view at start-up: the stored position, or the centre of the screen
    // (19200 / 2 - 7000 / 2 and 14400 / 2 - int(9615 / 2)); the screenshot flags (hide, show and the saved view).
    // Nothing stored gives a centred window showing screenshots, and loading never creates the file.
    void startupLayout_data()
    {
        QTest::addColumn<QStringList>("lines"); // none: no file at all
        QTest::addColumn<QString>("layout");    // top left height view ssView
        // clang-format off
        QTest::newRow("nothing stored") << QStringList{} << "2393 6100 9615 0 1";
        QTest::newRow("always centre, always hide") << QStringList{"PositionFlag=False", "Top=100", "Left=250", "SSViewHideFlag=True", "SSViewShowFlag=True"} << "2393 6100 9615 0 0";
        QTest::newRow("always show") << QStringList{"SSViewShowFlag=True", "SSView=False"} << "2393 6100 9615 0 1";
        // clang-format on
    }

    void startupLayout()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, layout);
        const SettingsLoadContext context = standardContext();
        QVERIFY(lines.isEmpty() || writeStartupIni(iniPath(), lines));
        const Settings s = loadSettings(*openSettingsStore(iniPath()), context);
        QCOMPARE(QFileInfo::exists(iniPath()), !lines.isEmpty());
        QVERIFY(!lines.isEmpty() || s == defaultSettings(context)); // no key at all: every one its default
        const StartupLayout& l = s.startup;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5").arg(l.top).arg(l.left).arg(l.height).arg(l.view).arg(l.ssView),
                 layout);
        // The category browser's position defaults to the main window's centred one; the stored screenshot view is
        // kept as read, only the layout carries the effective one.
        QCOMPARE(s.OGLeft, 6100);
        QCOMPARE(s.SSView, !lines.contains("SSView=False"));
    }

    void everyKeyRoundTrips()
    {
        // Every key set to a value that differs from its default (a flag flipped, a number moved by one within its
        // range, a text naming its key), so that a key the writer or the loader forgets comes back as its default.
        Settings written = defaultSettings(standardContext());
        for (const SettingDescriptor& d : settingsTable()) {
            const double number = d.get(written).toDouble();
            if (d.type == SettingType::Boolean)
                d.set(written, !d.get(written).toBool());
            else if (d.type == SettingType::Text)
                d.set(written, d.key + QStringLiteral(", changed"));
            else
                d.set(written, number + 1 <= d.maximum ? number + 1 : number - 1);
        }
        // Texts of any kind in the search keys; a file line cannot hold a line break or blanks at a value's ends.
        const QStringList texts = QStringLiteral("Last Ninja, The|a,b,,c|\"Quoted\" and 'single'|x=1; y=2 ;comment?|"
                                                 "C:\\GAMES\\C64\\|Blå Bläk – 日本 ©|@Variant(junk)|[Startup] #1|True|"
                                                 "  padded  ")
                                      .split(u'|');
        for (int i = 0; i < FindCount; ++i)
            written.Find[i] = texts[i];
        written.Favourites[19].title = QStringLiteral("two\nlines\tand tab");
        written.LastResetDate = QStringLiteral("31-12-1999");
        written.Top = 1234.5; // twips may be fractional in a hand-edited file, and are written back so
        written.Left = -0.25;
        QCOMPARE(saveSettings(*openSettingsStore(iniPath()), written, {}), SettingsWriteStatus::Ok);
        QVERIFY(testsupport::readFile(iniPath()).startsWith("[Startup]\n")); // a new file opens with its section
        // The file holds every key under its own name, as plain text.
        const QMap<QString, QString> raw = rawStartupSection(iniPath());
        QStringList expected;
        for (const SettingDescriptor& d : settingsTable())
            expected << d.key;
        expected.sort();
        QCOMPARE(raw.keys(), expected);
        for (const QString pair : {"PositionFlag=False", "View=True", "Widthy=7001", "Top=1234.5", "Left=-0.25",
                                   "Texture=0", "GamesPath4=GamesPath4, changed", "LastResetDate=31-12-1999"})
            QCOMPARE(pair.section('=', 0, 0) + "=" + raw.value(pair.section('=', 0, 0)), pair);

        const Settings read = loadSettings(*openSettingsStore(iniPath()), standardContext());
        written.Find[9] = QStringLiteral("padded");
        written.Favourites[19].title = QStringLiteral("two lines\tand tab");
        for (const SettingDescriptor& d : settingsTable())
            QVERIFY2(d.get(read) == d.get(written), qPrintable(d.key + "=" + d.get(read).toString()));
    }

    void handEditedFileKeepsItsLines_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QByteArray>("start"); // before the first line
        QTest::newRow("Unix line ends, none after the last line") << QByteArray("\n") << QByteArray();
        QTest::newRow("Windows line ends, byte-order mark") << QByteArray("\r\n") << QByteArray("\xEF\xBB\xBF");
    }

    void handEditedFileKeepsItsLines()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(QByteArray, start);
        const QList<QByteArray> head =
            QByteArray("; Vintrax settings, edited by hand\n# Gr\xf6\xdf"
                       "e: one line typed in Latin-1\n[Startup]\n"
                       "MusicPath = /home/j\xc3\xbcrgen/Musik/Gr\xc3\xb6\xc3\x9f"
                       "e\nGamesPath=D:\\C64; \"Games\" #1\n"
                       "Colour=blue\nWhatListBox=1\n; the old list\nCurrentGame=Last Ninja, The\nTexture=2\nTexture=3")
                .split('\n');
        const QList<QByteArray> tail = {"stray text", "", "[Other]", "Keep=this\\that"};
        QVERIFY(testsupport::writeFile(iniPath(), start + (head + tail).join(lineEnd)));
        auto store = openSettingsStore(iniPath());
        Settings s = loadSettings(*store, standardContext());
        QCOMPARE(s.Texture, 3); // the last of a key given twice
        // Each line has its own encoding: the Latin-1 line made every UTF-8 value read as Latin-1 (and the comment
        // come back re-encoded), so "/home/jürgen" was stored as "/home/jÃ¼rgen" for good.
        QCOMPARE(s.MusicPath, QStringLiteral("/home/jürgen/Musik/Größe"));
        s.WhatListBox = 2;
        QCOMPARE(saveSettings(*store, s, {}), SettingsWriteStatus::Ok);
        store.reset();

        // Every line stays as typed, byte for byte, but the changed value and the earlier of the doubled key; the keys
        // the file lacked (all but five) follow the section's last key.
        QList<QByteArray> expectedHead = head;
        expectedHead[6] = "WhatListBox=2";
        expectedHead.removeAt(9);
        const QByteArray written = testsupport::readFile(iniPath());
        const QByteArray headText = start + expectedHead.join(lineEnd) + lineEnd;
        const QByteArray tailText = tail.join(lineEnd) + lineEnd;
        QVERIFY2(written.startsWith(headText) && written.endsWith(tailText), written.constData());
        const QByteArray added = written.mid(headText.size(), written.size() - headText.size() - tailText.size());
        QCOMPARE(added.count('\n'), qsizetype(settingsTable().size()) - 5);
        QVERIFY(added.contains(lineEnd + "GamesPath4=" + lineEnd)); // an empty text as nothing after the sign
    }

private:
    QString iniPath() const { return m_dir->filePath("config/Vintrax/Vintrax.ini"); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(TestSettings)
#include "TestSettings.moc"
