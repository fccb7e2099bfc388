#include "launch/gui/LaunchCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/GameFields.h"
#include "data/Recordset.h"
#include "launch/EmulatorSettings.h"
#include "launch/PlayButtons.h"
#include "launch/PlayCurrentGame.h"
#include "launch/clsC64Game.h"
#include "launch/gui/frmControls.h"
#include "platform/MessageBox.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <utility>

using launch::EmulatorKind;

namespace {

struct PlayCommand
{
    EmulatorKind kind;
    const char* button;
    const char* popupItem;
};

constexpr PlayCommand kPlayCommands[] = {
    {EmulatorKind::Ccs64Dos19, "cmdRunGame", "pmnuPlay"},
    {EmulatorKind::Ccs64Dos20, "cmdRun20Dos", "pmnuPlay2D"},
    {EmulatorKind::Ccs64Win32, "cmdRun20Win", "pmnuPlay2W"},
};

// What the play commands share: whether a start is running, from the command until the emulator is known to run or
// to have failed (a first Wine start takes a while), during which a second play request starts nothing; and whether
// the damaged catalogue was told.
struct PlaySession
{
    bool starting = false;
    bool damageTold = false;
};

// A start whose play could not be counted says so. A damaged catalogue refuses every play, so that is told
// once a run (damageTold); any other failure each time it happens.
void tellPlayNotRecorded(app::AppState& state, bool& damageTold)
{
    if (state.catalogue.db().isDamaged()) {
        if (!std::exchange(damageTold, true))
            platform::MessageBox::exclamation(
                QStringLiteral("The game was started, but this play is not recorded: the vintrax database is "
                               "damaged, and vintrax records nothing in it until it has been recovered."));
        return;
    }
    platform::MessageBox::exclamation(
        QStringLiteral("The game was started, but this play could not be recorded in the vintrax database:\n") +
        state.currentGame.lastError());
}

// The launcher's converters take WinZip's program from the settings as they are at each start.
void PlayCurrentGame(app::CommandHost& host, app::AppState& state, clsC64Game& converters, EmulatorKind kind,
                     const std::shared_ptr<PlaySession>& session)
{
    if (session->starting)
        return;
    // The window shows that a start runs, and the play commands are greyed until it is settled.
    session->starting = true;
    QPointer<QWidget> window = host.dialogParent();
    if (window)
        window->setCursor(Qt::BusyCursor);
    host.refreshCommands();
    const auto startOver = [&host, session, window] {
        session->starting = false;
        if (window)
            window->unsetCursor();
        host.refreshCommands();
    };

    launch::PlayHooks hooks;
    hooks.hourglass = [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.stopScroller = [&host] { host.stopScroller(); };
    hooks.settled = [&state, kind, session, startOver, window](const launch::StartSettled& settled) {
        // The emulator outlives the program: when the user ended it while the start was watched, the window, its
        // commands and the state they show are gone, and there is no one left to tell.
        if (!window)
            return;
        startOver();
        if (settled.ran)
            state.LastRunWasWin32 = kind == EmulatorKind::Ccs64Win32;
        if (settled.ran && !settled.recorded)
            tellPlayNotRecorded(state, session->damageTold);
    };
    converters.setWinzipPath(state.settings.WinzipPath);
    if (!launch::PlayCurrentGame(kind, state.settings, state.currentGame, converters, state.workFolder(), hooks)
             .started)
        startOver();
    host.focusGameList();
}

launch::EmulatorSettingsOutcome mnuEditEmulator_Click(app::CommandHost& host, app::AppState& state)
{
    using launch::EmulatorSettingsOutcome;
    if (!launch::emulatorSettingsAllowed(state.settings)) {
        platform::MessageBox::information(launch::kEmulatorSettingsRefusal);
        return EmulatorSettingsOutcome::Refused;
    }
    frmControls dialog(launch::emulatorSettingsPrompt(state.currentGame.text(catalogue::field::Name)), state.settings,
                       launch::gamePortsOf(state.currentGame), host.dialogParent());
    const bool accepted = dialog.exec() == QDialog::Accepted;
    host.focusGameList();
    if (!accepted)
        return EmulatorSettingsOutcome::Cancelled;
    if (!state.currentGame.change(launch::fieldValuesOf(dialog.chosenPorts()))) {
        platform::MessageBox::exclamation(QStringLiteral("The emulator settings could not be stored:\n") +
                                          state.currentGame.lastError());
        return EmulatorSettingsOutcome::NotStored;
    }
    return EmulatorSettingsOutcome::Stored;
}

} // namespace

void installLaunchCommands(app::CommandHost& host, app::AppState& state)
{
    auto session = std::make_shared<PlaySession>();
    // The launcher's own converters, which live as long as its commands. An archive of several games asks the
    // archive-rename dialog the state offers.
    auto converters = std::make_shared<clsC64Game>(state.folders().conversion);
    converters->setRenameDialog([&state](ArchiveHandover& handover) {
        if (state.RenameArchive)
            state.RenameArchive(handover);
    });
    for (const PlayCommand& c : kPlayCommands) {
        const EmulatorKind kind = c.kind;
        auto play = [&host, &state, kind, session, converters] {
            PlayCurrentGame(host, state, *converters, kind, session);
        };
        // The buttons follow the game's file and the emulator paths, and rest while a start runs; the popup items
        // follow the buttons.
        auto playable = [&state, kind, session] {
            return !session->starting &&
                   launch::playButtonsFor(state.currentGame.text(catalogue::field::Filename), state.settings)
                       .enabled(kind);
        };
        app::installCommand(host, QString::fromLatin1(c.button), app::Acts::OnCurrentGame, play, playable);
        app::installCommand(host, QString::fromLatin1(c.popupItem), app::Acts::OnCurrentGame, play, playable);
    }
    auto emulatorSettings = [&host, &state] { mnuEditEmulator_Click(host, state); };
    app::installCommand(host, QStringLiteral("mnuEditEmulator"), app::Acts::OnCurrentGame, emulatorSettings);
    app::installCommand(host, QStringLiteral("pmnuEditEmulatorSettings"), app::Acts::OnCurrentGame, emulatorSettings);
}
