#pragma once

#include <QString>

namespace platform {

// The folder that holds the catalogue, the conversion tools, the screenshots and the working folder:
// the one VINTRAX_HOME names when it is set and not empty, else the running executable's folder.
QString programFolder();

// A file or folder directly below the program folder.
QString programFilePath(const QString& name);

QString catalogueFilePath(); // "Vintrax.mdb"
QString conversionFolder();  // "Conversion"
QString screenshotsFolder(); // "Screenshots"
QString workFolder();        // "CURRGAME", emptied and refilled for every archive unpacked

// A tool in the conversion folder, with this system's executable ending ("gunzip" -> ".../Conversion/gunzip").
QString conversionToolPath(const QString& toolName);

// The same below another program folder (a launch object or a test works on one of its own).
QString conversionToolPath(const QString& programFolder, const QString& toolName);
QString workFolder(const QString& programFolder);

} // namespace platform
