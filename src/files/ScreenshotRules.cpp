#include "files/ScreenshotRules.h"

#include "data/CatalogueNames.h"
#include "data/settings/Settings.h"
#include "files/FolderLists.h"
#include "platform/PathNames.h"

#include <QDir>

namespace files {

QString screenshotCaption(const QString& gameName)
{
    return QStringLiteral("Screenshot for '") + gameName + QStringLiteral("'...");
}

QString screenshotNameCaption(const QString& gameName)
{
    return QStringLiteral("Screenshot for ") + gameName + QStringLiteral("...");
}

QString SpacesToUnderscores(const QString& text)
{
    return QString(text).replace(QLatin1Char(' '), QLatin1Char('_'));
}

QString proposedScreenshotName(const QString& gameName)
{
    return SpacesToUnderscores(gameName) + QStringLiteral(".gif");
}

QString gifNameOf(const QString& name)
{
    return name.left(std::max<qsizetype>(0, name.size() - 4)) + QStringLiteral(".gif");
}

bool isGifName(const QString& name)
{
    return name.right(4).toUpper() == QLatin1String(".GIF");
}

std::optional<NameRefusal> screenshotNameRefusal(const QString& name)
{
    using platform::MessageBox;
    if (name.size() < 5)
        return NameRefusal{kNameTooShort, MessageBox::Exclamation};
    if (!isGifName(name))
        return NameRefusal{kNameNotGif, MessageBox::Information};
    for (const QChar c : QStringLiteral("|><\"?*:/\\")) {
        if (name.contains(c))
            return NameRefusal{kNameForbidden, MessageBox::Exclamation};
    }
    return std::nullopt;
}

QString existingScreenshot(const QString& screenshotsFolder, const QString& name)
{
    for (const QString& file : fileEntries(screenshotsFolder, {kGifPattern})) {
        if (file.compare(name, Qt::CaseInsensitive) == 0)
            return file;
    }
    return {};
}

bool isScreenshotsFolder(const QString& folder, const QString& screenshotsFolder)
{
    return QDir::cleanPath(folder).toUpper() == QDir::cleanPath(screenshotsFolder).toUpper();
}

ScreenshotStart screenshotStart(const Settings& settings, bool lastRunWasWin32, const QString& storedName,
                                const QString& screenshotsFolder)
{
    ScreenshotStart start{screenshotsFolder, kGifPattern, {}, true, false};
    const QString stored =
        storedName == catalogue::kNone ? QString() : existingScreenshot(screenshotsFolder, storedName);
    if (!stored.isEmpty()) {
        start.selectName = stored;
        start.cleared = false;
        return start;
    }
    const bool dos = !settings.CCS64Path.isEmpty();
    const bool win32 = !settings.DirectXPath.isEmpty();
    if (!dos && !win32)
        return start;
    const QString emulator = win32 && (lastRunWasWin32 || !dos) ? settings.DirectXPath : settings.CCS64Path;
    start.folder = platform::FolderOfPath(emulator);
    start.pattern = kBmpPattern;
    start.choosesDumps = true;
    return start;
}

} // namespace files
