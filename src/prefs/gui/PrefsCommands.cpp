#include "prefs/gui/PrefsCommands.h"

#include "app/AppState.h"
#include "app/CommandHost.h"

void installPrefsCommands(app::CommandHost& host, app::AppState& state)
{
    for (int i = 0; i < FavouriteCount; ++i)
        app::installCommand(host, QStringLiteral("mnuFave(%1)").arg(i), app::Acts::Always,
                            [&state, i] { state.ShellOpen(state.settings.Favourites[std::size_t(i)].address); });
}
