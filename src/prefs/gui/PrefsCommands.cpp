#include "prefs/gui/PrefsCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "platform/MessageBox.h"
#include "platform/ShellOpenRefusal.h"
#include "prefs/Bookmarks.h"
#include "prefs/gui/frmVTRXOptions.h"
#include "prefs/gui/frmVTRXURL.h"

#include <QPixmap>

namespace {

constexpr int kSeparatorItem = 20;
constexpr int kEditFavouritesItem = 21;

void mnuFileOptions_Click(app::CommandHost& host, app::AppState& state)
{
    frmVTRXOptions dialog(
        state.settings, state.BrowseForPath, [&host](int index) { return host.texturePicture(index); },
        host.dialogParent());
    dialog.exec();
    // Also after Cancel: an emulator program chosen with "Browse..." has been taken already.
    host.settingsChanged();
    host.focusGameList();
}

void mnuFave_Click(app::CommandHost& host, app::AppState& state, int index)
{
    if (index == kSeparatorItem)
        return;
    if (index == kEditFavouritesItem) {
        frmVTRXURL dialog(state.settings.Favourites, host.dialogParent());
        dialog.exec();
        host.settingsChanged();
        return;
    }
    const Favourite& favourite = state.settings.Favourites[std::size_t(index)];
    const std::optional<QString> address = prefs::openableAddress(favourite.address);
    if (!address)
        platform::MessageBox::exclamation(prefs::refusedAddressMessage(favourite));
    else if (!state.ShellOpen(*address))
        platform::MessageBox::exclamation(platform::shellOpenRefusedMessage(*address));
}

} // namespace

void installPrefsCommands(app::CommandHost& host, app::AppState& state)
{
    app::installCommand(host, QStringLiteral("mnuFileOptions"), app::Acts::Always,
                        [&host, &state] { mnuFileOptions_Click(host, state); });
    for (int i = 0; i < FavouriteCount; ++i)
        app::installCommand(host, QStringLiteral("mnuFave(%1)").arg(i), app::Acts::Always,
                            [&host, &state, i] { mnuFave_Click(host, state, i); });
    app::installCommand(host, QStringLiteral("mnuFave(%1)").arg(kEditFavouritesItem), app::Acts::Always,
                        [&host, &state] { mnuFave_Click(host, state, kEditFavouritesItem); });
}
