#pragma once

#include "data/settings/Settings.h"

#include <QString>

namespace settingstest {

// A 1280 x 960 pixel screen and the designed 7000 x 9615 twips main window.
SettingsLoadContext standardContext();

// Two sets of settings for rewrite tests, 'A' and 'B', that differ in many keys and in the length of the
// file they make (B's is several pages long).
Settings settingsVariant(char which);

// A settings file as a user leaves it after editing it by hand: comments, an unknown key and section.
QByteArray handEditedSettingsFile();

} // namespace settingstest
