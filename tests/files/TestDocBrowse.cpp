// The document dialog offscreen: opened on a document in another folder with it selected, OK hands back its full
// path; (None) hands back "(None)"; after a folder change OK waits for a file.

#include "TestFolders.h"
#include "files/gui/frmVTRXDocBrowse.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class TestDocBrowse : public QObject
{
    Q_OBJECT

private slots:
    void chooseDocument()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Program") && QDir(dir.path()).mkpath("Other disk/Docs é/Sub"));
        const QString doc = dir.filePath("Other disk/Docs é/Read me.txt");
        QVERIFY(testsupport::writeFile(doc, "doc") && testsupport::writeFile(dir.filePath("Other disk/Docs é/A.txt"), "a"));

        frmVTRXDocBrowse dialog(dir.filePath("other disk/docs é/READ ME.TXT"), dir.filePath("Program"));
        QCOMPARE(dialog.windowTitle(), "Select Documentation File...");
        auto* lblSelected = dialog.findChild<QLabel*>("lblSelected");
        auto* cmdOK = dialog.findChild<QPushButton*>("cmdOK");
        auto* fileBox = dialog.findChild<QListWidget*>("FileBox");
        QCOMPARE(lblSelected->text(), "Read me.txt");
        QCOMPARE(fileBox->selectedItems().value(0)->text(), "Read me.txt");
        QVERIFY(cmdOK->isEnabled());

        auto* dirBox = dialog.findChild<QListWidget*>("DirBox");
        emit dirBox->itemActivated(dirBox->findItems("Sub", Qt::MatchExactly).value(0));
        QCOMPARE(lblSelected->text(), "(None Selected)");
        QVERIFY(!cmdOK->isEnabled());
        emit dirBox->itemActivated(dirBox->findItems("..", Qt::MatchExactly).value(0));
        fileBox->findItems("Read me.txt", Qt::MatchExactly).value(0)->setSelected(true);
        cmdOK->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.chosenDocFile(), doc);
    }

    void noneStoresNone()
    {
        QTemporaryDir dir;
        QVERIFY(testsupport::writeFile(dir.filePath("Read me.txt"), "doc"));
        frmVTRXDocBrowse dialog(dir.filePath("Read me.txt"), dir.path());
        dialog.findChild<QPushButton*>("cmdNone")->click();
        QCOMPARE(dialog.findChild<QLabel*>("lblSelected")->text(), "(None Selected)");
        QVERIFY(dialog.findChild<QListWidget*>("FileBox")->selectedItems().isEmpty());
        dialog.findChild<QPushButton*>("cmdOK")->click();
        QCOMPARE(dialog.chosenDocFile(), "(None)");
    }
};

QTEST_MAIN(TestDocBrowse)
#include "TestDocBrowse.moc"
