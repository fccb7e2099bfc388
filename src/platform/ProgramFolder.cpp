#include "platform/ProgramFolder.h"

#include "platform/ExecutableSuffix.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString programFolder()
{
    const QString home = qEnvironmentVariable("VINTRAX_HOME");
    if (!home.isEmpty())
        return QDir::cleanPath(QDir(home).absolutePath());
    // Without an application object (a tool, an early failure) there is no executable folder to ask for.
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString programFilePath(const QString& name)
{
    return QDir(programFolder()).filePath(name);
}

QString catalogueFilePath()
{
    return programFilePath(QStringLiteral("Vintrax.mdb"));
}

QString conversionFolder()
{
    return programFilePath(QStringLiteral("Conversion"));
}

QString screenshotsFolder()
{
    return programFilePath(QStringLiteral("Screenshots"));
}

QString workFolder()
{
    return workFolder(programFolder());
}

QString conversionToolPath(const QString& toolName)
{
    return conversionToolPath(programFolder(), toolName);
}

QString conversionToolPath(const QString& programFolder, const QString& toolName)
{
    return QDir(QDir(programFolder).filePath(QStringLiteral("Conversion"))).filePath(toolName + executableSuffix());
}

QString workFolder(const QString& programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("CURRGAME"));
}

} // namespace platform
