#pragma once

#include "StartupFolders.h"
#include "browser/GameListModel.h"
#include "browser/StartupSequence.h"
#include "browser/StartupShutdown.h"
#include "data/Catalogue.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace startuptest {

// The main window's load and unload driven without the window, on the folders of StartupFolders.
class StartupFixture : public StartupFolders
{
public:
    StartupFixture();
    ~StartupFixture();

    // A fresh view of the settings file, as a new run of the program would read it.
    std::unique_ptr<QSettings> openStore() const;

    // One whole load of the main window with recording steps; the catalogue opens as in the application.
    browser::StartupOutcome load(bool firstRun);
    // The main window's unload of the run load() began.
    SettingsWriteStatus unload(const browser::StartupOutcome& started, const browser::MainWindowState& window,
                               const browser::ShutdownSteps& steps = {});

    QStringList steps;                     // the window steps in the order they ran
    std::function<void()> preferencesHook; // runs inside the preferences step
    catalogue::Catalogue catalogue;
    browser::GameListModel model;
};

SettingsLoadContext screenContext();

} // namespace startuptest
