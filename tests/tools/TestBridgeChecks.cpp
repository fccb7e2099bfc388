// What the emulator bridges check before a start: the kind of program a file's head names, Wine's 32-bit loader, and
// the names DOS can use.
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
        QTest::newRow("PE header beyond the head") << dosHeader("f0ffffff", pe + "4c01") << int(ProgramKind::Dos) << 0;
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
    // The 32-bit loader is an ELF program of class 1 for x86; Debian's wine command is a script beside lib/wine/wine.
    void wineLoader()
    {
        const auto elf = [](const char* classAndMachine) {
            return QByteArray::fromHex("7f454c46" + QByteArray(classAndMachine).replace(' ', QByteArray(26, '0')) +
                                       "00");
        };
        QVERIFY(isLinuxX86Program32(elf("01 03")) && !isLinuxX86Program32(elf("02 3e")));
        QVERIFY(!isLinuxX86Program32(elf("01 28")) && !isLinuxX86Program32("#!/bin/sh -e\n"));
        QCOMPARE(wineLoaderCandidates("/home/u/bin/wine", "/opt/wine/bin/wine"),
                 QStringList(
                     {"/home/u/bin/wine", "/home/u/lib/wine/wine", "/opt/wine/bin/wine", "/opt/wine/lib/wine/wine"}));
    }
    void dosNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* name, const char* problem) {
            QTest::newRow(name) << QString(name) << QString(problem);
        };
        row("CCS64.EXE", "");
        row("ccsdpmi.exe", "");
        row("A-B{1}~!.$#@", "");
        row("CCS64DOS20.EXE", "a DOS name has at most eight characters before its dot");
        row("CCS64.EXEC", "a DOS name has one to three characters after its dot");
        row(".EXE", "a DOS name needs one to eight characters before its dot");
        row("CCS 64.EXE", "a DOS name cannot hold ' '");
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
