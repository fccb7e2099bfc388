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

    windowtest::WindowFixture* f = nullptr;
    QMainWindow* w = nullptr;
    QStringList m_opened; // what the desktop's "Open" was handed

private slots:
    // The program started, its desktop "Open" recorded.
    void init()
    {
        m_opened.clear();
        f = new windowtest::WindowFixture;
        w = f->isValid() ? f->start() : nullptr;
        QVERIFY(w);
        f->state().ShellOpen = [this](const QString& target) { return m_opened << target, true; };
    }
    void cleanup()
    {
        QVERIFY2(!QApplication::activeModalWidget(), "a dialog was left open");
        delete f;
    }

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
        action(w, qPrintable(command))->trigger();
        QCOMPARE(f->messages.texts(), QStringList("FILE NOT FOUND: " + f->programFile(file)));
        QVERIFY(m_opened.isEmpty());
        QVERIFY(QFile::copy(testsupport::stageDir() + u'/' + file, f->programFile(file)));
        action(w, qPrintable(command))->trigger();
        QCOMPARE(m_opened, QStringList(f->programFile(file)));
    }

    // The about box shows the version, opens its links through the desktop and closes with OK.
    void about()
    {
        testsupport::whenModal([](QWidget* about) {
            QCOMPARE(about->objectName(), QStringLiteral("frmVTRXAbout"));
            QVERIFY(about->findChild<QLabel*>("lblVersion")->text().endsWith(help::programVersion()));
            emit about->findChild<QLabel*>("lblWeb")->linkActivated(help::homePage());
            emit about->findChild<QLabel*>("lblEmail")->linkActivated(help::contactAddress());
            about->findChild<QPushButton*>("cmdOK")->click();
        });
        action(w, "mnuHelpAbout")->trigger();
        QCOMPARE(m_opened, QStringList({help::homePage(), help::contactAddress()}));
    }
};

QTEST_MAIN(TestHelpWindow)
#include "TestHelpWindow.moc"
