// vintrax-bridgetool: what the emulator bridges cannot do safely in a shell script.
//   loadpath CFG          prints the value of the configuration's "$LOADPATH=" line (nothing without one or without
//                         the file)
//   loadpath CFG VALUE    gives every "$LOADPATH=" line that value, replacing the file only once the new one is
//                         complete and on the disk
//   entry IMAGE N         prints the name of the image's entry N as the native emulator's autostart takes it
//                         (nothing for a one-program file)
//   ports CFG             prints the native emulator's joystick options for the configured ports, one a line
//   winecheck EXE WINE    whether the wine command WINE can run the Windows program EXE (a 32-bit one needs Wine's
//                         32-bit loader, which Debian installs apart: wine32:i386); prints 32 or 64
//   dosname NAME          whether DOS can use NAME as a file name (8.3)
// CFG is matched without regard to case ("c64.cfg" finds "C64.CFG"). Exit code 0 on success; otherwise 1 with a
// one-line reason on stderr, and the configuration as it was.

#include "BridgeConfig.h"
#include "ProgramChecks.h"

#include "platform/PathChecks.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool print(const QByteArray& bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size()) &&
           std::fflush(stdout) == 0;
}

// The configuration's bytes; nothing (and no error) when there is no such file. Like the program's own rewrite, only
// a regular file of at most 256 KB is read (CCS64's holds a few KB): a FIFO or an endless file named C64.CFG is
// refused with its reason rather than waited for or taken into memory line by line.
std::optional<QByteArray> readConfig(const QString& path, QString* error)
{
    constexpr qint64 kMaxConfigSize = 256 * 1024;
    const QString found = platform::ShortPathName(path);
    if (found.isEmpty())
        return std::nullopt;
    return platform::readRegularFile(found, kMaxConfigSize, error);
}

// The first bytes of a program file, for its header; nothing when it cannot be read.
std::optional<QByteArray> programHead(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray head = file.read(bridges::kProgramHeadBytes);
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return head;
}

bool hasWine32Loader(const QString& wine)
{
    for (const QString& candidate : bridges::wineLoaderCandidates(wine, QFileInfo(wine).canonicalFilePath())) {
        // Debian's wine runs the loader only when it is executable.
        const std::optional<QByteArray> head = programHead(candidate);
        if (head && bridges::isLinuxX86Program32(*head) && QFileInfo(candidate).isExecutable())
            return true;
    }
    return false;
}

QString wineCheck(const QString& program, const QString& wine)
{
    const std::optional<QByteArray> head = programHead(program);
    if (!head)
        return QStringLiteral("cannot read %1").arg(program);
    const QString name = QFileInfo(program).fileName();
    const bridges::ProgramHeader header = bridges::programHeaderOf(*head);
    switch (header.kind) {
    case bridges::ProgramKind::NotAProgram:
        return QStringLiteral("%1 is not a Windows program").arg(name);
    case bridges::ProgramKind::Dos:
        return QStringLiteral("%1 is a DOS program, not a Windows one: Wine does not run it").arg(name);
    case bridges::ProgramKind::OtherWindows:
        return QStringLiteral("%1 is a Windows program for another processor (machine 0x%2)")
            .arg(name)
            .arg(header.machine, 4, 16, QLatin1Char('0'));
    case bridges::ProgramKind::Windows64:
        return print("64\n") ? QString() : QStringLiteral("cannot write the output");
    case bridges::ProgramKind::Windows32:
        break;
    }
    if (hasWine32Loader(wine))
        return print("32\n") ? QString() : QStringLiteral("cannot write the output");
    return QStringLiteral("%1 is a 32-bit Windows program, and the 32-bit part of Wine (wine32) is not installed.\n"
                          "Install it as root:\ndpkg --add-architecture i386 && apt-get update && "
                          "apt-get install wine32:i386")
        .arg(name);
}

QString run(const QStringList& args)
{
    QString error;
    const QString command = args.value(0);
    if (command == QLatin1String("loadpath") && args.size() == 2) {
        const std::optional<QByteArray> config = readConfig(args[1], &error);
        const std::optional<QByteArray> value = config ? bridges::loadPathOf(*config) : std::nullopt;
        if (value && !print(*value + '\n'))
            error = QStringLiteral("cannot write the output");
        return error;
    }
    if (command == QLatin1String("loadpath") && args.size() == 3) {
        const std::optional<QByteArray> config = readConfig(args[1], &error);
        if (!config)
            return error.isEmpty() ? QStringLiteral("no configuration %1").arg(args[1]) : error;
        const QString path = platform::ShortPathName(args[1]);
        if (!bridges::loadPathOf(*config))
            return {}; // nothing to change: the file is not touched
        if (platform::isReadOnlyFile(path))
            return QStringLiteral("%1 is read-only").arg(path);
        platform::saveFile(path, bridges::withLoadPath(*config, QFile::encodeName(args[2])), &error);
        return error;
    }
    if (command == QLatin1String("entry") && args.size() == 3) {
        bool isNumber = false;
        const int index = args[2].toInt(&isNumber);
        QByteArray name;
        if (!isNumber)
            return QStringLiteral("the entry is not a number: %1").arg(args[2]);
        if (!bridges::entryName(args[1], index, &name, &error))
            return error;
        if (!name.isEmpty() && !print(name + '\n'))
            return QStringLiteral("cannot write the output");
        return {};
    }
    if (command == QLatin1String("ports") && args.size() == 2) {
        const std::optional<QByteArray> config = readConfig(args[1], &error);
        const QStringList options = config ? bridges::joystickOptions(*config) : QStringList();
        if (!options.isEmpty() && !print(options.join(u'\n').toLatin1() + '\n'))
            error = QStringLiteral("cannot write the output");
        return error;
    }
    if (command == QLatin1String("winecheck") && args.size() == 3)
        return wineCheck(args[1], args[2]);
    if (command == QLatin1String("dosname") && args.size() == 2) {
        const QString problem = bridges::dosNameProblem(args[1]);
        return problem.isEmpty() ? QString()
                                 : QStringLiteral("DOS cannot use the name \"%1\": %2").arg(args[1], problem);
    }
    return QStringLiteral("usage: vintrax-bridgetool loadpath CFG [VALUE] | entry IMAGE N | ports CFG | winecheck EXE "
                          "WINE | dosname NAME");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString error = run(app.arguments().mid(1));
    if (error.isEmpty())
        return 0;
    std::fprintf(stderr, "vintrax-bridgetool: %s\n", qPrintable(error));
    return 1;
}
