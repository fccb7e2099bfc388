// Starts the main window offscreen on the demo catalogue and saves a picture of it, for looking at
// the window without a desktop: grab_main_window OUT.png [game name] [height in pixels]
#include "WindowFixture.h"
#include <QMainWindow>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QTest>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    windowtest::WindowFixture fixture;
    // The demo's screenshots too, so the picture shows as it does in the demo.
    const QDir shots(testsupport::stageDir() + QStringLiteral("/Screenshots"));
    for (const QString& name : shots.entryList(QDir::Files))
        QFile::copy(shots.filePath(name), fixture.programFile(QStringLiteral("Screenshots/") + name));
    if (argc > 2)
        fixture.presetSettings({{QStringLiteral("CurrentGame"), QString::fromLocal8Bit(argv[2])},
                                {QStringLiteral("CCS64Path"), QStringLiteral("/bin/true")},
                                {QStringLiteral("DirectXPath"), QStringLiteral("/bin/true")}});
    QMainWindow* window = fixture.start();
    if (!window)
        return 1;
    if (argc > 3)
        window->resize(window->width(), QString::fromLocal8Bit(argv[3]).toInt());
    QTest::qWait(300);
    const bool saved = window->grab().save(QString::fromLocal8Bit(argv[1]));
    fixture.exit();
    return saved ? 0 : 1;
}
