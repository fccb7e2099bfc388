// The rename dialog offscreen on a real folder: the name split at its last dot with the extension kept, a
// refused name put back with its message, and the file renamed on disk.

#include "TestFolders.h"
#include "files/gui/frmVTRXRename.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using platform::MessageBox;

class TestRenameDialog : public QObject
{
    Q_OBJECT

private slots:
    void rename_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("shownExtension");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message"); // "" none; "exists" the name-taken note; else the start of the refusal
        QTest::addColumn<QStringList>("filesAfter");
        // clang-format off
        QTest::addRow("extension kept") << "ELITE.D64" << ".D64" << "ELITE2" << "" << QStringList{"ELITE2.D64", "OTHER.D64"};
        QTest::addRow("two-letter extension") << "GAME.GZ" << ".GZ" << "TEST" << "" << QStringList{"ELITE.D64", "OTHER.D64", "TEST.GZ"};
        QTest::addRow("accents and blanks") << "Déjà vu.d64" << ".d64" << "Île 2" << "" << QStringList{"ELITE.D64", "OTHER.D64", "Île 2.d64"};
        QTest::addRow("question mark refused") << "ELITE.D64" << ".D64" << "EL?TE" << "Filename must not contain" << QStringList{"ELITE.D64", "OTHER.D64"};
        QTest::addRow("taken name refused") << "ELITE.D64" << ".D64" << "other" << "exists" << QStringList{"ELITE.D64", "OTHER.D64"};
        // clang-format on
    }
    void rename()
    {
        QFETCH(QString, file);
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QTemporaryDir dir;
        for (const QString& name : {QStringLiteral("ELITE.D64"), QStringLiteral("OTHER.D64"), file})
            QVERIFY(testsupport::writeFile(dir.filePath(name), name.toUtf8()));
        platform::ScriptedMessageBox messages;

        frmVTRXRename dialog(dir.path(), file, nullptr);
        auto* txtName = dialog.findChild<QLineEdit*>("txtName");
        QCOMPARE(txtName->text() + dialog.findChild<QLabel*>("lblEXT")->text(), file);
        QTEST(dialog.findChild<QLabel*>("lblEXT")->text(), "shownExtension");
        txtName->setText(typed);
        dialog.findChild<QPushButton*>("cmdRename")->click();

        QTEST(QDir(dir.path()).entryList(QDir::Files, QDir::Name), "filesAfter");
        if (message.isEmpty()) {
            QCOMPARE(messages.count(), 0);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.newName(), typed + dialog.findChild<QLabel*>("lblEXT")->text());
            return;
        }
        QCOMPARE(messages.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected)); // still open
        QCOMPARE(txtName->text(), file.left(file.lastIndexOf('.')));
        if (message == "exists") {
            QCOMPARE(messages.last().text, "Filename Exists already in " + dir.path());
            QCOMPARE(messages.last().icon, MessageBox::Information);
        } else {
            QVERIFY(messages.last().text.startsWith(message));
            QCOMPARE(messages.last().icon, MessageBox::Exclamation);
        }
        QCOMPARE(messages.last().title, "vintrax");
    }
};

QTEST_MAIN(TestRenameDialog)
#include "TestRenameDialog.moc"
