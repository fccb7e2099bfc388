#include "files/gui/FilesCommands.h"

#include "app/AppState.h"
#include "app/CommandHost.h"
#include "files/FileRefusals.h"
#include "files/gui/frmRenameArchive.h"
#include "platform/MessageBox.h"

void installFilesCommands(app::CommandHost& host, app::AppState& state)
{
    useArchiveRenameDialog(state.game, host.dialogParent());

    // Until the game file and tune dialogs exist, only the refusals can run: the labels look clickable
    // only while the folder they need is missing.
    app::installLabelClick(
        host, QStringLiteral("lblGameFile"),
        [&host](bool) {
            platform::MessageBox::information(files::kGameFileNeedsGamesPath);
            host.focusGameList();
        },
        [&state] { return !files::gameFileChoosable(state.settings); });
    app::installLabelClick(
        host, QStringLiteral("lblMusicFile"),
        [&host](bool) {
            platform::MessageBox::information(files::kTuneLabelNeedsMusicPath);
            host.focusGameList();
        },
        [&state] { return !files::tuneChoosable(state.settings); });
}
