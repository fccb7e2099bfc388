// The maintenance commands in the main window, one wiring case each: the verification from a filtered view (at the
// first start of this version it is the start-up tests'), the missing-files report beside the main window, and every
// reset with its question; and the main window closed in the middle of a verification.
#include "ModalHelpers.h"
#include "WindowFixture.h"
#include "browser/GameListModel.h"
#include "data/CatalogueNames.h"
#include "maintenance/gui/ReportWindow.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QHeaderView>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeView>

using namespace windowtest;
using platform::MessageBox;

namespace {

QColor rowColour(QWidget* w, const QString& game)
{
    const QAbstractItemModel& model = gameList(w);
    return model.data(model.match(model.index(0, 0), Qt::DisplayRole, game).value(0), Qt::ForegroundRole)
        .value<QColor>();
}

// Start, to the end of the run; then a click on the header of column, when given. The report's lines.
QStringList runReport(QWidget* window, int column = -1)
{
    window->findChild<QPushButton*>("cmdStart")->click();
    auto* close = window->findChild<QPushButton*>("cmdClose");
    if (!QTest::qWaitFor([close] { return close->isEnabled(); }, 20000))
        return {"still running"};
    auto* list = window->findChild<QTreeView*>("lvNotFound");
    if (column >= 0)
        QTest::mouseClick(list->header()->viewport(), Qt::LeftButton, {},
                          QPoint(list->header()->sectionViewportPosition(column) + 4, 4));
    QStringList lines;
    for (int r = 0; r < list->model()->rowCount(); ++r)
        lines << list->model()->index(r, 0).data().toString() + '|' + list->model()->index(r, 1).data().toString() +
                     '|' + list->model()->index(r, 2).data().toString();
    return lines;
}

} // namespace

class TestMaintenanceWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<WindowFixture> f;
    QMainWindow* w = nullptr;
    bool start(const QString& game, const QVariantMap& settings = {}, const QString& sql = {})
    {
        f = std::make_unique<WindowFixture>();
        return f->isValid() && (sql.isEmpty() || f->sql(sql).isEmpty()) && (w = f->startOn(game, settings));
    }

