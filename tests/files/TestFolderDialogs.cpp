// Every dialog with a folder list, opened on a deep folder and a 204-character name: the long text is elided, whole in
// its tool tip, and the dialog stays within the screen (it grew past it); Return on ".." and on a folder opens it and
// stores nothing (it closed through OK and stored "(None)", or moved the file at once); Return on a file takes it.

#include "CatalogueFixtures.h"
#include "TestFolders.h"
#include "appstate/AppState.h"
#include "data/Schema.h"
#include "files/gui/frmVTRXBrowse.h"
#include "files/gui/frmVTRXDocBrowse.h"
#include "files/gui/frmVTRXGameFile.h"
#include "files/gui/frmVTRXMoveFile.h"
#include "files/gui/frmVTRXScreenshot.h"
#include "music/gui/frmVTRXSidFile.h"
#include "platform/gui/ElidedText.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QScreen>
#include <QTest>

using testsupport::sqliteShell;

static const QString kLong = "Galactic Garden Ünï " + QString(177, 'x') + "end."; // 204 characters with "d64"

class TestFolderDialogs : public QObject
{
    Q_OBJECT

    testsupport::TempProgramFolder m_home;
    int m_goToDir = 0;

private slots:
    void initTestCase()
    {
        for (const QString tree : {"Games/Sub/", "Music/Sub/", "Emu/Sub/"}) {
            const QString ending = tree.startsWith("Music") ? "sid" : tree.startsWith("Emu") ? "bmp" : "d64";
            for (const QString& file : {kLong + "/" + kLong, QString("Deeper/Other.")})
                QVERIFY(testsupport::writeFile(m_home.file(tree + file + ending), "x"));
        }
        QVERIFY(catalogue::createCatalogue(m_home.file("Vintrax.mdb")));
        const QString own = "Sub\\" + kLong + "\\" + kLong + "d64";
        const QString values = "VALUES ('Elite', '" + own + "', '(None)')";
        sqliteShell(m_home.file("Vintrax.mdb"),
                    "INSERT INTO Games (Name, Filename, \"Screenshot Filename\") " + values);
    }

    void returnAndLongNames_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"game", "sid", "move", "browse", "doc", "screenshot"}) // the game file first
            QTest::addRow("%s", kind) << kind;
    }
    void returnAndLongNames()
    {
        QFETCH(QString, kind);
        app::AppState state(platform::Folders::inProgramFolder(m_home.path()));
        QVERIFY(state.catalogue.open(m_home.file("Vintrax.mdb")).ok());
        state.catalogueOpened();
        QVERIFY(state.currentGame.selectByName("Elite"));
        const QString ending = kind == "sid" ? "sid" : kind == "screenshot" ? "bmp" : "d64";
        const QString tree = m_home.file(kind == "sid" ? "Music/Sub" : kind == "screenshot" ? "Emu/Sub" : "Games/Sub");
        const QString deep = tree + '/' + kLong;
        state.settings.GamesPath = {m_home.file("Games"), deep, "", "", ""}; // the Paths menu shows them
        state.settings.MusicPath = m_home.file("Music");
        state.settings.CCS64Path = deep + "/ccs64";
        std::unique_ptr<QDialog> d;
        if (kind == "game")
            d = std::make_unique<frmVTRXGameFile>(state, "Game", false);
        else if (kind == "sid")
            d = std::make_unique<frmVTRXSidFile>(state, "Tune", "Sub\\" + kLong + "\\" + kLong + "sid", false);
        else if (kind == "move")
            d = std::make_unique<frmVTRXMoveFile>(deep, deep, kLong + "d64", nullptr, m_goToDir);
        else if (kind == "browse")
            d = std::make_unique<frmVTRXBrowse>(app::BrowseRequest{"Browse", deep, {}, "*.*", 0}, m_home.path());
        else if (kind == "doc")
            d = std::make_unique<frmVTRXDocBrowse>(deep + '/' + kLong + "d64", m_home.path());
        else
            d = std::make_unique<frmVTRXScreenshot>(state, "Screenshot");
        d->show();
        QVERIFY(QTest::qWaitForWindowActive(d.get()));
        QVERIFY(d->frameGeometry().width() <= d->screen()->availableGeometry().width());
        const QMap<QString, QString> names{{"game", "lblFilename"}, {"sid", "lblName"}, {"move", "lblFileToMove"}};
        const QLabel* shown = d->findChild<QLabel*>(names.value(kind, "lblFolder"));
        QCOMPARE(shown->toolTip(), names.contains(kind) ? kLong + ending : deep);
        QVERIFY2(shown->text().contains(QChar(0x2026)), qPrintable(shown->text()));
        QVERIFY(kind != "game" || d->findChild<QAction*>("mnuPaths(1)")->text().contains(QChar(0x2026)));

        auto* folders = d->findChild<QListWidget*>("DirBox");
        for (const QString line : {"..", "Deeper"}) {
            folders->setCurrentItem(folders->findItems(line, Qt::MatchExactly).value(0));
            QTest::keyClick(folders, Qt::Key_Return);
            QVERIFY2(d->isVisible() && d->result() == 0, qPrintable(line));
        }
        const QString folder = platform::wholeText(d->findChild<QLabel*>(kind == "move" ? "lblDest" : "lblFolder"));
        QVERIFY2(folder.endsWith(tree + "/Deeper"), qPrintable(folder));
        if (kind != "game" && kind != "sid")
            return;
        auto* files = d->findChild<QListWidget*>("FileBox");
        files->setCurrentItem(files->item(0));
        QTest::keyClick(files, Qt::Key_Return);
        QCOMPARE(kind == "game" ? static_cast<frmVTRXGameFile*>(d.get())->choice().file
                                : static_cast<frmVTRXSidFile*>(d.get())->chosenTune(),
                 "Sub\\Deeper\\Other." + ending);
    }
};

QTEST_MAIN(TestFolderDialogs)
#include "TestFolderDialogs.moc"
