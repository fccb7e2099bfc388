#pragma once

#include <QString>

namespace platform {

// Where the program writes the picture it makes the desktop background: "vintrax Wallpaper.bmp" in the user's
// data folder ($XDG_DATA_HOME/Vintrax).
QString wallpaperFilePath();

// Asks the running desktop (XDG_CURRENT_DESKTOP) to show the picture at path as its background: GNOME and its
// kin, Cinnamon and MATE through gsettings, KDE Plasma through plasma-apply-wallpaperimage. False when the
// desktop is none of these, its program is missing, it refuses, or (gsettings) the key does not hold the picture
// when read back, as when no settings service runs; the caller then tells the user where the picture is.
bool setDesktopWallpaper(const QString& path);

} // namespace platform
