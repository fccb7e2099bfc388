#include "files/gui/FilesCommands.h"

#include "app/AppState.h"
#include "app/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "files/DocumentRules.h"
#include "files/FileRefusals.h"
#include "files/gui/ScreenshotCommands.h"
#include "files/gui/frmRenameArchive.h"
#include "files/gui/frmVTRXDocBrowse.h"
#include "files/gui/frmVTRXGameFile.h"
#include "platform/MessageBox.h"

#include <QDialog>

namespace {

// The document dialog for the current game; on OK the game takes the chosen document (or none) at once.
void editDocFile(app::CommandHost& host, app::AppState& state)
{
    frmVTRXDocBrowse dialog(state.currentGame.text(catalogue::field::DocFile), state.programFolder(),
                            host.dialogParent());
    if (dialog.exec() == QDialog::Accepted &&
        !state.currentGame.change({{catalogue::field::DocFile, dialog.chosenDocFile()}}))
        platform::MessageBox::exclamation(QStringLiteral("The document could not be stored:\n") +
                                          state.currentGame.lastError());
    host.showCurrentGameAgain();
    host.focusGameList();
}

// The game file dialog for the current game; it stores the choice itself. Without a first games folder there is
// nothing to browse, and the user is told where to set one.
void editGameFile(app::CommandHost& host, app::AppState& state)
{
    if (!files::gameFileChoosable(state.settings)) {
        platform::MessageBox::information(files::kGameFileNeedsGamesPath);
        host.focusGameList();
        return;
    }
    state.dialog.DialogPrompt =
        QStringLiteral("Filename for '") + state.currentGame.text(catalogue::field::Name) + QStringLiteral("'...");
    state.dialog.AddingGame = false;
    state.dialog.DialogCancelled = false;
    frmVTRXGameFile dialog(state, host.dialogParent());
    dialog.exec();
    host.showCurrentGameAgain();
    host.focusGameList();
}

} // namespace

void installFilesCommands(app::CommandHost& host, app::AppState& state)
{
    useArchiveRenameDialog(state.game, host.dialogParent());
    installScreenshotCommands(host, state);

    auto editGame = [&host, &state] { editGameFile(host, state); };
    app::installCommand(host, QStringLiteral("mnuEditGameFilename"), app::Acts::OnCurrentGame, editGame);
    app::installCommand(host, QStringLiteral("pmnuEditGameFilename"), app::Acts::OnCurrentGame, editGame);
    app::installLabelClick(
        host, QStringLiteral("lblGameFile"), [editGame](bool) { editGame(); },
        [&host] { return host.hasCurrentGame(); });

    auto view = [&host, &state] {
        files::ViewDocument(state.currentGame.text(catalogue::field::DocFile), state.ShellOpen);
        host.focusGameList();
    };
    auto viewable = [&state] { return catalogue::namesAFile(state.currentGame.text(catalogue::field::DocFile)); };
    app::installCommand(host, QStringLiteral("cmdViewDocs"), app::Acts::OnCurrentGame, view, viewable);
    app::installCommand(host, QStringLiteral("pmnuDocs"), app::Acts::OnCurrentGame, view, viewable);
    auto edit = [&host, &state] { editDocFile(host, state); };
    app::installCommand(host, QStringLiteral("mnuEditDocFilename"), app::Acts::OnCurrentGame, edit);
    app::installCommand(host, QStringLiteral("pmnuEditDocFilename"), app::Acts::OnCurrentGame, edit);
    app::installLabelClick(
        host, QStringLiteral("lblDocFile"), [edit](bool) { edit(); }, [&host] { return host.hasCurrentGame(); });
}
