#include "PendingCommands.h"

namespace browser {

const QStringList& commandsNotYetAvailable()
{
    static const QStringList names = {
        // Buttons.
        QStringLiteral("cmdPlayMusic"), QStringLiteral("cmdViewDocs"), QStringLiteral("cmdReport"),
        QStringLiteral("cmdAdd"),
        // File menu.
        QStringLiteral("mnuFileAddGame"), QStringLiteral("mnuFileAddSidTune"), QStringLiteral("mnuFileRemove"),
        QStringLiteral("mnuFileOptions"), QStringLiteral("mnuFileReports"),
        // Edit menu: the field editors and the file dialogs.
        QStringLiteral("mnuEditName"), QStringLiteral("mnuEditPublisher"), QStringLiteral("mnuEditYear"),
        QStringLiteral("mnuEditMusician"), QStringLiteral("mnuEditGenre"), QStringLiteral("mnuEditPlayers"),
        QStringLiteral("mnuEditRating"), QStringLiteral("mnuEditDifficulty"), QStringLiteral("mnuEditTrained"),
        QStringLiteral("mnuEditHighScore"), QStringLiteral("mnuEditComment"), QStringLiteral("mnuEditGameFilename"),
        QStringLiteral("mnuEditMusicFilename"), QStringLiteral("mnuEditDocFilename"),
        QStringLiteral("mnuEditSSFilename"),
        // View menu: the category views.
        QStringLiteral("mnuViewPublishers"), QStringLiteral("mnuViewYearPublished"),
        QStringLiteral("mnuViewMusicians"), QStringLiteral("mnuViewGenres"), QStringLiteral("mnuViewPlayers"),
        QStringLiteral("mnuViewRatings"), QStringLiteral("mnuViewDifficulty"),
        // Tools menu.
        QStringLiteral("mnuOptionsNSM"), QStringLiteral("mnuOptionsSidTuneInfo"),
        QStringLiteral("mnuOptionsResetTPCurrent"), QStringLiteral("mnuOptionsResetTPAll"),
        QStringLiteral("mnuResGF"), QStringLiteral("mnuResGFB"), QStringLiteral("mnuResSF"),
        QStringLiteral("mnuResSS"), QStringLiteral("mnuToolsVerify"), QStringLiteral("mnuOptionsMissingFiles"),
        QStringLiteral("mnuOptionsPaper"),
        // Favourites and Help.
        QStringLiteral("mnuFave(21)"), QStringLiteral("mnuHelpVintrax"), QStringLiteral("mnuHelpVintraxHTML"),
        QStringLiteral("mnuHelpAbout"),
        // The list's popup menu.
        QStringLiteral("pmnuSid"), QStringLiteral("pmnuDocs"), QStringLiteral("pmnuRemoveGame"),
        QStringLiteral("pmnuEditName"), QStringLiteral("pmnuEditPublisher"), QStringLiteral("pmnuEditYear"),
        QStringLiteral("pmnuEditMusician"), QStringLiteral("pmnuEditGenre"), QStringLiteral("pmnuEditPlayers"),
        QStringLiteral("pmnuEditRating"), QStringLiteral("pmnuEditDifficulty"), QStringLiteral("pmnuEditTrained"),
        QStringLiteral("pmnuEditHighScore"), QStringLiteral("pmnuEditComment"),
        QStringLiteral("pmnuEditGameFilename"), QStringLiteral("pmnuEditSidFilename"),
        QStringLiteral("pmnuEditDocFilename"), QStringLiteral("pmnuEditScreenshotFilename"),
    };
    return names;
}

bool isCommandAvailable(const QString& objectName)
{
    return !commandsNotYetAvailable().contains(objectName);
}

} // namespace browser
