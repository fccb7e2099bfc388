#pragma once

#include "data/settings/Settings.h"

#include <QMap>
#include <QString>

namespace settingstest {

// A 1280 x 960 pixel screen and the designed 7000 x 9615 twips main window.
SettingsLoadContext standardContext();

// The "Startup" section of an INI file as raw text pairs, read without QSettings, so that a check
// does not merely agree with the library that wrote the file. Values keep their quotes and escapes.
QMap<QString, QString> rawStartupSection(const QString& iniPath);

// Writes an INI file by hand: "[Startup]" followed by the given lines.
bool writeStartupIni(const QString& iniPath, const QStringList& lines);

// Two sets of settings for rewrite tests, 'A' and 'B', that differ in many keys and in the length of the
// file they make (B's is several pages long).
Settings settingsVariant(char which);

// A settings file as a user leaves it after editing it by hand: comments, an unknown key and section.
QByteArray handEditedSettingsFile();

// The key names the store must hold, spelled out independently of the library's key table.
QStringList expectedKeyNames();

} // namespace settingstest
