// The move dialog offscreen on real folders: the destination shown is where the file goes, "Go To Directory" comes
// from and goes back to its setting (a taken name: the game file actions test).

#include "TestFolders.h"
#include "files/gui/frmVTRXMoveFile.h"
#include "platform/ScriptedMessageBox.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

static const QString kFile = QStringLiteral("Île de la Cité.d64");

class TestMoveDialog : public QObject
{
    Q_OBJECT

    static void clickFolder(QListWidget* list, const QString& name, bool open)
    {
        const QList<QListWidgetItem*> found = list->findItems(name, Qt::MatchExactly);
        QVERIFY(found.size() == 1);
        list->setCurrentItem(found.first());
        if (open)
            emit list->itemActivated(found.first());
    }

private slots:
    void moveIntoClickedOrOpenedFolder_data()
    {
        QTest::addColumn<QStringList>("clicks"); // folder names; a leading "+" opens the folder
        QTest::addColumn<QString>("target");     // below Games
        // clang-format off
        QTest::addRow("clicked, not opened") << QStringList{"Sub dir"} << "Sub dir";
        QTest::addRow("opened, nothing clicked in it") << QStringList{"+Sub dir"} << "Sub dir";
        QTest::addRow("opened, then one below clicked") << QStringList{"+Sub dir", "Déjà"} << "Sub dir/Déjà";
        QTest::addRow("opened, then back up") << QStringList{"+Sub dir", ".."} << "";
        // clang-format on
    }
    void moveIntoClickedOrOpenedFolder()
    {
        QFETCH(QStringList, clicks);
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString games = dir.filePath("Games");
        QVERIFY(QDir(dir.path()).mkpath("Games/Sub dir/Déjà") && QDir(dir.path()).mkpath("Source"));
        QVERIFY(testsupport::writeFile(dir.filePath("Source/" + kFile), "game"));
        platform::ScriptedMessageBox messages;
        int goToDir = 1;
        {
            frmVTRXMoveFile dialog(games, dir.filePath("Source"), kFile, nullptr, goToDir);
            QCOMPARE(dialog.findChild<QLabel*>("lblFileToMove")->text(), kFile);
            auto* dirBox = dialog.findChild<QListWidget*>("DirBox");
            for (const QString& click : clicks)
                clickFolder(dirBox, click.startsWith('+') ? click.mid(1) : click, click.startsWith('+'));
            const QString expected = QDir::cleanPath(games + "/" + target);
            QCOMPARE(QDir::cleanPath(dialog.findChild<QLabel*>("lblDest")->text().mid(10)), expected);
            QVERIFY(dialog.findChild<QLabel*>("lblDest")->text().startsWith("Move to:  /"));
            dialog.findChild<QCheckBox*>("chkMove")->setChecked(false);
            dialog.findChild<QPushButton*>("cmdMove")->click();
            QCOMPARE(messages.count(), 0);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(QDir::cleanPath(dialog.movedTo()), expected);
            QCOMPARE(testsupport::readFile(expected + "/" + kFile), QByteArray("game"));
            QVERIFY(!dialog.followFile());
        }
        QCOMPARE(goToDir, 0);
    }
};

QTEST_MAIN(TestMoveDialog)
#include "TestMoveDialog.moc"
