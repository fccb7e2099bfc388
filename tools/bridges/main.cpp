// vintrax-bridgetool: what the emulator bridges cannot do safely in a shell script.
//   loadpath CFG          prints the value of the configuration's "$LOADPATH=" line (nothing without one or without
//                         the file)
//   loadpath CFG VALUE    gives every "$LOADPATH=" line that value, replacing the file only once the new one is
//                         complete and on the disk
//   entry IMAGE N         prints the name of the image's entry N as the native emulator's autostart takes it
//                         (nothing for a one-program file)
//   ports CFG             prints the native emulator's joystick options for the configured ports, one a line
// CFG is matched without regard to case ("c64.cfg" finds "C64.CFG"). Exit code 0 on success; otherwise 1 with a
// one-line reason on stderr, and the configuration as it was.

#include "BridgeConfig.h"

#include "platform/PathChecks.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"

#include <QCoreApplication>
#include <QFile>

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
    return QStringLiteral("usage: vintrax-bridgetool loadpath CFG [VALUE] | entry IMAGE N | ports CFG");
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
