// Delete, rename and move from the game file dialog on a real catalogue and real folders: the game's own file
// loses its link only after the disk operation worked; a refused operation (read-only folder, name taken) keeps
// both the file and the record; new-game mode touches no record.

#include "CatalogueFixtures.h"
#include "SmallDisk.h"
#include "TestFolders.h"
#include "data/Catalogue.h"
#include "data/CurrentGame.h"
#include "data/Schema.h"
#include "data/settings/Settings.h"
#include "files/GameFileActions.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using testsupport::sqliteShell;

static const QString kOwn = QStringLiteral("Déjà vu 2.D64");

class TestGameFileActions : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<catalogue::Catalogue> m_cat;
    std::unique_ptr<catalogue::CurrentGame> m_game;
    Settings m_settings;

    QString games(const QString& relative = {}) const { return m_dir->filePath("Games/" + relative); }
    QString record() const
    {
        return sqliteShell(m_dir->filePath("Vintrax.mdb"),
                           "SELECT Filename, \"Filename Index\", FA, CCode FROM Games WHERE Name = 'Elite'").trimmed();
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(m_dir->path()).mkpath("Games/Sub Folder") && QDir(m_dir->path()).mkpath("Games/Target"));
        QVERIFY(testsupport::writeFile(games("Sub Folder/" + kOwn), "own") &&
                testsupport::writeFile(games("Sub Folder/OTHER.D64"), "other") &&
                testsupport::writeFile(games("Target/Taken.d64"), "taken"));
        const QString db = m_dir->filePath("Vintrax.mdb");
        QVERIFY(catalogue::createCatalogue(db));
        sqliteShell(db, "INSERT INTO Games (Name, Filename, \"Filename Index\", FA, CCode) VALUES "
                        "('Elite', 'sub folder\\" + kOwn.toLower() + "', 3, 1, 0)");
        m_cat = std::make_unique<catalogue::Catalogue>();
        QVERIFY(m_cat->open(db).ok());
        m_game = std::make_unique<catalogue::CurrentGame>();
        m_game->open(m_cat->db());
        QVERIFY(m_game->selectByName("Elite"));
        m_settings.GamesPath = {m_dir->filePath("Elsewhere"), games(), "", "", ""};
    }
    void cleanup()
    {
        m_game.reset();
        m_cat.reset();
        m_dir.reset();
    }

    void ownFileFoundInAnyLetterCase()
    {
        const QString stored = m_game->text("Filename");
        QVERIFY(files::isGamesOwnFile(games("Sub Folder/" + kOwn), stored, m_settings));
        QVERIFY(files::isGamesOwnFile(games("Target/../Sub Folder/" + kOwn), stored, m_settings));
        QVERIFY(!files::isGamesOwnFile(games("Sub Folder/OTHER.D64"), stored, m_settings));
        QVERIFY(!files::isGamesOwnFile(games("Sub Folder/" + kOwn), "(None)", m_settings));
    }

    void action_data()
    {
        QTest::addColumn<QString>("action"); // delete, rename (to "New name.D64"), move (to Target, or "disk")
        QTest::addColumn<QString>("file");   // below Games/Sub Folder
        QTest::addColumn<bool>("own");       // the game passed (false: another file or new-game mode)
        QTest::addColumn<QString>("hinder"); // "", "locked" (the file's folder read-only), "taken" (target name)
        QTest::addColumn<QString>("message");
        const QString unlinked = "(None)|0|1|0", kept = "sub folder\\" + kOwn.toLower() + "|3|1|0";
        QTest::addColumn<QString>("recordAfter");
        // clang-format off
        QTest::addRow("delete own file") << "delete" << kOwn << true << "" << "" << unlinked;
        QTest::addRow("rename own file") << "rename" << kOwn << true << "" << "" << unlinked;
        QTest::addRow("move own file") << "move" << kOwn << true << "" << "" << unlinked;
        QTest::addRow("move own file to another disk") << "disk" << kOwn << true << "" << "" << unlinked;
        QTest::addRow("new-game mode: move") << "move" << kOwn << false << "" << "" << kept;
        QTest::addRow("another file: rename") << "rename" << "OTHER.D64" << false << "" << "" << kept;
        QTest::addRow("delete refused") << "delete" << kOwn << true << "locked" << "could not be removed:\nRead-only file system" << kept;
        QTest::addRow("rename refused") << "rename" << kOwn << true << "locked" << "could not be renamed:\nRead-only file system" << kept;
        QTest::addRow("move to another disk refused") << "disk" << kOwn << true << "locked" << "could not be moved:\nRead-only file system" << kept;
        QTest::addRow("move onto a taken name") << "move" << "Taken.d64" << true << "taken" << files::kFileExistsInFolder << kept;
        // clang-format on
    }
    void action()
    {
        QFETCH(QString, action);
        QFETCH(QString, file);
        QFETCH(bool, own);
        QFETCH(QString, hinder);
        QFETCH(QString, message);
        QFETCH(QString, recordAfter);
        testsupport::SmallDisk disk(1024 * 1024);
        QVERIFY2(disk.isValid(), qPrintable(disk.whyNot()));
        if (hinder == "taken")
            QVERIFY(testsupport::writeFile(games("Sub Folder/" + file), "mine"));
        const QString path = games("Sub Folder/" + file);
        const QByteArray content = testsupport::readFile(path);
        std::unique_ptr<testsupport::ReadOnlyFolder> locked;
        if (hinder == "locked") {
            locked = std::make_unique<testsupport::ReadOnlyFolder>(games("Sub Folder"));
            QVERIFY2(locked->isValid(), qPrintable(locked->whyNot()));
        }
        catalogue::CurrentGame* game = own ? m_game.get() : nullptr;
        const QString target = action == "delete" ? QString()
                               : action == "rename" ? games("Sub Folder/New name.D64")
                               : action == "move"   ? games("Target/" + file)
                                                    : disk.filePath(file);
        const files::GameFileActionOutcome outcome =
            action == "delete"   ? files::deleteGameFile(path, game)
            : action == "rename" ? files::renameGameFile(path, "New name.D64", game)
            : action == "move"   ? files::moveGameFile(path, games("Target"), game)
                                 : files::moveGameFile(path, disk.path(), game);
        locked.reset();

        QVERIFY2(message.isEmpty() ? outcome.message.isEmpty() : outcome.message.endsWith(message),
                 qPrintable(outcome.message));
        QCOMPARE(outcome.done, message.isEmpty());
        QCOMPARE(QFileInfo::exists(path), !outcome.done);
        if (outcome.done && !target.isEmpty())
            QCOMPARE(testsupport::readFile(target), content);
        QCOMPARE(record(), recordAfter);
    }
};

QTEST_GUILESS_MAIN(TestGameFileActions)
#include "TestGameFileActions.moc"
