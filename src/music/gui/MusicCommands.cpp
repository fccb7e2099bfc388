#include "music/gui/MusicCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "music/SidDialogs.h"
#include "music/TunePlayback.h"
#include "music/gui/frmVTRXSidFile.h"
#include "music/gui/frmVTRXSidInfo.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"
#include "platform/PathNames.h"

#include <QAction>
#include <QWidget>

#include <optional>

namespace field = catalogue::field;

namespace {

QString gameTune(app::AppState& state)
{
    return state.currentGame.text(field::MusicFilename);
}

bool nonStopMusicOn(app::CommandHost& host)
{
    const auto* nsm = qobject_cast<QAction*>(host.command(QStringLiteral("mnuOptionsNSM")));
    return nsm && nsm->isChecked();
}

bool playMusicEnabled(app::CommandHost& host)
{
    const auto* button = qobject_cast<QWidget*>(host.command(QStringLiteral("cmdPlayMusic")));
    return button && button->isEnabled();
}

void cmdPlayMusic_Click(app::CommandHost& host, app::AppState& state)
{
    music::PlayGameTune(state.settings, gameTune(state), state.SidPlayer);
    host.focusGameList();
}

// The menu item has flipped its check mark when this runs. Turning it off leaves the player playing.
void mnuOptionsNSM_Click(app::CommandHost& host, app::AppState& state)
{
    if (nonStopMusicOn(host) && host.hasCurrentGame() && playMusicEnabled(host))
        music::PlayGameTune(state.settings, gameTune(state), state.SidPlayer);
    host.focusGameList();
}

// Each game the user moves to plays its tune while non-stop music is on.
void NonStopMusic_GameSelected(app::CommandHost& host, app::AppState& state)
{
    if (nonStopMusicOn(host) && music::tunePlayable(gameTune(state), state.settings))
        music::PlayGameTune(state.settings, gameTune(state), state.SidPlayer);
}

// The tune the information is about: the stand-alone tune chosen in the category browser, else the current game's.
std::optional<QString> chosenCategoryTune(app::AppState& state)
{
    return state.ChosenCategoryTune ? state.ChosenCategoryTune() : std::nullopt;
}

void mnuOptionsSidTuneInfo_Click(app::CommandHost& host, app::AppState& state)
{
    const QString tune = music::tunePath(state.settings, chosenCategoryTune(state).value_or(gameTune(state)));
    if (platform::CheckPathExists(tune, true)) {
        frmVTRXSidInfo dialog(state, tune, host.dialogParent());
        dialog.exec();
    }
    host.focusGameList();
}

// The SID file dialog for the current game; on OK the game takes the chosen tune (or none), its tune flag and
// its list colour at once.
void editGameTune(app::CommandHost& host, app::AppState& state, const QString& refusal, bool playAfter)
{
    if (state.settings.MusicPath.isEmpty()) {
        platform::MessageBox::information(refusal);
        host.focusGameList();
        return;
    }
    frmVTRXSidFile dialog(state, music::sidTuneCaption(state.currentGame.text(field::Name)), gameTune(state), false,
                          host.dialogParent());
    if (dialog.exec() == QDialog::Accepted &&
        !state.currentGame.change(music::tuneFieldValues(dialog.chosenTune(), state.currentGame.text(field::Filename))))
        platform::MessageBox::exclamation(QStringLiteral("The Sid tune could not be stored:\n") +
                                          state.currentGame.lastError());
    host.showCurrentGameAgain();
    if (playAfter && nonStopMusicOn(host) && music::tunePlayable(gameTune(state), state.settings))
        music::PlayGameTune(state.settings, gameTune(state), state.SidPlayer);
    host.focusGameList();
}

// The SID file dialog for a new stand-alone tune, which the add flow opens through the state.
std::optional<QString> chooseNewTune(app::CommandHost& host, app::AppState& state)
{
    frmVTRXSidFile dialog(state, music::kNewTuneCaption, QString(), true, host.dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.chosenTune();
}

} // namespace

void installMusicCommands(app::CommandHost& host, app::AppState& state)
{
    state.ChooseNewTune = [&host, &state] { return chooseNewTune(host, state); };

    auto play = [&host, &state] { cmdPlayMusic_Click(host, state); };
    auto playable = [&state] { return music::tunePlayable(gameTune(state), state.settings); };
    app::installCommand(host, QStringLiteral("cmdPlayMusic"), app::Acts::OnCurrentGame, play, playable);
    app::installCommand(host, QStringLiteral("pmnuSid"), app::Acts::OnCurrentGame, play, playable);

    app::installCommand(host, QStringLiteral("mnuOptionsNSM"), app::Acts::Always,
                        [&host, &state] { mnuOptionsNSM_Click(host, state); });
    state.gameSelectedHandlers.push_back([&host, &state] { NonStopMusic_GameSelected(host, state); });

    app::installCommand(
        host, QStringLiteral("mnuOptionsSidTuneInfo"), app::Acts::Always,
        [&host, &state] { mnuOptionsSidTuneInfo_Click(host, state); },
        [&host, &state] {
            return chosenCategoryTune(state) ||
                   (host.hasCurrentGame() && platform::FileNameOfPath(gameTune(state)) != catalogue::kNone);
        });

    auto edit = [&host, &state] { editGameTune(host, state, music::kTuneMenuNeedsMusicPath, true); };
    app::installCommand(host, QStringLiteral("mnuEditMusicFilename"), app::Acts::OnCurrentGame, edit);
    app::installCommand(host, QStringLiteral("pmnuEditSidFilename"), app::Acts::OnCurrentGame, edit);
    app::installLabelClick(
        host, QStringLiteral("lblMusicFile"), app::LabelButton::Either,
        [&host, &state] { editGameTune(host, state, music::kTuneLabelNeedsMusicPath, false); },
        [&host] { return host.hasCurrentGame(); });
}
