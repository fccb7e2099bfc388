#include "editing/NewGame.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "data/settings/Settings.h"
#include "platform/PathNames.h"

namespace editing {

QString proposedGameName(const QString& chosenFile)
{
    // Everything is taken from the file's own name, also when it lies in a sub-folder of the game folder.
    const QString file = platform::FileNameOfPath(chosenFile);
    if (chosenFile == catalogue::kNone || file.size() < 5 || file.startsWith(u'.'))
        return {};
    const qsizetype dot = file.lastIndexOf(u'.');
    // A name without a dot keeps all of it.
    const QString core = file.left(1).toUpper() + file.mid(1, dot < 0 ? -1 : dot - 1).toLower();
    QString name;
    for (qsizetype i = 0; i < core.size(); ++i) {
        const QChar c = core.at(i);
        if (c == u'.')
            break;
        if (c == u'_')
            name += u' ';
        else if (i > 0 && core.at(i - 1) == u'_')
            name += c.toUpper();
        else
            name += c;
    }
    if (name.size() > 4 && name.startsWith(QStringLiteral("The ")))
        name = name.mid(4) + QStringLiteral(", The");
    return name;
}

catalogue::FieldValues newGameValues(const QString& name, const QString& file, int entry, bool found,
                                     const Settings& settings)
{
    namespace f = catalogue::field;
    const bool v2 = settings.TheDefaultEmulatorFlag != 0;
    const PortDefaults& d = settings.DefaultPorts;
    const bool hasFile = file != catalogue::kNone;
    return {
        {f::Name, name},
        {f::YearPublished, catalogue::kUnknownYearKey},
        {f::PersonalComment, QString()},
        {f::Filename, file},
        {f::FilenameIndex, entry},
        {f::ScreenshotFilename, catalogue::kNone},
        {f::MU_Id, catalogue::kUnknownMusicianKey},
        {f::GE_Id, catalogue::kUnknownGenreKey},
        {f::RA_Id, catalogue::kUnknownRatingKey},
        {f::PU_Id, catalogue::kUnknownPublisherKey},
        {f::DI_Id, catalogue::kUnknownDifficultyKey},
        {f::PL_Id, catalogue::kUnknownPlayersKey},
        {f::MusicFilename, catalogue::kNone},
        {f::CCode, hasFile ? catalogue::kBlue : catalogue::kGrey},
        {f::FA, found},
        {f::SA, false},
        {f::UseDefault, true},
        {f::DirectX, v2},
        {f::Port1Joy, v2 ? d.DXDefPort1Joy : d.DefPort1Joy},
        {f::Port2Joy, v2 ? d.DXDefPort2Joy : d.DefPort2Joy},
        {f::Port1Key, v2 ? d.DXDefPort1Key : d.DefPort1Key},
        {f::Port2Key, v2 ? d.DXDefPort2Key : d.DefPort2Key},
        {f::DateLastPlayed, catalogue::kNever},
        {f::TimesPlayed, 0},
        {f::DocFile, catalogue::kNone},
        {f::HighScore, catalogue::kNotEntered},
        {f::Trained, 0},
    };
}

QStringList addGamePrompts(const Settings& s)
{
    const std::pair<int, const char*> prompts[] = {
        {s.PromptOnAddFlag, "mnuEditEmulator"},       {s.PromptOnAddMusicFN, "mnuEditMusicFilename"},
        {s.PromptOnAddMusician, "mnuEditMusician"},   {s.PromptOnAddSSFN, "mnuEditSSFilename"},
        {s.PromptOnAddDocFile, "mnuEditDocFilename"}, {s.PromptOnAddPublisher, "mnuEditPublisher"},
        {s.PromptOnAddYear, "mnuEditYear"},           {s.PromptOnAddGenre, "mnuEditGenre"},
        {s.PromptOnAddPlayers, "mnuEditPlayers"},     {s.PromptOnAddDifficulty, "mnuEditDifficulty"},
        {s.PromptOnAddRating, "mnuEditRating"},       {s.PromptOnAddTrained, "mnuEditTrained"},
        {s.PromptOnAddHighScore, "mnuEditHighScore"}, {s.PromptOnAddComment, "mnuEditComment"},
    };
    QStringList commands;
    for (const auto& [asked, command] : prompts)
        if (asked == 1)
            commands << QString::fromLatin1(command);
    return commands;
}

} // namespace editing
