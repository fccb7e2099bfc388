// The head of a program file as the emulator bridges read it before a start (the emulator's DOS and Windows headers,
// Wine's loader): any bytes give a kind, a Windows kind only for a file that starts with "MZ" and holds "PE\0\0"
// where its header points, and the machine only for a Windows program.
#include "FuzzSupport.h"
#include "ProgramChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray head = fuzz::bytesOf(data, size).left(bridges::kProgramHeadBytes);
    const bridges::ProgramHeader header = bridges::programHeaderOf(head);
    const bool windows = header.kind == bridges::ProgramKind::Windows32 ||
                         header.kind == bridges::ProgramKind::Windows64 ||
                         header.kind == bridges::ProgramKind::OtherWindows;
    if ((header.kind != bridges::ProgramKind::NotAProgram) != head.startsWith("MZ"))
        fuzz::fail("a program kind for a file without \"MZ\", or none for one with it");
    if (windows != (header.machine != 0 || header.kind == bridges::ProgramKind::OtherWindows))
        fuzz::fail("a machine for a program that is not a Windows one");
    if (windows && !head.contains(QByteArray("PE\0\0", 4)))
        fuzz::fail("a Windows program without a PE header");
    if (bridges::isLinuxX86Program32(head) && !head.startsWith("\x7f"
                                                               "ELF"))
        fuzz::fail("a Linux program without an ELF header");
    return 0;
}
