#include "browser/GameDetails.h"
#include "data/GameFields.h"

#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/LookupKinds.h"
#include "platform/PathNames.h"
#include "platform/ShortPathName.h"

#include <vector>

namespace browser {

namespace {

// The value labels, each with the member holding its text.
struct ValueLabel
{
    const char* name;
    QString GameDetails::*text;
};
constexpr ValueLabel kValueLabels[] = {
    {"lblName", &GameDetails::lblName},
    {"lblPublisher", &GameDetails::lblPublisher},
    {"lblYear", &GameDetails::lblYear},
    {"lblMusician", &GameDetails::lblMusician},
    {"lblGenre", &GameDetails::lblGenre},
    {"lblRating", &GameDetails::lblRating},
    {"lblDifficulty", &GameDetails::lblDifficulty},
    {"lblPlayers", &GameDetails::lblPlayers},
    {"lblTrainer", &GameDetails::lblTrainer},
    {"lblHighScore", &GameDetails::lblHighScore},
    {"lblComment", &GameDetails::lblComment},
    {"lblDocFile", &GameDetails::lblDocFile},
    {"lblGameFile", &GameDetails::lblGameFile},
    {"lblMusicFile", &GameDetails::lblMusicFile},
    {"lblTimesPlayed", &GameDetails::lblTimesPlayed},
    {"lblLastPlayed", &GameDetails::lblLastPlayed},
};

QString lookupText(catalogue::Catalogue& cat, const catalogue::LookupInfo& lookup, const QVariant& key)
{
    catalogue::Recordset& rs = cat.table(lookup.table);
    if (!rs.isOpen() || key.isNull() || !rs.setIndex(lookup.keyField))
        return {};
    rs.seek(key);
    // A failed seek leaves the record set on its previous row, whose value must not be shown.
    if (rs.noMatch())
        return {};
    return catalogue::lookupValueText(lookup.kind, rs.value(lookup.textField));
}

} // namespace

QString trainerText(qint64 trained)
{
    if (trained == 0)
        return catalogue::kUnknown;
    return trained == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
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
    QList<std::pair<QString, QString>> texts;
    for (const ValueLabel& label : kValueLabels)
        texts.append({QString::fromLatin1(label.name), this->*label.text});
    return texts;
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
    const auto& lookups = catalogue::lookupKinds();
    std::vector<QVariant> keys(lookups.size());
    for (size_t i = 0; i < lookups.size(); ++i)
        keys[i] = games.value(lookups[i].gameField);
    const qint64 colourCode = games.number(catalogue::field::CCode);

    for (size_t i = 0; i < lookups.size(); ++i)
        for (const ValueLabel& label : kValueLabels)
            if (lookups[i].label == QLatin1String(label.name))
                d.*label.text = lookupText(cat, lookups[i], keys[i]);

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
