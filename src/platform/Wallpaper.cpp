#include "platform/Wallpaper.h"

#include "platform/RunAndWait.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <optional>

namespace platform {

namespace {

// A desktop that does not answer within seconds is as good as none.
constexpr int kLimitMs = 10000;

// One key of the desktop's settings, as gsettings names it, and the value it is to hold.
struct DesktopSetting
{
    QString schema;
    QString key;
    QString value;
};

// The keys that hold the background, by the desktop's name as XDG_CURRENT_DESKTOP gives it. The first must take
// the picture; the others are set as well where the desktop has them (the dark-style key only on newer GNOME).
QList<DesktopSetting> wallpaperSettings(const QString& desktop, const QString& path)
{
    const QString uri = QUrl::fromLocalFile(path).toString();
    const QString d = desktop.toUpper();
    if (d == QLatin1String("GNOME") || d == QLatin1String("UNITY") || d == QLatin1String("BUDGIE") ||
        d == QLatin1String("PANTHEON") || d == QLatin1String("UBUNTU"))
        return {{QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri"), uri},
                {QStringLiteral("org.gnome.desktop.background"), QStringLiteral("picture-uri-dark"), uri}};
    if (d == QLatin1String("X-CINNAMON") || d == QLatin1String("CINNAMON"))
        return {{QStringLiteral("org.cinnamon.desktop.background"), QStringLiteral("picture-uri"), uri}};
    if (d == QLatin1String("MATE"))
        return {{QStringLiteral("org.mate.background"), QStringLiteral("picture-filename"), path}};
    return {};
}

bool runs(const Command& command)
{
    const QString program = QStandardPaths::findExecutable(command.program);
    return !program.isEmpty() &&
           RunAndWait({program, command.arguments}, QDir::homePath(), WindowMode::Hidden, kLimitMs) == 0;
}

// A text as gsettings prints it ('text' or "text", with backslash escapes) turned back into the text.
QString unquoted(const QString& printed)
{
    const QString s = printed.trimmed();
    if (s.size() < 2 || (s.front() != u'\'' && s.front() != u'"') || s.back() != s.front())
        return s;
    QString text;
    for (qsizetype i = 1; i + 1 < s.size(); ++i) {
        if (s[i] != u'\\' || i + 2 >= s.size()) {
            text += s[i];
            continue;
        }
        const QChar c = s[++i];
        const int digits = c == u'u' ? 4 : c == u'U' ? 8 : 0;
        bool isHex = false;
        const uint code = digits ? s.mid(i + 1, digits).toUInt(&isHex, 16) : 0;
        if (isHex) {
            text += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
            i += digits;
        } else {
            text += c == u'n' ? QChar(u'\n') : c == u't' ? QChar(u'\t') : c;
        }
    }
    return text;
}

// What the desktop's settings hold for the key now; nothing when they cannot be asked.
std::optional<QString> currentValue(const QString& gsettings, const DesktopSetting& setting)
{
    QProcess get;
    get.setProgram(gsettings);
    get.setArguments({QStringLiteral("get"), setting.schema, setting.key});
    get.setStandardInputFile(QProcess::nullDevice());
    get.start();
    if (!get.waitForFinished(kLimitMs) || get.exitStatus() != QProcess::NormalExit || get.exitCode() != 0) {
        get.kill();
        get.waitForFinished(1000);
        return std::nullopt;
    }
    return unquoted(QString::fromUtf8(get.readAllStandardOutput()));
}

// gsettings says yes to a "set" even when no settings service runs to keep the value, so the value is read back.
bool takes(const DesktopSetting& setting)
{
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    return !gsettings.isEmpty() &&
           runs({gsettings, {QStringLiteral("set"), setting.schema, setting.key, setting.value}}) &&
           currentValue(gsettings, setting) == setting.value;
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
        if (desktop.toUpper() == QLatin1String("KDE"))
            return runs({QStringLiteral("plasma-apply-wallpaperimage"), {path}});
        const QList<DesktopSetting> settings = wallpaperSettings(desktop, path);
        if (settings.isEmpty())
            continue;
        if (!takes(settings.first()))
            return false;
        for (qsizetype i = 1; i < settings.size(); ++i)
            takes(settings[i]);
        return true;
    }
    return false;
}

} // namespace platform
