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
using windowtest::WindowFixture;

class TestHelpWindow : public QObject
{
    Q_OBJECT

    QStringList m_opened; // what the desktop's "Open" was handed
    // The program started, its desktop "Open" recorded.
    QMainWindow* start(WindowFixture& f)
    {
        m_opened.clear();
        QMainWindow* w = f.isValid() ? f.start() : nullptr;
        if (w)
            f.state().ShellOpen = [this](const QString& target) { return m_opened << target, true; };
        return w;
    }

private slots:
    void cleanup() { QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open"); }

    // A missing help file is named and nothing is opened; once it is there, the desktop opens it.
    void helpFiles_data()
    {
        QTest::addColumn<QString>("command"); // the row's name is the file
        QTest::newRow("vintrax.txt") << "mnuHelpVintrax";
        QTest::newRow("vintrax.htm") << "mnuHelpVintraxHTML";
    }
    void helpFiles()
    {
        QFETCH(QString, command);
        const QString file = QTest::currentDataTag();
        WindowFixture f;
        QMainWindow* w = start(f);
        QVERIFY(w);
        QAction* item = action(w, qPrintable(command));
        QVERIFY(item && item->isEnabled());
        item->trigger();
        QCOMPARE(f.messages.texts(), QStringList("FILE NOT FOUND: " + f.programFile(file)));
        QVERIFY(m_opened.isEmpty());
        QVERIFY(QFile::copy(testsupport::stageDir() + u'/' + file, f.programFile(file)));
        item->trigger();
        QCOMPARE(m_opened, QStringList(f.programFile(file)));
    }

    // The about box shows the version, opens its home page link through the desktop and closes with OK.
    void about()
    {
        WindowFixture f;
        QMainWindow* w = start(f);
        QVERIFY(w);
        bool shown = false;
        testsupport::whenModal([&](QWidget* about) {
            QCOMPARE(about->objectName(), QStringLiteral("frmVTRXAbout"));
            QVERIFY(about->findChild<QLabel*>("lblVersion")->text().endsWith(help::programVersion()));
            emit about->findChild<QLabel*>("lblWeb")->linkActivated(help::homePage());
            emit about->findChild<QLabel*>("lblEmail")->linkActivated(help::contactAddress());
            about->findChild<QPushButton*>("cmdOK")->click();
            shown = true;
        });
        action(w, "mnuHelpAbout")->trigger();
        QVERIFY(shown);
        QCOMPARE(m_opened, QStringList({help::homePage(), help::contactAddress()}));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "TestHelpWindow.moc"
