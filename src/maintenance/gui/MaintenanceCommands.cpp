#include "maintenance/gui/MaintenanceCommands.h"

#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/GameFields.h"
#include "maintenance/CatalogueResets.h"
#include "maintenance/WriteRefusal.h"
#include "maintenance/gui/frmNotFound.h"
#include "maintenance/gui/frmResetTP.h"
#include "maintenance/gui/frmVerify.h"
#include "platform/MessageBox.h"

#include <QPointer>

#include <memory>

using maintenance::ResetKind;

namespace {

// The verification window, modal over the main window.
void showVerifyWindow(app::CommandHost& host, app::AppState& state)
{
    frmVerify dialog(state, host.dialogParent());
    dialog.exec();
}

// The verification runs from the all-games view; the main window's lists follow what it finds.
void mnuToolsVerify_Click(app::CommandHost& host, app::AppState& state)
{
    // Views 1 and 2 are the filtered ones; any other number reads as all games.
    const int view = state.settings.WhatListBox;
    if (view == 1 || view == 2) {
        if (platform::MessageBox::question(
                QStringLiteral("To Verify Games/Sids, the Current View must be 'All Games in Database'.  Do you wish "
                               "to switch to this view now?")) != platform::MessageBox::Yes)
            return;
        // The list is refilled at once; it is painted while the window below is open.
        app::runCommand(host, QStringLiteral("cmdAll"));
    }
    showVerifyWindow(host, state);
    host.focusGameList();
}

// One report window at a time: a second click brings the open one forward.
void mnuOptionsMissingFiles_Click(app::CommandHost& host, app::AppState& state, QPointer<frmNotFound>& window)
{
    if (!window || !window->isVisible()) {
        delete window;
        window = new frmNotFound(state, host.dialogParent());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

// Asks first; a catalogue that cannot be written is told before anything is asked.
bool confirmed(app::CommandHost& host, app::AppState& state, const QString& question)
{
    if (const QString refusal = maintenance::catalogueWriteRefusal(state.catalogue.db()); !refusal.isEmpty()) {
        platform::MessageBox::exclamation(refusal);
        host.focusGameList();
        return false;
    }
    // What a reset clears cannot be had back: a Return pressed too soon answers No.
    if (platform::MessageBox::question(question, platform::kMessageTitle,
                                       platform::MessageBox::Yes | platform::MessageBox::No,
                                       platform::MessageBox::No) != platform::MessageBox::Yes) {
        host.focusGameList();
        return false;
    }
    return true;
}

void mnuOptionsResetTPCurrent_Click(app::CommandHost& host, app::AppState& state)
{
    if (!confirmed(host, state,
                   maintenance::resetCurrentTimesPlayedQuestion(state.currentGame.text(catalogue::field::Name))))
        return;
    if (!state.currentGame.change(maintenance::timesPlayedResetValues()))
        platform::MessageBox::exclamation(QStringLiteral("The vintrax database could not be changed:\n%1\n\nNothing "
                                                         "has been changed.")
                                              .arg(state.currentGame.lastError()));
    host.focusGameList();
}

// A bulk reset in its progress window. The lists follow the catalogue's announcement; the panel shows the
// current game's new values.
void bulkReset(app::CommandHost& host, app::AppState& state, ResetKind kind)
{
    if (!confirmed(host, state, maintenance::resetQuestion(kind)))
        return;
    frmResetTP window(state, kind, host.dialogParent());
    window.exec();
    if (!window.failure().isEmpty())
        platform::MessageBox::exclamation(window.failure());
    host.showCurrentGameAgain();
    host.focusGameList();
}

} // namespace

void installMaintenanceCommands(app::CommandHost& host, app::AppState& state)
{
    state.VerifyAvailableFiles = [&host, &state] { showVerifyWindow(host, state); };
    app::installCommand(host, QStringLiteral("mnuToolsVerify"), app::Acts::Always,
                        [&host, &state] { mnuToolsVerify_Click(host, state); });

    auto missingFilesWindow = std::make_shared<QPointer<frmNotFound>>();
    app::installCommand(
        host, QStringLiteral("mnuOptionsMissingFiles"), app::Acts::Always,
        [&host, &state, missingFilesWindow] { mnuOptionsMissingFiles_Click(host, state, *missingFilesWindow); });

    app::installCommand(host, QStringLiteral("mnuOptionsResetTPCurrent"), app::Acts::OnCurrentGame,
                        [&host, &state] { mnuOptionsResetTPCurrent_Click(host, state); });
    const std::pair<const char*, ResetKind> bulk[] = {
        {"mnuOptionsResetTPAll", ResetKind::TimesPlayed},
        {"mnuResGF", ResetKind::GameFiles},
        {"mnuResGFB", ResetKind::GameFilesExceptBlast},
        {"mnuResSF", ResetKind::TuneFiles},
        {"mnuResSS", ResetKind::Screenshots},
    };
    for (const auto& [name, kind] : bulk)
        app::installCommand(host, QString::fromLatin1(name), app::Acts::Always,
                            [&host, &state, kind = kind] { bulkReset(host, state, kind); });
}
