#include "files/clsScreenshot.h"

#include "c64/CcsScreenshot.h"
#include "files/ScreenshotRules.h"
#include "platform/Leftovers.h"
#include "platform/RunAndWait.h"
#include "platform/SaveFile.h"
#include "platform/ShortPathName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Replaces target in one step; QFile::rename refuses to replace a file.
bool replaceFile(const QString& from, const QString& to, QString* error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    *error = QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

// The cropped picture and the GIF made from it, until the GIF gets its name.
const platform::TempNames kWorkFiles{QStringLiteral("vtrxTemp-"), {QStringLiteral(".bmp"), QStringLiteral(".gif")}};

// A name of its own in folder for a file this conversion makes, so that no GIF the user named (even one called
// like a temporary file) is ever touched. The file is removed when the object goes, wherever the work stopped.
class WorkFile
{
public:
    WorkFile(const QString& folder, const QString& ending)
        : m_file(QDir(folder).filePath(kWorkFiles.prefix + QStringLiteral("XXXXXX") + ending))
    {
        if (m_file.open())
            m_path = m_file.fileName();
        m_file.close();
        QFile::remove(m_path); // the writers make the file themselves
    }
    ~WorkFile()
    {
        if (!m_path.isEmpty())
            QFile::remove(m_path);
    }
    const QString& path() const { return m_path; }

private:
    QTemporaryFile m_file;
    QString m_path;
};

} // namespace

clsScreenshot::clsScreenshot(const platform::Folders& folders)
    : m_screenshots(folders.screenshots), m_bmp2gif(folders.conversionTool(QStringLiteral("bmp2gif")))
{
}

int clsScreenshot::removeLeftovers() const
{
    return platform::removeLeftovers(screenshotsFolder(), kWorkFiles) +
           platform::removeLeftovers(screenshotsFolder(), platform::SaveFile::tempNames());
}

bool clsScreenshot::IsCcs64Screenshot(const QString& path)
{
    return c64::IsCcs64Screenshot(path);
}

clsScreenshot::Outcome clsScreenshot::ConvertToGif(const QString& bmpPath, const QString& gifName, Transfer transfer)
{
    const QString folder = screenshotsFolder();
    const auto failed = [](const QString& message) { return Outcome{false, {}, message}; };
    if (!QDir().mkpath(folder))
        return failed(QStringLiteral("The Screenshots folder %1 cannot be made.").arg(folder));
    removeLeftovers();
    const WorkFile bmp(folder, kWorkFiles.endings[0]);
    const WorkFile gif(folder, kWorkFiles.endings[1]);
    if (bmp.path().isEmpty() || gif.path().isEmpty())
        return failed(QStringLiteral("Nothing can be written in the Screenshots folder ") + folder);

    const c64::CropOutcome crop = c64::CropScreenshot(bmpPath, bmp.path(), CropProgress);
    if (!crop.ok)
        return failed(QStringLiteral("The screenshot could not be cropped:\n") + crop.error);

    if (Converting)
        Converting();
    const QString tool = platform::ShortPathName(m_bmp2gif);
    if (tool.isEmpty())
        return failed(QStringLiteral("The screenshot could not be converted: ") + m_bmp2gif +
                      QStringLiteral(" is missing."));
    // bmp2gif takes milliseconds for one picture; one that has not ended after ten seconds is stopped, and the
    // user told, rather than holding the window for ever.
    constexpr int kConvertLimitMs = 10000;
    QString toolSaid;
    if (!platform::RunAndWait({tool, {bmp.path(), gif.path()}}, folder, platform::WindowMode::Hidden, kConvertLimitMs,
                              &toolSaid) &&
        !QFile::exists(gif.path()))
        return failed(QStringLiteral("The screenshot could not be converted: bmp2gif did not finish (stopped after "
                                     "%1 seconds, or it crashed) for ")
                          .arg(kConvertLimitMs / 1000) +
                      bmpPath);
    // bmp2gif gives its reason in one line, the last it writes.
    if (!QFile::exists(gif.path()))
        return failed(QStringLiteral("The screenshot could not be converted: bmp2gif wrote no GIF from ") + bmpPath +
                      (toolSaid.isEmpty() ? QString() : QStringLiteral(":\n") + toolSaid.split(u'\n').last()));

    // An older GIF of this name in another letter case is the one replaced, so no second spelling appears.
    const QString existing = files::existingScreenshot(folder, gifName);
    const QString stored = existing.isEmpty() ? gifName : existing;
    QString error;
    if (!replaceFile(gif.path(), QDir(folder).filePath(stored), &error))
        return failed(
            QStringLiteral("The GIF could not be stored as %1: %2").arg(QDir(folder).filePath(stored), error));

    Outcome done{true, stored, {}};
    if (transfer == Transfer::Move && !QFile::remove(bmpPath))
        done.message =
            QStringLiteral("The screenshot is stored, but the emulator's file could not be deleted:\n") + bmpPath;
    return done;
}
