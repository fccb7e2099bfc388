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
    struct Refusal
    {
        const char* label;
        const QString& message;
        bool (*allowed)(const Settings&);
    };
    for (const Refusal& r : {Refusal{"lblGameFile", files::kGameFileNeedsGamesPath, files::gameFileChoosable},
                             Refusal{"lblMusicFile", files::kTuneLabelNeedsMusicPath, files::tuneChoosable}}) {
        app::installLabelClick(
            host, QString::fromLatin1(r.label),
            [&host, message = r.message](bool) {
                platform::MessageBox::information(message);
                host.focusGameList();
            },
            [&state, allowed = r.allowed] { return !allowed(state.settings); });
    }
}
