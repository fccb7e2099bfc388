#include "help/gui/HelpCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "files/DocumentRules.h"
#include "help/gui/frmVTRXAbout.h"

namespace {

// The text help opens in the desktop's program for text files (there is no one Notepad here), the HTML help in
// its web browser; a missing file is reported as "FILE NOT FOUND: " and its path, and nothing is started.
void mnuHelpVintrax_Click(app::AppState& state)
{
    files::ViewDocument(state.folders().helpFile(QStringLiteral("vintrax.txt")), state.ShellOpen);
}

void mnuHelpVintraxHTML_Click(app::AppState& state)
{
    files::ViewDocument(state.folders().helpFile(QStringLiteral("vintrax.htm")), state.ShellOpen);
}

void mnuHelpAbout_Click(app::CommandHost& host, app::AppState& state)
{
    frmVTRXAbout about(state.ShellOpen, host.dialogParent());
    about.exec();
    host.focusGameList();
}

} // namespace

void installHelpCommands(app::CommandHost& host, app::AppState& state)
{
    app::installCommand(host, QStringLiteral("mnuHelpVintrax"), app::Acts::Always,
                        [&state] { mnuHelpVintrax_Click(state); });
    app::installCommand(host, QStringLiteral("mnuHelpVintraxHTML"), app::Acts::Always,
                        [&state] { mnuHelpVintraxHTML_Click(state); });
    app::installCommand(host, QStringLiteral("mnuHelpAbout"), app::Acts::Always,
                        [&host, &state] { mnuHelpAbout_Click(host, state); });
}
