#include "browser/GameListActions.h"

#include "data/CatalogueNames.h"
#include "data/settings/Settings.h"

#include <QRandomGenerator>

#include <algorithm>

namespace browser {

bool playMusicEnabled(const QString& musicFilename, const Settings& settings)
{
    return musicFilename != catalogue::kNone && !musicFilename.isEmpty() && !settings.SidplayWPath.isEmpty() &&
           !settings.MusicPath.isEmpty();
}

bool viewDocsEnabled(const QString& docFile)
{
    return catalogue::namesAFile(docFile);
}

GameButtons gameButtonsFor(const QString& gameFilename, const QString& musicFilename, const QString& docFile,
                           const Settings& settings)
{
    return {playButtonsFor(gameFilename, settings), playMusicEnabled(musicFilename, settings),
            viewDocsEnabled(docFile)};
}

bool popupMenuApplies(bool rightButton, bool rowSelected, bool categoryBrowserOpen)
{
    return rightButton && rowSelected && !categoryBrowserOpen;
}

std::vector<PopupMenuItem> popupMenuFor(const QString& gameName, const GameButtons& buttons)
{
    return {
        {QStringLiteral("pmnuPlay"), QStringLiteral("Play ") + gameName + QStringLiteral(" (v1.9)"),
         buttons.play.runGame},
        {QStringLiteral("pmnuPlay2D"), QStringLiteral("Play ") + gameName + QStringLiteral(" (v2.0 Dos)"),
         buttons.play.run20Dos},
        {QStringLiteral("pmnuPlay2W"), QStringLiteral("Play ") + gameName + QStringLiteral(" (v2.0 Win32)"),
         buttons.play.run20Win},
        {QStringLiteral("pmnuSid"), QStringLiteral("Play Sid Tune for ") + gameName, buttons.playMusic},
        {QStringLiteral("pmnuDocs"), QStringLiteral("View Docs for ") + gameName, buttons.viewDocs},
        {QStringLiteral("pmnuRemoveGame"), QStringLiteral("Remove ") + gameName, true},
    };
}

DoubleClickAction doubleClickAction(const DoubleClickInputs& in)
{
    if (!in.rowSelected)
        return {};
    if (in.dcPlaysMusic) {
        if (in.buttons.playMusic && !in.nonStopMusicOn)
            return {DoubleClickAction::PlayTune, launch::EmulatorKind::Ccs64Dos19};
        return {};
    }
    // The game starts in the default emulator, so that emulator's own button decides: a missing
    // v1.9 path must not stop a start in v2.0, nor a set v1.9 path allow one in an unset v2.0.
    const launch::EmulatorKind kind =
        launch::emulatorKindFromNumber(in.defaultEmulator).value_or(launch::EmulatorKind::Ccs64Dos19);
    if (!in.buttons.play.enabled(kind))
        return {};
    return {DoubleClickAction::PlayGame, kind};
}

std::optional<int> randomPick(int rowCount, const std::function<double()>& random01)
{
    if (rowCount <= 0)
        return std::nullopt;
    // A source that strays outside [0, 1) (or gives NaN) still lands on a real row.
    const double r = random01();
    if (!(r > 0.0))
        return 0;
    if (r >= 1.0)
        return rowCount - 1;
    return std::clamp(static_cast<int>(r * rowCount), 0, rowCount - 1);
}

std::function<double()> systemRandom()
{
    return [] { return QRandomGenerator::global()->generateDouble(); };
}

} // namespace browser
