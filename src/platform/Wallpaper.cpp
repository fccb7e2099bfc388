#include "platform/Wallpaper.h"

#include "platform/RunAndWait.h"

#include <QDir>
#include <QStandardPaths>
#include <QUrl>

namespace platform {

namespace {

// The commands that set the background, by the desktop's name as XDG_CURRENT_DESKTOP gives it. Each is run
// in turn; the first one must succeed (the dark-style key exists only on newer GNOME).
QList<Command> wallpaperCommands(const QString& desktop, const QString& path)
{
    const QString uri = QUrl::fromLocalFile(path).toString();
    const QString gsettings = QStringLiteral("gsettings");
    const auto set = [&](const char* schema, const char* key, const QString& value) {
        return Command{gsettings,
                       {QStringLiteral("set"), QString::fromLatin1(schema), QString::fromLatin1(key), value}};
    };
    const QString d = desktop.toUpper();
    if (d == QLatin1String("GNOME") || d == QLatin1String("UNITY") || d == QLatin1String("BUDGIE") ||
        d == QLatin1String("PANTHEON") || d == QLatin1String("UBUNTU"))
        return {set("org.gnome.desktop.background", "picture-uri", uri),
                set("org.gnome.desktop.background", "picture-uri-dark", uri)};
    if (d == QLatin1String("X-CINNAMON") || d == QLatin1String("CINNAMON"))
        return {set("org.cinnamon.desktop.background", "picture-uri", uri)};
    if (d == QLatin1String("MATE"))
        return {set("org.mate.background", "picture-filename", path)};
    if (d == QLatin1String("KDE"))
        return {Command{QStringLiteral("plasma-apply-wallpaperimage"), {path}}};
    return {};
}

// A desktop that does not answer within seconds is as good as none.
bool runs(const Command& command)
{
    const QString program = QStandardPaths::findExecutable(command.program);
    constexpr int kLimitMs = 10000;
    return !program.isEmpty() &&
           RunAndWait({program, command.arguments}, QDir::homePath(), WindowMode::Hidden, kLimitMs) == 0;
}

} // namespace

QString wallpaperFilePath()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(data).filePath(QStringLiteral("Vintrax/vintrax Wallpaper.bmp"));
}

bool setDesktopWallpaper(const QString& path)
{
    for (const QString& desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(QLatin1Char(':'))) {
        const QList<Command> commands = wallpaperCommands(desktop, path);
        if (commands.isEmpty())
            continue;
        if (!runs(commands.first()))
            return false;
        for (qsizetype i = 1; i < commands.size(); ++i)
            runs(commands[i]);
        return true;
    }
    return false;
}

} // namespace platform
