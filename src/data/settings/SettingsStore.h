#pragma once

#include "data/settings/Settings.h"

#include <QSettings>
#include <QString>

#include <memory>

// Outcome of writing to the store. The old file is never touched unless the write succeeded.
enum class SettingsWriteStatus
{
    Ok,
    ReadOnly,   // the file exists and its permission bits grant write to nobody: nothing written
    AccessError // the file or its folder could not be written
};

// The user's settings file: $XDG_CONFIG_HOME/Vintrax/Vintrax.ini (~/.config when unset).
QString defaultSettingsPath();

// The store kept in the INI file at iniPath. The file and its folder are created at the first write.
std::unique_ptr<QSettings> openSettingsStore(const QString& iniPath);

// Every key at its default for the given screen, window and day, with the start-up layout worked out.
Settings defaultSettings(const SettingsLoadContext& context);

// Reads every key of the "Startup" section; a key that is absent or unreadable takes its default,
// one key at a time. Until this version has been closed once (V13Start False) the two DOS emulator
// paths are cleared and the designed window height is used. Fills Settings::startup.
Settings loadSettings(QSettings& store, const SettingsLoadContext& context);

// Writes every key the loader reads, then V13Start = True, into the store's file (settingsfile::
// writeSettingsValues()). Top and Left are left as stored while the window is minimised. "ShowPrefs" is never
// written. On an access error *reason, when given, says why.
SettingsWriteStatus saveSettings(QSettings& store, const Settings& settings, const SettingsSaveContext& context,
                                 QString* reason = nullptr);

// The eight default port values, read afresh from the store (the catalogue upgrade needs them).
PortDefaults readPortDefaults(QSettings& store);

// Writes each key of the "Startup" section that the store does not hold yet into the file; keys the user set (or
// cleared) stay as they are. reason takes the cause of a failed write.
SettingsWriteStatus presetSettings(QSettings& store, const QList<std::pair<QString, QString>>& values,
                                   QString* reason = nullptr);

// The first-run flag: True unless it has been cleared.
bool readShowPrefs(QSettings& store);
SettingsWriteStatus clearShowPrefs(QSettings& store, QString* reason = nullptr);

// The screenshot view at start: always hidden, always shown, or as it was at the last exit.
bool effectiveScreenshotView(const Settings& settings);

// A user-facing text for a failed write, naming the file and the reason when there is one.
QString settingsWriteMessage(SettingsWriteStatus status, const QString& iniPath, const QString& reason = {});
