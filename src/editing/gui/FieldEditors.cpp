// The editors of the four free fields of the current game: name, personal comment, high score and trained state.
#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/GameFields.h"
#include "data/GameStore.h"
#include "editing/EditMessages.h"
#include "editing/FieldRules.h"
#include "editing/gui/EditingFlows.h"
#include "editing/gui/frmNameEntry.h"
#include "editing/gui/frmPickList.h"
#include "editing/gui/frmVTRXEditComment.h"

namespace editing {

namespace f = catalogue::field;

namespace {

// Stores the values on the current game, or says why the catalogue refused them.
void store(app::AppState& state, const catalogue::FieldValues& values)
{
    if (!state.currentGame.change(values))
        notDone(QStringLiteral("The change could not be stored"), state.currentGame.lastError()).show();
}

} // namespace

void mnuEditName_Click(app::CommandHost& host, app::AppState& state)
{
    const QString stored = state.currentGame.text(f::Name);
    const qint64 rowid = state.currentGame.rowid();
    auto onOK = [&state, &stored, rowid](const QString& typed) {
        const QString name = enteredName(typed);
        if (name == stored)
            return NameAnswer::accept();
        // The store tells a duplicate (letter case aside, the game itself excepted) from the engine's refusal.
        const catalogue::GameStoreResult renamed = state.gameStore.renameGame(rowid, name);
        switch (renamed.error) {
        case catalogue::GameStoreError::None:
            return NameAnswer::accept();
        case catalogue::GameStoreError::EmptyName:
            return NameAnswer::refuse(noNameEntered());
        case catalogue::GameStoreError::DuplicateName:
            return NameAnswer::refuse(duplicateEntry(name, platform::MessageBox::Information));
        default:
            return NameAnswer::giveUp(
                notDone(QStringLiteral("'%1' could not be renamed").arg(stored), renamed.message));
        }
    };
    frmNameEntry dialog({"frmVTRXEditGameName", QStringLiteral("Edit Game Name...")}, stored, onOK,
                        host.dialogParent());
    dialog.exec();
    host.focusGameList();
}

void mnuEditComment_Click(app::CommandHost& host, app::AppState& state)
{
    frmVTRXEditComment dialog(state.currentGame.text(f::PersonalComment), host.dialogParent());
    if (dialog.exec() == QDialog::Accepted)
        store(state, {{f::PersonalComment, dialog.comment()}});
    host.focusGameList();
}

void mnuEditHighScore_Click(app::CommandHost& host, app::AppState& state)
{
    NameEntryLook look{"frmVTRXEditHighScore", QStringLiteral("Edit High Score...")};
    look.box = "txtHighScore";
    look.limit = kHighScoreLimit;
    frmNameEntry dialog(
        look, shownHighScore(state.currentGame.text(f::HighScore)), [](const QString&) { return NameAnswer::accept(); },
        host.dialogParent());
    if (dialog.exec() == QDialog::Accepted)
        store(state, {{f::HighScore, storedHighScore(dialog.text())}});
    host.focusGameList();
}

void mnuEditTrained_Click(app::CommandHost& host, app::AppState& state)
{
    QVector<LookupEntry> entries;
    for (const QString& text : trainedEntries())
        entries.append({entries.size(), text});
    frmPickList dialog({"frmVTRXEditTrained", QStringLiteral("Edit Game Trained...")}, entries,
                       trainedRow(state.currentGame.number(f::Trained)), host.dialogParent());
    if (dialog.exec() == QDialog::Accepted && dialog.chosen())
        store(state, {{f::Trained, dialog.chosen()->key}});
    host.focusGameList();
}

} // namespace editing
