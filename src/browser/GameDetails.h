#pragma once

#include <QList>
#include <QString>

#include <utility>

namespace catalogue {
class Catalogue;
class CurrentGame;
} // namespace catalogue

namespace browser {

// Everything the detail panel shows for one game, read from the catalogue without touching a widget.
// The main window copies the texts into its labels of the same names.
struct GameDetails
{
    bool hasGame = false; // false when the game record set stands on no row

    QString lblName;
    QString lblGN; // the large title
    QString lblPublisher;
    QString lblYear;
    QString lblMusician;
    QString lblGenre;
    QString lblRating;
    QString lblDifficulty;
    QString lblPlayers;
    QString lblTrainer;
    QString lblHighScore;
    QString lblComment;
    QString lblDocFile;
    QString lblGameFile;
    QString lblMusicFile;
    QString lblTimesPlayed;
    QString lblLastPlayed;

    // Every value label's name with its text, lblComment among them.
    QList<std::pair<QString, QString>> labelTexts() const;

    // 1 to 4: which of lblKey1 to lblKey4 in the legend is underlined.
    int legendEntry = 4;

    // The picture file to load into imgScreenShot, "" to show the no-screenshot picture.
    QString screenshotPath;
    bool hasScreenshot() const { return !screenshotPath.isEmpty(); }
    // The wallpaper command works only on a screenshot that is really there.
    bool mnuOptionsPaperEnabled() const { return hasScreenshot(); }

    // Tool tips of the play and view buttons.
    QString cmdRunGameTip;
    QString cmdRun20DosTip;
    QString cmdRun20WinTip;
    QString cmdPlayMusicTip;
    QString cmdViewDocsTip;
};

// The detail panel's contents for the current game.
// Lookup values are found by seeking the shared lookup record sets on their key index, which moves
// their current rows as every lookup does; a key with no row shows an empty value. The screenshot is looked
// for in screenshotsFolder.
GameDetails ShowGameDetails(catalogue::Catalogue& catalogue, catalogue::CurrentGame& game,
                            const QString& screenshotsFolder);

// Texts derived from single field values, shared with the editors that reload one label.
QString trainerText(qint64 trained);
int legendEntryFor(qint64 colourCode);

// The screenshot file for a stored "Screenshot Filename" below the screenshot folder, as it exists on disk
// (letter case resolved); "" for "(None)", an empty name, a missing file or a folder.
QString screenshotFileFor(const QString& screenshotsFolder, const QString& storedName);

} // namespace browser
