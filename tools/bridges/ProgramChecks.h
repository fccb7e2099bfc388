#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a bridge finds out before it starts anything: which kind of program the emulator's file is, whether Wine has
// the 32-bit part a 32-bit Windows program needs, and whether DOS can use a name.
namespace bridges {

// How many bytes of a program's start the checks read: the DOS header points to the Windows header, which real
// programs keep within the first few hundred bytes.
inline constexpr qsizetype kProgramHeadBytes = 64 * 1024;

enum class ProgramKind
{
    NotAProgram, // no "MZ" header
    Dos,         // "MZ" without a Windows (PE) header behind it: DOS, or 16-bit Windows
    Windows32,   // a PE program for 32-bit x86
    Windows64,   // a PE program for x86-64
    OtherWindows // a PE program for another processor
};

struct ProgramHeader
{
    ProgramKind kind = ProgramKind::NotAProgram;
    quint16 machine = 0; // the PE header's machine field, for a Windows program
};

// The kind of program whose file starts with head (at most kProgramHeadBytes of it). A Windows header that lies
// beyond head, or is cut off, counts as none.
ProgramHeader programHeaderOf(const QByteArray& head);

// Whether a file starting with head is a 32-bit x86 Linux program (an ELF file of class 32 for the i386 machine), as
// Wine's 32-bit loader is.
bool isLinuxX86Program32(const QByteArray& head);

// The files that may be Wine's 32-bit loader for the wine command at path: the command itself, where it is the loader
// (Wine's own builds), and lib/wine/wine beside its bin folder (Debian and Ubuntu, whose wine is a script that runs
// that loader, or the 64-bit one with a warning and without the program when it is missing). Both for the path as
// given and for the file it links to.
QStringList wineLoaderCandidates(const QString& wine, const QString& wineResolved);

// Why DOS cannot use name as a file name ("" when it can): DOS names have one to eight characters, optionally a dot
// and one to three more, made of letters, digits and ! # $ & ' ( ) - @ ^ _ ` { } ~. Letter case does not matter.
// '%' is refused too: the DOSBox shell reads it as the start of a variable.
QString dosNameProblem(const QString& name);

} // namespace bridges
