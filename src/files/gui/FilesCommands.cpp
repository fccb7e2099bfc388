#include "files/gui/FilesCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "files/DocumentRules.h"
#include "files/FileRefusals.h"
#include "files/GameFileRules.h"
#include "files/gui/ScreenshotCommands.h"
#include "files/gui/frmRenameArchive.h"
#include "files/gui/frmVTRXBrowse.h"
#include "files/gui/frmVTRXDocBrowse.h"
#include "files/gui/frmVTRXGameFile.h"
#include "platform/MessageBox.h"

#include <QDialog>

#include <optional>

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

// The game file dialog for the current game; on OK the game takes the chosen file (or none), its entry, its
// availability flag and its list colour at once. Without a first games folder there is nothing to browse, and the
// user is told where to set one.
void editGameFile(app::CommandHost& host, app::AppState& state)
{
    if (!files::gameFileChoosable(state.settings)) {
        platform::MessageBox::information(files::kGameFileNeedsGamesPath);
        host.focusGameList();
        return;
    }
    frmVTRXGameFile dialog(state, files::gameFileCaption(state.currentGame.text(catalogue::field::Name)), false,
                           host.dialogParent());
    if (dialog.exec() == QDialog::Accepted) {
        const app::GameFileChoice& choice = dialog.choice();
        const QString music = state.currentGame.text(catalogue::field::MusicFilename);
        if (!state.currentGame.change(choice.found ? files::gameFileValues(choice.file, choice.entry, music)
                                                   : files::noGameFileValues(music)))
            platform::MessageBox::exclamation(QStringLiteral("The game file could not be stored:\n") +
                                              state.currentGame.lastError());
    }
    host.showCurrentGameAgain();
    host.focusGameList();
}

// The game file dialog for a game not yet in the catalogue, which the add flow opens through the state.
std::optional<app::GameFileChoice> chooseNewGameFile(app::CommandHost& host, app::AppState& state)
{
    frmVTRXGameFile dialog(state, files::kNewGameFileCaption, true, host.dialogParent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

} // namespace

void installFilesCommands(app::CommandHost& host, app::AppState& state)
{
    state.RenameArchive = archiveRenameDialog(host.dialogParent());
    state.ChooseNewGameFile = [&host, &state] { return chooseNewGameFile(host, state); };
    state.BrowseForPath = [&state](const app::BrowseRequest& request, QWidget* parent) {
        return browseForPath(request, state.programFolder(), parent);
    };
    installScreenshotCommands(host, state);

    auto editGame = [&host, &state] { editGameFile(host, state); };
    app::installCommand(host, QStringLiteral("mnuEditGameFilename"), app::Acts::OnCurrentGame, editGame);
    app::installCommand(host, QStringLiteral("pmnuEditGameFilename"), app::Acts::OnCurrentGame, editGame);
    app::installLabelClick(host, QStringLiteral("lblGameFile"), app::LabelButton::Either, editGame,
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
    app::installLabelClick(host, QStringLiteral("lblDocFile"), app::LabelButton::Either, edit,
                           [&host] { return host.hasCurrentGame(); });
}
