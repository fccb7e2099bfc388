// What the emulator bridges check before they start anything: the kind of program a file's header names, Wine's
// 32-bit loader, and the names DOS can use.
#include "ProgramChecks.h"

#include <QTest>

using namespace bridges;

namespace {

// A DOS header whose new-header field holds offset.
QByteArray dosHeader(quint32 offset)
{
    QByteArray bytes("MZ");
    bytes.resize(0x40, '\x90');
    for (int i = 0; i < 4; ++i)
        bytes[0x3c + i] = char(offset >> (8 * i));
    return bytes;
}

// A DOS header pointing to offset, where "PE\0\0" and the machine follow; cut to that many bytes when given.
QByteArray windowsProgram(quint32 offset, quint16 machine, qsizetype cut = -1)
{
    QByteArray bytes = dosHeader(offset);
    bytes.resize(offset, '\x90');
    bytes += QByteArray("PE\0\0", 4) + char(machine & 0xff) + char(machine >> 8) + QByteArray(18, 0);
    return cut < 0 ? bytes : bytes.left(cut);
}

QByteArray linuxProgram(char elfClass, quint16 machine)
{
    QByteArray bytes = QByteArray("\x7f"
                                  "ELF") +
                       elfClass + QByteArray(13, 0);
    return bytes + char(machine & 0xff) + char(machine >> 8) + QByteArray(12, 0);
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
        const auto row = [](const char* tag, const QByteArray& head, ProgramKind kind, int machine = 0) {
            QTest::newRow(tag) << head << int(kind) << machine;
        };
        row("32-bit Windows (CCS64 for DirectX)", windowsProgram(0x80, 0x014c), ProgramKind::Windows32, 0x014c);
        row("64-bit Windows", windowsProgram(0x100, 0x8664), ProgramKind::Windows64, 0x8664);
        row("Windows on ARM", windowsProgram(0x80, 0xaa64), ProgramKind::OtherWindows, 0xaa64);
        row("DOS: no PE where the field points", QByteArray("MZ") + QByteArray(0x200, '\x01'), ProgramKind::Dos);
        row("DOS: shorter than the field", "MZ\x90\0", ProgramKind::Dos);
        row("PE header cut off", windowsProgram(0x80, 0x014c, 0x85), ProgramKind::Dos);
        row("PE header beyond what was read", dosHeader(0xfffffff0), ProgramKind::Dos);
        row("16-bit Windows", windowsProgram(0x80, 0).replace(0x80, 2, "NE"), ProgramKind::Dos);
        row("a script", "#!/bin/sh\nexit 0\n", ProgramKind::NotAProgram);
        row("empty", "", ProgramKind::NotAProgram);
    }
    void programKind()
    {
        QFETCH(QByteArray, head);
        QFETCH(int, kind);
        QFETCH(int, machine);
        const ProgramHeader header = programHeaderOf(head);
        QCOMPARE(int(header.kind), kind);
        QCOMPARE(int(header.machine), machine);
    }
    // Wine's 32-bit loader is a 32-bit ELF program for x86; Debian's wine command is a script, its 64-bit one class 2.
    void wineLoader()
    {
        QVERIFY(isLinuxX86Program32(linuxProgram(1, 3)));
        QVERIFY(!isLinuxX86Program32(linuxProgram(2, 0x3e)));
        QVERIFY(!isLinuxX86Program32(linuxProgram(1, 0x28))); // 32-bit ARM
        QVERIFY(!isLinuxX86Program32(linuxProgram(1, 3).left(19)));
        QVERIFY(!isLinuxX86Program32("#!/bin/sh -e\n"));
        QCOMPARE(wineLoaderCandidates("/usr/bin/wine", "/usr/bin/wine"),
                 QStringList({"/usr/bin/wine", "/usr/lib/wine/wine"}));
        QCOMPARE(wineLoaderCandidates("/home/u/bin/wine", "/opt/wine-stable/bin/wine"),
                 QStringList({"/home/u/bin/wine", "/home/u/lib/wine/wine", "/opt/wine-stable/bin/wine",
                              "/opt/wine-stable/lib/wine/wine"}));
    }
    void dosNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* tag, const char* name, const char* problem) {
            QTest::newRow(tag) << QString(name) << QString(problem);
        };
        const char* longBase = "a DOS name has at most eight characters before its dot";
        row("8.3", "CCS64.EXE", "");
        row("lower case", "ccsdpmi.exe", "");
        row("no extension", "CCS64", "");
        row("marks DOS allows", "A-B{1}~!.$#@", "");
        row("the image's link", "GAME.D64", "");
        row("nine before the dot", "CCS64DOS20.EXE", longBase);
        row("nine, no extension", "CCS64DOS2", longBase);
        row("four after the dot", "CCS64.EXEC", "a DOS name has one to three characters after its dot");
        row("dot at the end", "CCS64.", "a DOS name has one to three characters after its dot");
        row("two dots", "A.B.C", "a DOS name has one dot at most");
        row("nothing before the dot", ".EXE", "a DOS name needs one to eight characters before its dot");
        row("empty", "", "a DOS name needs one to eight characters before its dot");
        row("blank", "CCS 64.EXE", "a DOS name cannot hold ' '");
        row("comma", "A,B.EXE", "a DOS name cannot hold ','");
        row("non-ASCII", "GÄNSE.EXE", "a DOS name cannot hold 'Ä'");
        row("percent, a DOSBox variable", "GAME.P%0", "a DOS name cannot hold '%'");
        row("path", "C:\\CCS64.EXE", "a DOS name cannot hold ':'");
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
