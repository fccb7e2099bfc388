#include "browser/StartupSequence.h"

#include "browser/FirstRunNotes.h"
#include "data/Catalogue.h"
#include "data/SqlTexts.h"
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

void reportUnreadList(const catalogue::ListRows& rows, StartupOutcome& outcome)
{
    // The list stays empty and the program goes on in the no-game state: the user can still switch
    // views, and nothing is written to the catalogue.
    outcome.listError = rows.error();
    platform::MessageBox::exclamation(
        QStringLiteral("The game list could not be read from the database:\n%1").arg(outcome.listError));
}

ListSelection startUpSelection(const QString& currentGame, const GameListModel& model)
{
    return selectionAtStartUp(currentGame, model.rowCount(),
                              [&model](const QString& name) { return model.rowOf(name); });
}

// The all-games list is the whole catalogue, and its names come from the name index alone: the window
// can show before every game's row has been read for its colour. Read are the names, and the colour of
// the rows in sight (either side of the game selected, since the list may show it at its top or its
// bottom) and of the last row (whose size the list gives every row). False when the list is short
// enough to be read whole at once, or cannot be read this way.
bool fillRowsInSight(catalogue::Database& db, GameListModel& model, const StartupSteps& steps, StartupOutcome& outcome)
{
    const int sight = steps.rowsInSight ? steps.rowsInSight() : 0;
    if (outcome.view != GameListView::All || sight <= 0)
        return false;
    const catalogue::ListNames names =
        catalogue::ListNames::fromQuery(db, catalogue::storedQueryNamesSql(gameListViewInfo(outcome.view).storedQuery));
    const int count = names.count();
    if (!names.isValid() || count <= 4 * sight)
        return false;
    const ListSelection selection = selectionAtStartUp(outcome.settings.CurrentGame, count,
                                                       [&names](const QString& name) { return names.rowOf(name); });
    const int centre = std::max(selection.row, 0);
    QList<int> rows;
    for (int row = std::max(0, centre - sight); row <= std::min(count - 1, centre + sight); ++row)
        rows << row;
    if (rows.last() != count - 1)
        rows << count - 1;
    QStringList shown;
    for (int row : rows)
        shown << names.nameAt(row);
    const std::vector<int> codes = catalogue::colourCodesOf(db, shown);
    if (codes.size() != size_t(rows.size()))
        return false;
    std::vector<std::pair<int, GameListModel::Row>> known;
    for (qsizetype i = 0; i < rows.size(); ++i)
        known.push_back({rows[i], {shown[i], codes[size_t(i)]}});
    model.fillPartly(count, std::move(known));
    outcome.selection = selection;
    outcome.partlyFilled = true;
    return true;
}

void fillSavedView(catalogue::Catalogue& catalogue, GameListModel& model, const StartupSteps& steps,
                   StartupOutcome& outcome)
{
    outcome.view = gameListViewFromNumber(outcome.settings.WhatListBox);
    run(steps.showView, gameListViewInfo(outcome.view));

    if (!fillRowsInSight(catalogue.db(), model, steps, outcome)) {
        const catalogue::ListRows rows = openGameListSource(catalogue.db(), outcome.view, GameListSource::StartUp);
        if (!model.fill(rows, steps.fillProgress))
            reportUnreadList(rows, outcome);
        outcome.selection = startUpSelection(outcome.settings.CurrentGame, model);
    }
    run(steps.selectGame, outcome.selection);
}

// Once the window shows the rows in sight, the rest of a partly filled list is read. The user's input
// waits until then. Whatever the whole list shows otherwise than the rows read first (another program
// changed the catalogue meanwhile) is put right, the selection with it.
void completeSavedView(catalogue::Catalogue& catalogue, GameListModel& model, const StartupSteps& steps,
                       StartupOutcome& outcome)
{
    if (!outcome.partlyFilled)
        return;
    run(steps.waitUntilListShown);
    const catalogue::ListRows rows = openGameListSource(catalogue.db(), outcome.view, GameListSource::StartUp);
    const bool agreed = model.complete(rows);
    if (!rows.isValid())
        reportUnreadList(rows, outcome);
    ListSelection selection = startUpSelection(outcome.settings.CurrentGame, model);
    if (agreed && selection.row == outcome.selection.row)
        return;
    selection.byCode = true; // the game was chosen before, by the start
    outcome.selection = selection;
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
    completeSavedView(catalogue, model, steps, outcome);

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
