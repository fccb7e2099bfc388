#pragma once

#include "Catalogue.h"
#include "GameListModel.h"
#include "StartupSequence.h"
#include "StartupShutdown.h"
#include "TestFolders.h"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace startuptest {

// A complete program folder (the four tools and the demo catalogue copied from the staged build), a
// settings file of its own and a runtime folder of its own for the instance lock.
class StartupFixture
{
public:
    StartupFixture();
    ~StartupFixture();

    bool isValid() const { return m_valid; }
    QString programFile(const QString& relative) const { return m_program.file(relative); }
    QString iniPath() const { return m_config.filePath(QStringLiteral("Vintrax.ini")); }
    QString tempFile(const QString& name) const { return m_config.filePath(name); }

    // A fresh view of the settings file, as a new run of the program would read it.
    std::unique_ptr<QSettings> openStore() const;
    // Writes keys of the "Startup" section straight into the settings file.
    void presetSettings(const QVariantMap& values) const;
    QVariant storedValue(const QString& key) const;

    // One whole load of the main window with recording steps; the catalogue opens as in the application.
    browser::StartupOutcome load(bool firstRun);
    // The main window's unload of the run load() began.
    SettingsWriteStatus unload(const browser::StartupOutcome& started, const browser::MainWindowState& window,
                               const browser::ShutdownSteps& steps = {});

    QStringList steps;                     // the window steps in the order they ran
    std::function<void()> preferencesHook; // runs inside the preferences step
    catalogue::Catalogue catalogue;
    browser::GameListModel model;

private:
    testsupport::TempProgramFolder m_program;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime;
    bool m_valid = false;
};

SettingsLoadContext screenContext();

} // namespace startuptest
