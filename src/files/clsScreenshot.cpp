#include "files/clsScreenshot.h"

#include "c64/CcsScreenshot.h"
#include "files/ScreenshotRules.h"
#include "platform/PathNames.h"
#include "platform/ProgramFolder.h"
#include "platform/RunAndWait.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QString kTempBmp = QStringLiteral("vtrxTemp.bmp");
const QString kTempGif = QStringLiteral("vtrxTemp.gif");

// Replaces target in one step; QFile::rename refuses to replace a file.
bool replaceFile(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

} // namespace

clsScreenshot::clsScreenshot(const QString& programFolder) : m_programFolder(programFolder) {}

QString clsScreenshot::screenshotsFolder() const
{
    return QDir(m_programFolder).filePath(QStringLiteral("Screenshots"));
}

bool clsScreenshot::IsCcs64Screenshot(const QString& path)
{
    return c64::IsCcs64Screenshot(path);
}

clsScreenshot::Outcome clsScreenshot::fail(const QString& message) const
{
    QFile::remove(QDir(screenshotsFolder()).filePath(kTempBmp));
    QFile::remove(QDir(screenshotsFolder()).filePath(kTempGif));
    return {false, {}, message};
}

clsScreenshot::Outcome clsScreenshot::ConvertToGif(const QString& bmpPath, const QString& gifName, Transfer transfer)
{
    const QString folder = screenshotsFolder();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("The Screenshots folder %1 cannot be made.").arg(folder));
    const QString tempBmp = QDir(folder).filePath(kTempBmp);
    const QString tempGif = QDir(folder).filePath(kTempGif);
    QFile::remove(tempGif);

    const c64::CropOutcome crop = c64::CropScreenshot(bmpPath, tempBmp, CropProgress);
    if (!crop.ok)
        return fail(QStringLiteral("The screenshot could not be cropped:\n") + crop.error);

    if (Converting)
        Converting();
    const QString tool =
        platform::ShortPathName(platform::conversionToolPath(m_programFolder, QStringLiteral("bmp2gif")));
    if (tool.isEmpty())
        return fail(QStringLiteral("The screenshot could not be converted: ") +
                    platform::conversionToolPath(m_programFolder, QStringLiteral("bmp2gif")) +
                    QStringLiteral(" is missing."));
    platform::RunAndWait({tool, {tempBmp, tempGif}}, folder);
    if (!QFile::exists(tempGif))
        return fail(QStringLiteral("The screenshot could not be converted: bmp2gif wrote no GIF from ") + bmpPath);

    // An older GIF of this name in another letter case is the one replaced, so no second spelling appears.
    const QString existing = files::existingScreenshot(folder, gifName);
    const QString stored = existing.isEmpty() ? gifName : existing;
    QString error;
    if (!replaceFile(tempGif, QDir(folder).filePath(stored), &error))
        return fail(QStringLiteral("The GIF could not be stored as %1: %2").arg(QDir(folder).filePath(stored), error));
    QFile::remove(tempBmp);

    Outcome done{true, stored, {}};
    if (transfer == Transfer::Move && !QFile::remove(bmpPath))
        done.message =
            QStringLiteral("The screenshot is stored, but the emulator's file could not be deleted:\n") + bmpPath;
    return done;
}
