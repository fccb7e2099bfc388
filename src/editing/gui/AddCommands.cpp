// Adding a game (file, name, then the edit prompts the preferences ask for) and a stand-alone tune (file, name,
// musician).
#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameStore.h"
#include "editing/EditMessages.h"
#include "editing/FieldRules.h"
#include "editing/LookupStore.h"
#include "editing/NewGame.h"
#include "editing/gui/EditingFlows.h"
#include "editing/gui/frmNameEntry.h"
#include "platform/MessageBox.h"

#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

namespace editing {

using platform::MessageBox;

namespace {

// Sets a flag of the session for as long as a flow runs, however it ends.
template <typename T> class During
{
public:
    During(T& value, T during) : m_value(value), m_before(std::exchange(value, std::move(during))) {}
    ~During() { m_value = std::move(m_before); }
    During(const During&) = delete;
    During& operator=(const During&) = delete;

private:
    T& m_value;
    T m_before;
};

NameEntryLook addGameLook()
{
    NameEntryLook look{
        "frmVTRXAddGame", QStringLiteral("Add Game to Database"), {QStringLiteral("Enter the Name of the New Game:")}};
    look.okName = "cmdAdd";
    look.okCaption = QStringLiteral("&Add");
    look.okNeedsText = true;
    return look;
}

NameEntryLook addTuneLook()
{
    NameEntryLook look{"frmVTRXAddSidTune",
                       QStringLiteral("Add Sid Tune (without game) to Database"),
                       {QStringLiteral("Enter the Name of the New Sid Tune:"),
                        QStringLiteral("You can view the Sid Tunes Database by selecting Musicians in the Category "
                                       "window.")}};
    look.okName = "cmdAdd";
    look.okCaption = QStringLiteral("&Add");
    look.okNeedsText = true;
    return look;
}

// The file of the new game: chosen in the game file dialog, or none when there is no first games folder to choose
// from. Nothing when the user cancelled.
std::optional<app::GameFileChoice> chooseGameFile(app::AppState& state)
{
    if (state.settings.GamesPath[0].isEmpty()) {
        MessageBox::information(kAddGameNeedsGamesPath);
        return app::GameFileChoice{catalogue::kNone, 0, false};
    }
    if (!state.ChooseNewGameFile)
        return std::nullopt;
    return state.ChooseNewGameFile();
}

} // namespace

void cmdAdd_Click(app::CommandHost& host)
{
    if (auto* add = qobject_cast<QAction*>(host.command(QStringLiteral("mnuFileAdd"))); add && add->menu())
        add->menu()->popup(QCursor::pos());
}

void mnuFileAddGame_Click(app::CommandHost& host, app::AppState& state, EditingSession& session)
{
    state.CurrentTune.SidAuthor.clear();
    state.CurrentTune.SidCopyright.clear();
    // The new game must be in the list shown, so that it becomes the selected game the prompts edit. (Also without a
    // first games folder: a game without a file is in no other view.)
    if (state.settings.WhatListBox != 0) {
        if (MessageBox::question(kSwitchToAllGames) != MessageBox::Yes)
            return;
        app::runCommand(host, QStringLiteral("cmdAll"));
        QCoreApplication::processEvents();
    }
    const std::optional<app::GameFileChoice> file = chooseGameFile(state);
    if (!file)
        return;

    // The row is written once, when the name is accepted; the list selects it as the store announces it.
    qint64 added = -1;
    auto onOK = [&state, &file, &added](const QString& typed) {
        const QString name = enteredName(typed);
        if (name.isEmpty())
            return NameAnswer::refuse(noNameEntered());
        const catalogue::GameStoreResult result =
            state.gameStore.addGame(newGameValues(name, file->file, file->entry, file->found, state.settings));
        if (result.error == catalogue::GameStoreError::DuplicateName)
            return NameAnswer::refuse(duplicateEntry(name, MessageBox::Exclamation));
        if (!result.ok())
            return NameAnswer::giveUp(notDone(QStringLiteral("'%1' could not be added").arg(name), result.message));
        added = result.rowid;
        return NameAnswer::accept();
    };
    frmNameEntry dialog(addGameLook(), proposedGameName(file->file), onOK, host.dialogParent());
    if (dialog.exec() != QDialog::Accepted || added < 0)
        return;

    // Each prompt edits the current game, which must be the new one; a Cancel in one skips only that field.
    {
        During<bool> adding(session.addingGame, true);
        for (const QString& command : addGamePrompts(state.settings)) {
            if (state.currentGame.rowid() != added || !host.hasCurrentGame())
                break;
            app::runCommand(host, command);
        }
    }
    host.showCurrentGameAgain();
    host.focusGameList();
}

void mnuFileAddSidTune_Click(app::CommandHost& host, app::AppState& state, EditingSession& session)
{
    if (state.settings.MusicPath.isEmpty()) {
        MessageBox::information(kAddTuneNeedsMusicPath);
        return;
    }
    state.CurrentTune.SidName.clear();
    state.CurrentTune.SidAuthor.clear();
    const std::optional<QString> file = state.ChooseNewTune ? state.ChooseNewTune() : std::nullopt;
    if (!file)
        return;

    LookupChange added;
    auto onOK = [&state, &file, &added](const QString& typed) {
        added = addTune(state.catalogue.db(), typed, *file);
        switch (added.outcome) {
        case LookupChange::Done:
        case LookupChange::Unchanged:
            return NameAnswer::accept();
        case LookupChange::EmptyName:
            return NameAnswer::refuse(noNameEntered());
        case LookupChange::Taken:
            return NameAnswer::refuse(duplicateEntry(added.text, MessageBox::Exclamation));
        case LookupChange::Refused:
            break;
        }
        return NameAnswer::giveUp(notDone(QStringLiteral("'%1' could not be added").arg(added.text), added.reason));
    };
    frmNameEntry dialog(addTuneLook(), state.CurrentTune.SidName, onOK, host.dialogParent());
    if (dialog.exec() != QDialog::Accepted || !added.done())
        return;
    {
        During<qint64> tune(session.newTune, added.key);
        During<QString> tuneName(session.newTuneName, added.text);
        mnuEditLookup_Click(host, state, session, catalogue::LookupKind::Musician);
    }
    host.showCurrentGameAgain();
    host.focusGameList();
}

} // namespace editing
