#include "browser/StartupSequence.h"

#include "browser/FirstRunNotes.h"
#include "data/Catalogue.h"
#include "data/Snapshot.h"
#include "data/settings/SettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/PathChecks.h"

namespace browser {

namespace {

template <typename Step, typename... Args> void run(const Step& step, Args&&... args)
{
    if (step)
        step(std::forward<Args>(args)...);
}

void fillSavedView(catalogue::Catalogue& catalogue, GameListModel& model, const StartupSteps& steps,
                   StartupOutcome& outcome)
{
    outcome.view = gameListViewFromNumber(outcome.settings.WhatListBox);
    run(steps.showView, gameListViewInfo(outcome.view));

    catalogue::Snapshot rows = openGameListSource(catalogue.db(), outcome.view, GameListSource::StartUp);
    if (!model.fill(rows, steps.fillProgress)) {
        // The list stays empty and the program goes on in the no-game state: the user can still
        // switch views, and nothing is written to the catalogue.
        outcome.listError = rows.error();
        platform::MessageBox::exclamation(
            QStringLiteral("The game list could not be read from the database:\n%1").arg(outcome.listError));
    }
    outcome.selection = selectionAtStartUp(outcome.settings.CurrentGame, model.rowCount(),
                                           [&model](const QString& name) { return model.rowOf(name); });
    run(steps.selectGame, outcome.selection);
}

} // namespace

QStringList requiredConversionTools()
{
    return {QStringLiteral("bmp2gif"), QStringLiteral("gunzip"), QStringLiteral("lha"), QStringLiteral("zip2d64")};
}

QString checkConversionTools(const platform::Folders& folders)
{
    for (const QString& tool : requiredConversionTools()) {
        const QString path = folders.conversionTool(tool);
        if (!platform::CheckPathExists(path, true))
            return path;
    }
    return {};
}

StartupOutcome runMainWindowLoad(catalogue::Catalogue& catalogue, GameListModel& model, QSettings& store, bool firstRun,
                                 const platform::Folders& folders, const SettingsLoadContext& loadContext,
                                 const StartupSteps& steps)
{
    StartupOutcome outcome;
    outcome.missingTool = checkConversionTools(folders);
    if (!outcome.missingTool.isEmpty()) {
        outcome.end = StartupEnd::MissingTool;
        return outcome;
    }
    if (!steps.openCatalogue || !steps.openCatalogue(catalogue, store)) {
        outcome.end = StartupEnd::CatalogueUnusable;
        return outcome;
    }

    outcome.settings = loadSettings(store, loadContext);
    run(steps.applySettings, outcome.settings);

    for (int i = 0; i < FavouriteCount; ++i) {
        const Favourite& favourite = outcome.settings.Favourites[std::size_t(i)];
        outcome.visibleFavourites[std::size_t(i)] = favourite.isUsed();
        run(steps.setFavourite, i, favourite, favourite.isUsed());
    }

    fillSavedView(catalogue, model, steps, outcome);
    run(steps.showMainWindow);

    if (firstRun) {
        showFirstRunNotes(store, folders, steps.openPreferences, steps.commandAvailable);
        outcome.notesShown = true;
    } else if (!outcome.settings.V13Start) {
        // An installation of an earlier version: its DOS emulator paths were cleared by the loader.
        run(steps.runVerification);
        platform::MessageBox::information(threeEmulatorsNoticeText(), platform::kMessageTitle);
        outcome.upgradeNoticeShown = true;
    }

    run(steps.finishLoad);
    return outcome;
}

} // namespace browser
