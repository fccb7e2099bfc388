#include "platform/Folders.h"

#include "platform/ExecutableSuffix.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

namespace {

QString below(const QString& folder, const QString& name)
{
    return QDir::cleanPath(QDir(folder).filePath(name));
}

// An XDG base folder: the variable when it names an absolute path (a relative one is to be ignored, as the
// XDG base directory rules say), else its default below the home folder.
QString xdgFolder(const QString& variable, const QString& home, const QString& fallback)
{
    if (!variable.isEmpty() && QDir::isAbsolutePath(variable))
        return QDir::cleanPath(variable);
    return below(home, fallback);
}

} // namespace

FolderEnvironment FolderEnvironment::current()
{
    FolderEnvironment e;
    e.vintraxHome = qEnvironmentVariable("VINTRAX_HOME");
    e.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    e.xdgCacheHome = qEnvironmentVariable("XDG_CACHE_HOME");
    e.home = QDir::homePath();
    // Without an application object (a tool, an early failure) there is no executable folder to ask for.
    e.executableFolder = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    return e;
}

QString Folders::conversionTool(const QString& name) const
{
    return QDir(conversion).filePath(name + executableSuffix());
}

QString Folders::helpFile(const QString& name) const
{
    return QDir(help).filePath(name);
}

Folders Folders::inProgramFolder(const QString& folder)
{
    Folders f;
    f.program = QDir::cleanPath(QDir(folder).absolutePath());
    f.data = f.program;
    f.catalogue = below(f.program, QStringLiteral("Vintrax.mdb"));
    f.screenshots = below(f.program, QStringLiteral("Screenshots"));
    f.work = below(f.program, QStringLiteral("CURRGAME"));
    f.conversion = below(f.program, QStringLiteral("Conversion"));
    f.help = f.program;
    f.demo = below(f.program, QStringLiteral("Demo"));
    return f;
}

Folders foldersFor(FolderLayout layout, const FolderEnvironment& environment)
{
    if (!environment.vintraxHome.isEmpty())
        return Folders::inProgramFolder(environment.vintraxHome);
    if (layout == FolderLayout::ProgramFolder)
        return Folders::inProgramFolder(environment.executableFolder);

    // The install tree's shape relative to bin/ comes from the build (GNUInstallDirs).
    const QString shared = below(environment.executableFolder, QStringLiteral(VINTRAX_DATA_FROM_BIN));
    Folders f;
    f.installed = true;
    f.data = below(xdgFolder(environment.xdgDataHome, environment.home, QStringLiteral(".local/share")),
                   QStringLiteral("Vintrax"));
    f.program = f.data;
    f.catalogue = below(f.data, QStringLiteral("Vintrax.mdb"));
    f.screenshots = below(f.data, QStringLiteral("Screenshots"));
    f.work = below(xdgFolder(environment.xdgCacheHome, environment.home, QStringLiteral(".cache")),
                   QStringLiteral("vintrax/CURRGAME"));
    f.conversion = below(environment.executableFolder, QStringLiteral(VINTRAX_TOOLS_FROM_BIN));
    f.help = shared;
    f.demo = below(shared, QStringLiteral("demo"));
    return f;
}

Folders currentFolders(FolderLayout layout)
{
    return foldersFor(layout, FolderEnvironment::current());
}

} // namespace platform
