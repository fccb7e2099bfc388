#include "launch/EmulatorBridge.h"

#include "platform/ExecutableSuffix.h"
#include "platform/PathNames.h"

#include <QFile>

namespace launch {

bool isDosOrWindowsProgram(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "MZ";
}

platform::Command bridgedCommand(EmulatorKind kind, const platform::Command& command, const QString& bridgeFolder)
{
#ifdef Q_OS_WIN
    Q_UNUSED(kind);
    Q_UNUSED(bridgeFolder);
    return command;
#else
    if (!isDosOrWindowsProgram(command.program))
        return command;
    const QString bridge =
        kind == EmulatorKind::Ccs64Win32 ? QStringLiteral("vintrax-wine") : QStringLiteral("vintrax-dosbox");
    return {platform::joinPath(bridgeFolder, bridge + platform::executableSuffix()),
            QStringList{command.program} + command.arguments};
#endif
}

platform::Command bridgeCheckCommand(const platform::Command& bridged)
{
    return {bridged.program, QStringList{QStringLiteral("--check")} + bridged.arguments};
}

} // namespace launch
