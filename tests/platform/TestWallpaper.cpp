// The desktop background set through a fake gsettings on PATH that keeps what it is told, or, like gsettings without a
// running settings service, says yes and keeps nothing (the wallpaper used to be reported as set then).
#include "FakeTool.h"
#include "platform/Wallpaper.h"

#include <QTemporaryDir>
#include <QTest>

class TestWallpaper : public QObject
{
    Q_OBJECT

private slots:
    void readsTheSettingBack_data()
    {
        QTest::addColumn<QString>("desktop");
        QTest::addColumn<QString>("service"); // "keeps" or "none" (says yes, keeps nothing)
        QTest::addColumn<QString>("picture");
        QTest::addColumn<bool>("set");
        const QString plain = "/home/me/.local/share/Vintrax/vintrax Wallpaper.bmp";
        // clang-format off
        QTest::addRow("GNOME keeps it") << "ubuntu:GNOME" << "keeps" << plain << true;
        QTest::addRow("no settings service") << "GNOME" << "none" << plain << false;
        QTest::addRow("MATE, quotes and a backslash") << "MATE" << "keeps" << "/home/o'brien/\"x\\y\"/w.bmp" << true;
        QTest::addRow("a desktop without gsettings keys") << "XFCE" << "keeps" << plain << false;
        // clang-format on
    }
    void readsTheSettingBack()
    {
        QFETCH(QString, desktop);
        QFETCH(QString, service);
        QFETCH(QString, picture);
        QFETCH(bool, set);
        QTemporaryDir dir;
        // gsettings prints a text in quotes, with a backslash before a quote or backslash inside it.
        QVERIFY(testsupport::writeFakeTool(dir.path(), "gsettings", R"sh(keep="$0.$2.$3"
[ "$1" = set ] && { [ "$FAKE_SERVICE" = none ] || printf %s "$4" > "$keep"; }
[ "$1" = get ] && { [ -f "$keep" ] || printf file:///old.png > "$keep"; printf '"%s"\n' "$(sed 's/[\\"]/\\&/g' "$keep")"; }
exit 0)sh"));
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(dir.path()) + ":" + path);
        qputenv("XDG_CURRENT_DESKTOP", desktop.toUtf8());
        qputenv("FAKE_SERVICE", service.toUtf8());
        const bool result = platform::setDesktopWallpaper(picture);
        qputenv("PATH", path);
        QCOMPARE(result, set);
    }
};

QTEST_GUILESS_MAIN(TestWallpaper)
#include "TestWallpaper.moc"
