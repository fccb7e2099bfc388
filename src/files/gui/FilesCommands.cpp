#include "files/gui/FilesCommands.h"

#include "app/AppState.h"
#include "app/CommandHost.h"
#include "files/FileRefusals.h"
#include "files/gui/frmRenameArchive.h"
#include "platform/MessageBox.h"

void installFilesCommands(app::CommandHost& host, app::AppState& state)
{
    useArchiveRenameDialog(state.game, host.dialogParent());

    // Until the game file dialog exists, only its refusal can run: the label looks clickable only while the
    // first games folder is missing.
    app::installLabelClick(
        host, QStringLiteral("lblGameFile"),
        [&host](bool) {
            platform::MessageBox::information(files::kGameFileNeedsGamesPath);
            host.focusGameList();
        },
        [&state] { return !files::gameFileChoosable(state.settings); });
}
