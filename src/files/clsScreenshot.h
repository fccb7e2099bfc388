#pragma once

#include "platform/Folders.h"

#include <QString>

#include <functional>

// A fresh emulator dump turned into a game's screenshot: cut down to its picture, converted to GIF by the
// conversion tool bmp2gif and put into the Screenshots folder under the name the user gave.
//
// The user's dump is never the file worked on: the picture is cropped into a temporary BMP in the Screenshots
// folder, converted from there into a temporary GIF, and that GIF is renamed to its name only once bmp2gif has
// written it, replacing an older GIF of that name in the same step. The dump is deleted (Move) only after that.
// When any step fails, the dump, an older GIF of that name and the catalogue are as they were, and no temporary
// file is left behind.
class clsScreenshot
{
public:
    // The Screenshots folder and the conversion tools of folders.
    explicit clsScreenshot(const platform::Folders& folders);

    enum class Transfer
    {
        Copy, // the dump stays in the emulator's folder
        Move, // the dump is gone once the GIF is in place
    };

    struct Outcome
    {
        bool ok = false;
        QString storedName; // the GIF's name as it is in the Screenshots folder, to store for the game
        QString message;    // what failed; after a success, a dump that could not be deleted
    };

    // Raised after each of the 200 rows of the picture is written.
    std::function<void(int row)> CropProgress;
    // Raised when the crop is done and bmp2gif starts.
    std::function<void()> Converting;

    static bool IsCcs64Screenshot(const QString& path);
    // Crops the dump at bmpPath and stores its GIF as gifName in the Screenshots folder.
    Outcome ConvertToGif(const QString& bmpPath, const QString& gifName, Transfer transfer);

    QString screenshotsFolder() const { return m_screenshots; }

    // Removes what conversions that were killed midway left in the Screenshots folder (the cropped picture, the
    // GIF before it got its name, a file half written), where the screenshot dialog would list it; only those
    // files, and only when they are older than the running program. How many went.
    int removeLeftovers() const;

private:
    QString m_screenshots;
    QString m_bmp2gif;
};
