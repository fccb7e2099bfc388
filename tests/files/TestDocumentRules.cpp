// The game's document: where the document dialog opens on real folders, what it stores, and opening the document
// (a missing one reported by the file check, one the desktop refuses reported too).

#include "TestFolders.h"
#include "files/DocumentRules.h"
#include "platform/ScriptedMessageBox.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

class TestDocumentRules : public QObject
{
    Q_OBJECT

private slots:
    void docBrowseStart_data()
    {
        QTest::addColumn<QString>("stored"); // below the temp folder; "(None)" as it is
        QTest::addColumn<QString>("folder"); // below the temp folder
        QTest::addColumn<QString>("file");
        // clang-format off
        QTest::addRow("file in another folder") << "Other disk/Docs é/Read me.txt" << "Other disk/Docs é" << "Read me.txt";
        QTest::addRow("stored in another letter case") << "other disk/DOCS é/READ ME.TXT" << "Other disk/Docs é" << "Read me.txt";
        QTest::addRow("file gone, folder there") << "Other disk/Docs é/Gone.txt" << "Other disk/Docs é" << "";
        QTest::addRow("folder gone") << "Nowhere/Gone.txt" << "Program" << "";
        QTest::addRow("no document") << "(None)" << "Program" << "";
        // clang-format on
    }
    void docBrowseStart()
    {
        QFETCH(QString, stored);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("Program") && QDir(dir.path()).mkpath("Other disk/Docs é"));
        QVERIFY(testsupport::writeFile(dir.filePath("Other disk/Docs é/Read me.txt"), "doc"));
        const files::DocBrowseStart start =
            files::docBrowseStart(stored == "(None)" ? stored : dir.filePath(stored), dir.filePath("Program"));
        QFETCH(QString, folder);
        QCOMPARE(start.folder, dir.filePath(folder));
        QTEST(start.fileName, "file");
        QCOMPARE(files::docFileValue(start.folder, start.fileName),
                 start.fileName.isEmpty() ? QStringLiteral("(None)") : start.folder + "/" + start.fileName);
    }

    void viewDocument()
    {
        QTemporaryDir dir;
        const QString doc = dir.filePath("Read me é.txt");
        QVERIFY(testsupport::writeFile(doc, "doc"));
        platform::ScriptedMessageBox messages;
        QStringList opened;
        const auto accepting = [&opened](const QString& target) {
            opened << target;
            return true;
        };
        const auto refusing = [&opened](const QString& target) {
            opened << target;
            return false;
        };

        QVERIFY(files::ViewDocument(doc, accepting));
        QVERIFY(!files::ViewDocument("(None)", accepting));
        QVERIFY(!files::ViewDocument(dir.filePath("Gone.txt"), accepting));
        QVERIFY(!files::ViewDocument(doc, refusing));

        QCOMPARE(opened, (QStringList{doc, doc}));
        QCOMPARE(messages.texts(), (QStringList{"FILE NOT SET!", "FILE NOT FOUND: " + dir.filePath("Gone.txt"),
                                                "No program on this desktop could open " + doc}));
    }
};

QTEST_GUILESS_MAIN(TestDocumentRules)
#include "TestDocumentRules.moc"
