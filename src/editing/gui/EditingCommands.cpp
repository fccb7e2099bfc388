#include "editing/gui/EditingCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "editing/GameRemoval.h"
#include "editing/gui/EditingFlows.h"

#include <memory>

namespace editing {

void mnuFileRemove_Click(app::CommandHost& host, app::AppState& state)
{
    removeCurrentGame(state.gameStore, state.catalogue.db(), state.currentGame, state.settings,
                      state.folders().screenshots);
    host.focusGameList();
}

} // namespace editing

namespace {

using app::Acts;
using catalogue::LookupKind;

// The Edit menu's entry, the popup's and the detail label of each lookup kind.
struct LookupCommand
{
    LookupKind kind;
    const char* menuItem;
    const char* popupItem;
};

constexpr LookupCommand kLookupCommands[] = {
    {LookupKind::Difficulty, "mnuEditDifficulty", "pmnuEditDifficulty"},
    {LookupKind::Genre, "mnuEditGenre", "pmnuEditGenre"},
    {LookupKind::Year, "mnuEditYear", "pmnuEditYear"},
    {LookupKind::Rating, "mnuEditRating", "pmnuEditRating"},
    {LookupKind::Players, "mnuEditPlayers", "pmnuEditPlayers"},
    {LookupKind::Publisher, "mnuEditPublisher", "pmnuEditPublisher"},
    {LookupKind::Musician, "mnuEditMusician", "pmnuEditMusician"},
};

// A field editor's Edit menu entry, popup entry and detail label (either button).
struct FieldCommand
{
    void (*handler)(app::CommandHost&, app::AppState&);
    const char* menuItem;
    const char* popupItem;
    const char* label;
};

constexpr FieldCommand kFieldCommands[] = {
    {editing::mnuEditName_Click, "mnuEditName", "pmnuEditName", "lblName"},
    {editing::mnuEditComment_Click, "mnuEditComment", "pmnuEditComment", "lblComment"},
    {editing::mnuEditHighScore_Click, "mnuEditHighScore", "pmnuEditHighScore", "lblHighScore"},
    {editing::mnuEditTrained_Click, "mnuEditTrained", "pmnuEditTrained", "lblTrainer"},
};

} // namespace

void installEditingCommands(app::CommandHost& host, app::AppState& state)
{
    auto session = std::make_shared<editing::EditingSession>();
    const auto shown = [&host] { return host.hasCurrentGame(); };
    auto on = [&host](const char* name, Acts acts, std::function<void()> handler) {
        app::installCommand(host, QString::fromLatin1(name), acts, std::move(handler));
    };

    on("cmdAdd", Acts::Always, [&host] { editing::cmdAdd_Click(host); });
    on("mnuFileAddGame", Acts::Always,
       [&host, &state, session] { editing::mnuFileAddGame_Click(host, state, *session); });
    on("mnuFileAddSidTune", Acts::Always,
       [&host, &state, session] { editing::mnuFileAddSidTune_Click(host, state, *session); });
    auto remove = [&host, &state] { editing::mnuFileRemove_Click(host, state); };
    on("mnuFileRemove", Acts::OnCurrentGame, remove);
    on("pmnuRemoveGame", Acts::OnCurrentGame, remove);

    for (const LookupCommand& c : kLookupCommands) {
        const LookupKind kind = c.kind;
        auto edit = [&host, &state, session, kind] { editing::mnuEditLookup_Click(host, state, *session, kind); };
        on(c.menuItem, Acts::OnCurrentGame, edit);
        on(c.popupItem, Acts::OnCurrentGame, edit);
        // The left click on a lookup label belongs to the category browser.
        app::installLabelClick(host, catalogue::lookupInfo(kind).label, app::LabelButton::Right, edit, shown);
    }
    for (const FieldCommand& c : kFieldCommands) {
        auto edit = [&host, &state, handler = c.handler] { handler(host, state); };
        on(c.menuItem, Acts::OnCurrentGame, edit);
        on(c.popupItem, Acts::OnCurrentGame, edit);
        app::installLabelClick(host, QString::fromLatin1(c.label), app::LabelButton::Either, edit, shown);
    }
}
