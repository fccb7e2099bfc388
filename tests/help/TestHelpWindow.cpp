// The Help menu from the main window: the help files through the desktop's "Open", the about box and its links.
#include "ModalHelpers.h"
#include "TestFolders.h"
#include "WindowFixture.h"
#include "help/About.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>

using windowtest::action;

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void helpFilesAndAbout()
    {
        windowtest::WindowFixture f;
        QMainWindow* w = f.start();
        QVERIFY(w);
        QStringList opened; // what the desktop's "Open" was handed
        f.state().ShellOpen = [&opened](const QString& target) { return opened << target, true; };
        // A missing help file is named and nothing is opened; once it is there, the desktop opens it.
        action(w, "mnuHelpVintrax")->trigger();
        QCOMPARE(f.messages.texts(), QStringList("FILE NOT FOUND: " + f.programFile("vintrax.txt")));
        QVERIFY(opened.isEmpty());
        for (const auto& [command, file] :
             {std::pair{"mnuHelpVintrax", QStringLiteral("vintrax.txt")}, {"mnuHelpVintraxHTML", "vintrax.htm"}}) {
            QVERIFY(QFile::copy(testsupport::stageDir() + u'/' + file, f.programFile(file)));
            action(w, command)->trigger();
        }
        QCOMPARE(opened, QStringList({f.programFile("vintrax.txt"), f.programFile("vintrax.htm")}));
        // The about box shows the version, opens its links through the desktop and closes with OK.
        opened.clear();
        testsupport::whenModal([](QWidget* about) {
            QCOMPARE(about->objectName(), QStringLiteral("frmVTRXAbout"));
            QVERIFY(about->findChild<QLabel*>("lblVersion")->text().endsWith(help::programVersion()));
            emit about->findChild<QLabel*>("lblWeb")->linkActivated(help::homePage());
            emit about->findChild<QLabel*>("lblEmail")->linkActivated(help::contactAddress());
            about->findChild<QPushButton*>("cmdOK")->click();
        });
        action(w, "mnuHelpAbout")->trigger();
        QCOMPARE(opened, QStringList({help::homePage(), help::contactAddress()}));
        QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open");
    }
};

QTEST_MAIN(TestHelpWindow)
#include "TestHelpWindow.moc"