private slots:
    void cleanup() { f.reset(); }

    // From the playable view the question comes first: No leaves it at that; Yes shows all games and opens the
    // window. The run finds a file gone and puts a colour right (what it writes is the run tests'), which the list
    // shows at once; the selected game stays selected. The report sorts by its Status column.
    void verifyFromAFilteredView()
    {
        QVERIFY(
            start("Astro Miner", {{"WhatListBox", 1}}, "UPDATE Games SET CCode = 8421504 WHERE Name = 'Astro Miner'"));
        QVERIFY(QFile::remove(f->programFile("Demo/Games/cavern.prg")));
        f->messages.addAnswers({MessageBox::No, MessageBox::Yes});
        action(w, "mnuToolsVerify")->trigger();
        QCOMPARE(f->messages.count(), 1);
        QCOMPARE(labelText(w, "lblWhatView"), "PLAYABLE GAMES");
        QStringList report;
        testsupport::whenModal([&](QWidget* dialog) {
            report = runReport(dialog, 2);
            dialog->findChild<QPushButton*>("cmdClose")->click();
        });
        action(w, "mnuToolsVerify")->trigger();
        QCOMPARE(labelText(w, "lblWhatView"), "ALL GAMES IN DATABASE");
        QVERIFY(report.contains("Game|Cavern Crawler|Not Found") && report.contains("Game|Astro Miner|Found"));
        QVERIFY(report.first().endsWith("|Found") && report.last().endsWith("|Not Found"));
        QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(catalogue::kBlack));
        QCOMPARE(selectedGame(w), "Astro Miner");
    }

    // Beside the main window, not over it; it goes with the main window.
    void missingFiles()
    {
        QVERIFY(start("Astro Miner"));
        QVERIFY(QFile::remove(f->programFile("Demo/Games/cavern.prg")));
        action(w, "mnuOptionsMissingFiles")->trigger();
        const QList<ReportWindow*> windows = w->findChildren<ReportWindow*>("frmNotFound");
        QCOMPARE(windows.size(), 1);
        QVERIFY(windows[0]->isVisible() && !QApplication::activeModalWidget());
        QVERIFY(runReport(windows[0]).contains("Game Filename|Cavern Crawler|All Games Paths\\cavern.prg"));
        w->close();
        QVERIFY(!windows[0]->isVisible());
    }

    void resets_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("colour"); // of Astro Miner in the list
        const QString played = "SELECT group_concat(TimesPlayed || DateLastPlayed, ' ') FROM Games WHERE Name < 'C'";
        const QString count = "SELECT count(*) FROM Games WHERE %1 <> '(None)'";
        // clang-format off
        QTest::addRow("current") << "mnuOptionsResetTPCurrent" << played << "0(Never) 5(Never)" << int(catalogue::kBlack);
        QTest::addRow("all") << "mnuOptionsResetTPAll" << played << "0(Never) 0(Never)" << int(catalogue::kBlack);
        QTest::addRow("game files") << "mnuResGF" << count.arg("Filename") << "0" << int(catalogue::kRed);
        QTest::addRow("except Blast") << "mnuResGFB" << count.arg("Filename") << "1" << int(catalogue::kRed);
        QTest::addRow("tunes") << "mnuResSF" << count.arg("\"Music Filename\"") << "0" << int(catalogue::kBlue);
        QTest::addRow("screenshots") << "mnuResSS" << count.arg("\"Screenshot Filename\"") << "0" << int(catalogue::kBlack);
        // clang-format on
    }
    // Each asks its question first (a No is the verification's case); on Yes the catalogue changes, the list shows
    // the new colours, the panel the new values, and the selected game stays selected.
    void resets()
    {
        QFETCH(QString, command);
        QFETCH(QString, query);
        QFETCH(QString, after);
        QFETCH(int, colour);
        QVERIFY(
            start("Astro Miner", {},
                  "UPDATE Games SET TimesPlayed = 5; UPDATE Games SET Filename = 'Blast\\blast012.d64' WHERE Name = "
                  "'Cavern Crawler'"));
        f->messages.addAnswer(MessageBox::Yes);
        action(w, qPrintable(command))->trigger();
        QCOMPARE(f->messages.count(), 1); // which reset it asks for shows in what it changes
        QCOMPARE(f->messages.last().icon, MessageBox::Question);
        QCOMPARE(f->messages.last().defaultButton, MessageBox::No);
        QCOMPARE(f->sql(query), after);
        QCOMPARE(rowColour(w, "Astro Miner"), browser::colourFromCode(colour));
        QCOMPARE(selectedGame(w), "Astro Miner");
        QCOMPARE(labelText(w, "lblTimesPlayed"), f->sql("SELECT TimesPlayed FROM Games WHERE Name = 'Astro Miner'"));
    }

    // The run ends first, with what it checked written, and its window closes; the catalogue stays sound.
    void mainWindowClosedDuringAVerification()
    {
        QVERIFY(start("Astro Miner", {},
                      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 29999) INSERT INTO "
                      "Games (Name, Filename, \"Music Filename\", FA) SELECT 'Z' || i, 'z.d64', '(None)', 1 FROM n"));
        testsupport::whenModal([this](QWidget* dialog) {
            dialog->findChild<QPushButton*>("cmdStart")->click();
            connect(dialog->findChild<QProgressBar*>("pbWait"), &QProgressBar::valueChanged, w, &QWidget::close);
        });
        action(w, "mnuToolsVerify")->trigger();
        QVERIFY(!QApplication::activeModalWidget() && !w->isVisible());
        const int checked = f->sql("SELECT count(*) FROM Games WHERE Name LIKE 'Z%' AND FA = 0").toInt();
        QVERIFY2(checked > 0 && checked < 30000, qPrintable(QString::number(checked)));
        QCOMPARE(f->sql("PRAGMA integrity_check"), "ok");
    }
};

QTEST_MAIN(TestMaintenanceWindow)
#include "TestMaintenanceWindow.moc"
