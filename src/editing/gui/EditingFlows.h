#pragma once

#include "data/LookupKinds.h"
#include "editing/gui/EditingSession.h"

namespace app {
class AppState;
class CommandHost;
} // namespace app

// The editing commands' handlers, installed by installEditingCommands. Each opens its dialog over the main window,
// stores what the user confirmed through the current game, the game store or the lookup tables, and tells the user
// when the catalogue refused it; the list and the panel follow the catalogue.
namespace editing {

// The lookup editor of a kind for the current game, or for the tune being added (musicians).
void mnuEditLookup_Click(app::CommandHost& host, app::AppState& state, const EditingSession& session,
                         catalogue::LookupKind kind);

void mnuEditName_Click(app::CommandHost& host, app::AppState& state);
void mnuEditComment_Click(app::CommandHost& host, app::AppState& state);
void mnuEditHighScore_Click(app::CommandHost& host, app::AppState& state);
void mnuEditTrained_Click(app::CommandHost& host, app::AppState& state);

void cmdAdd_Click(app::CommandHost& host);
void mnuFileAddGame_Click(app::CommandHost& host, app::AppState& state, EditingSession& session);
void mnuFileAddSidTune_Click(app::CommandHost& host, app::AppState& state, EditingSession& session);

void mnuFileRemove_Click(app::CommandHost& host, app::AppState& state);

} // namespace editing
