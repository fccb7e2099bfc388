// What the emulator bridges check before a start: the kind of program a file's head names and the names DOS can use
// (Wine's 32-bit loader is looked for end to end in test_emulator_bridges).
#include "ProgramChecks.h"

#include <QTest>

using namespace bridges;

namespace {
// "MZ" and a DOS header whose new-header field (at 0x3c) holds the offset given in hex, then what follows at 0x40.
QByteArray dosHeader(const QByteArray& offset, const QByteArray& tail = {})
{
    return QByteArray::fromHex("4d5a" + QByteArray(116, '0') + offset + tail);
}
} // namespace

class TestBridgeChecks : public QObject
{
    Q_OBJECT

private slots:
    void programKind_data()
    {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("machine");
        const QByteArray at40 = "40000000", pe = "50450000";
        QTest::newRow("32-bit Windows") << dosHeader(at40, pe + "4c01") << int(ProgramKind::Windows32) << 0x014c;
        QTest::newRow("64-bit Windows") << dosHeader(at40, pe + "6486") << int(ProgramKind::Windows64) << 0x8664;
        QTest::newRow("Windows on ARM") << dosHeader(at40, pe + "64aa") << int(ProgramKind::OtherWindows) << 0xaa64;
        QTest::newRow("16-bit Windows") << dosHeader(at40, "4e45000000") << int(ProgramKind::Dos) << 0;
        QTest::newRow("PE header cut off") << dosHeader(at40, pe + "4c") << int(ProgramKind::Dos) << 0;
        QTest::newRow("a script") << QByteArray("#!/bin/sh\n") << int(ProgramKind::NotAProgram) << 0;
    }
    void programKind()
    {
        QFETCH(QByteArray, head);
        QFETCH(int, kind);
        QFETCH(int, machine);
        QCOMPARE(int(programHeaderOf(head).kind), kind);
        QCOMPARE(int(programHeaderOf(head).machine), machine);
    }
    void dosNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const char* problem) {
            QTest::newRow(name) << QString(name) << QString(problem);
        };
        row("A-B{1}~!.$#@", "");
        row("CCS64DOS20.EXE", "a DOS name has at most eight characters before its dot");
        row("CCS64.EXEC", "a DOS name has one to three characters after its dot");
        row(".EXE", "a DOS name needs one to eight characters before its dot");
        row("GÄNSE.EXE", "a DOS name cannot hold 'Ä'");
        row("GAME.P%0", "a DOS name cannot hold '%'"); // the DOSBox shell reads it as a variable
    }
    void dosNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, problem);
        QCOMPARE(dosNameProblem(name), problem);
    }
};

QTEST_GUILESS_MAIN(TestBridgeChecks)
#include "TestBridgeChecks.moc"
