#include "browser/GameDetails.h"
#include "data/GameFields.h"

#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <iterator>

namespace browser {

namespace {

// One lookup shown in the panel: the key field of Games, the lookup table, its key index and the
// field shown.
struct Lookup
{
    QString GameDetails::*label;
    const QString& gameField;
    const char* table;
    const QString& keyIndex; // the lookup table's key, named as the game's field
    const QString& shownField;
};

QString lookupText(catalogue::Catalogue& cat, const Lookup& lookup, const QVariant& key)
{
    catalogue::Recordset& rs = cat.table(QString::fromLatin1(lookup.table));
    if (!rs.isOpen() || key.isNull() || !rs.setIndex(lookup.keyIndex))
        return {};
    rs.seek(key);
    // A failed seek leaves the record set on its previous row, whose value must not be shown.
    if (rs.noMatch())
        return {};
    return rs.text(lookup.shownField);
}

} // namespace

QString trainerText(qint64 trained)
{
    if (trained == 0)
        return catalogue::kUnknown;
    return trained == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
}

QString yearText(qint64 year)
{
    return year == catalogue::kUnknownYear ? catalogue::kUnknown : QString::number(year);
}

int legendEntryFor(qint64 colourCode)
{
    switch (colourCode) {
    case catalogue::kBlack:
        return 1;
    case catalogue::kBlue:
        return 2;
    case catalogue::kRed:
        return 3;
    default:
        return 4;
    }
}

QString screenshotFileFor(const QString& screenshotsFolder, const QString& storedName)
{
    // A name that leads to a folder is as good as missing: there is no picture to load.
    return storedName == catalogue::kNone ? QString() : platform::existingStoredFile(screenshotsFolder, storedName);
}

QList<std::pair<QString, QString>> GameDetails::labelTexts() const
{
    return {
        {QStringLiteral("lblName"), lblName},
        {QStringLiteral("lblPublisher"), lblPublisher},
        {QStringLiteral("lblYear"), lblYear},
        {QStringLiteral("lblMusician"), lblMusician},
        {QStringLiteral("lblGenre"), lblGenre},
        {QStringLiteral("lblRating"), lblRating},
        {QStringLiteral("lblDifficulty"), lblDifficulty},
        {QStringLiteral("lblPlayers"), lblPlayers},
        {QStringLiteral("lblTrainer"), lblTrainer},
        {QStringLiteral("lblHighScore"), lblHighScore},
        {QStringLiteral("lblComment"), lblComment},
        {QStringLiteral("lblDocFile"), lblDocFile},
        {QStringLiteral("lblGameFile"), lblGameFile},
        {QStringLiteral("lblMusicFile"), lblMusicFile},
        {QStringLiteral("lblTimesPlayed"), lblTimesPlayed},
        {QStringLiteral("lblLastPlayed"), lblLastPlayed},
    };
}

GameDetails ShowGameDetails(catalogue::Catalogue& cat, catalogue::CurrentGame& game, const QString& screenshotsFolder)
{
    GameDetails d;
    catalogue::Recordset* row = game.record();
    if (!row)
        return d;
    catalogue::Recordset& games = *row;
    d.hasGame = true;

    d.lblName = games.text(catalogue::field::Name);
    d.lblComment = games.text(catalogue::field::PersonalComment);
    d.lblHighScore = games.text(catalogue::field::HighScore);
    d.lblDocFile = platform::FileNameOfPath(games.text(catalogue::field::DocFile));
    d.lblTrainer = trainerText(games.number(catalogue::field::Trained));
    d.lblGameFile = platform::FileNameOfPath(games.text(catalogue::field::Filename));
    d.lblMusicFile = platform::FileNameOfPath(games.text(catalogue::field::MusicFilename));
    d.lblTimesPlayed = QString::number(games.number(catalogue::field::TimesPlayed));
    d.lblLastPlayed = games.text(catalogue::field::DateLastPlayed);

    d.screenshotPath = screenshotFileFor(screenshotsFolder, games.text(catalogue::field::ScreenshotFilename));

    // Read every key before the first seek: the lookups must not depend on the game row staying loaded.
    namespace f = catalogue::field;
    static const Lookup kLookups[] = {
        {&GameDetails::lblPublisher, f::PU_Id, "Publishers", f::PU_Id, f::Publisher},
        {&GameDetails::lblYear, f::YearPublished, "Years", f::YE_Id, f::Year},
        {&GameDetails::lblMusician, f::MU_Id, "Musicians", f::MU_Id, f::Name},
        {&GameDetails::lblGenre, f::GE_Id, "Genres", f::GE_Id, f::Genre},
        {&GameDetails::lblRating, f::RA_Id, "Ratings", f::RA_Id, f::Rating},
        {&GameDetails::lblDifficulty, f::DI_Id, "Difficulty", f::DI_Id, f::Difficulty},
        {&GameDetails::lblPlayers, f::PL_Id, "Players", f::PL_Id, f::NumberOfPlayers},
    };
    QVariant keys[std::size(kLookups)];
    for (size_t i = 0; i < std::size(kLookups); ++i)
        keys[i] = games.value(kLookups[i].gameField);
    const qint64 colourCode = games.number(catalogue::field::CCode);

    for (size_t i = 0; i < std::size(kLookups); ++i)
        d.*(kLookups[i].label) = lookupText(cat, kLookups[i], keys[i]);
    if (!d.lblYear.isEmpty()) {
        bool numeric = false;
        const qint64 year = d.lblYear.toLongLong(&numeric);
        if (numeric)
            d.lblYear = yearText(year);
    }

    d.legendEntry = legendEntryFor(colourCode);
    d.lblGN = d.lblName;

    const QString& n = d.lblName;
    d.cmdRunGameTip = QStringLiteral("Play '") + n + QStringLiteral("' with CCS64 v1.9 (Dos)");
    d.cmdRun20DosTip = QStringLiteral("Play '") + n + QStringLiteral("' with CCS64 v2.0 (Dos)");
    d.cmdRun20WinTip = QStringLiteral("Play '") + n + QStringLiteral("' with CCS64 v2.0 (Win32)");
    d.cmdPlayMusicTip = QStringLiteral("Play Sid Tune for '") + n + QStringLiteral("'");
    d.cmdViewDocsTip = QStringLiteral("View Documentation for '") + n + QStringLiteral("'");
    return d;
}

} // namespace browser
