#include "StartupFixture.h"

#include "data/gui/CatalogueStartup.h"
#include "data/settings/SettingsStore.h"
#include "platform/ProgramFolder.h"

#include <QFile>

namespace startuptest {

StartupFixture::StartupFixture() = default;

StartupFixture::~StartupFixture()
{
    catalogue.close();
}

std::unique_ptr<QSettings> StartupFixture::openStore() const
{
    return openSettingsStore(iniPath());
}

browser::StartupOutcome StartupFixture::load(bool firstRun)
{
    browser::StartupSteps s;
    s.openCatalogue = [this](catalogue::Catalogue& cat, QSettings& store) {
        steps << QStringLiteral("openCatalogue");
        return openCatalogueAtStartup(cat, platform::catalogueFilePath(), store, nullptr);
    };
    s.applySettings = [this](const Settings&) { steps << QStringLiteral("applySettings"); };
    s.setFavourite = [this](int index, const Favourite&, bool) {
        if (index == 0)
            steps << QStringLiteral("favourites");
    };
    s.showView = [this](const browser::GameListViewInfo& info) { steps << QStringLiteral("view:") + info.caption; };
    s.selectGame = [this](const browser::ListSelection& sel) { steps << QStringLiteral("select:%1").arg(sel.row); };
    s.showMainWindow = [this] { steps << QStringLiteral("showMainWindow"); };
    s.openPreferences = [this] {
        steps << QStringLiteral("preferences");
        if (preferencesHook)
            preferencesHook();
    };
    s.runVerification = [this] { steps << QStringLiteral("verification"); };
    s.finishLoad = [this] { steps << QStringLiteral("finishLoad"); };

    auto store = openStore();
    return browser::runMainWindowLoad(catalogue, model, *store, firstRun, screenContext(), s);
}

SettingsWriteStatus StartupFixture::unload(const browser::StartupOutcome& started,
                                           const browser::MainWindowState& window,
                                           const browser::ShutdownSteps& shutdownSteps)
{
    auto store = openStore();
    return browser::runMainWindowUnload(catalogue, *store, started.settings, window, shutdownSteps);
}

SettingsLoadContext screenContext()
{
    SettingsLoadContext context;
    context.screenWidth = 19200;
    context.screenHeight = 14400;
    context.windowWidth = 7000;
    context.windowHeight = 9615;
    context.designedHeight = 9615;
    return context;
}

} // namespace startuptest
