#pragma once

#include <QString>

namespace platform {

// How the running executable was built: to run from a folder of its own (the build's program folder, a copy
// of it anywhere), or installed below a prefix (bin/, libexec/vintrax/, share/vintrax/). Chosen when the
// executable is built, never guessed from whether a folder can be written (root can write anywhere).
enum class FolderLayout
{
    ProgramFolder,
    Installed,
};

// What the answer depends on.
struct FolderEnvironment
{
    QString vintraxHome;      // VINTRAX_HOME
    QString xdgDataHome;      // XDG_DATA_HOME
    QString xdgCacheHome;     // XDG_CACHE_HOME
    QString home;             // the user's home folder
    QString executableFolder; // the running executable's folder

    static FolderEnvironment current();
};

// Where each of the program's things is. In the program-folder layout, and whenever VINTRAX_HOME names a
// folder, everything is below that one folder. Installed, the read-only parts are found below the install
// prefix (relative to the executable, so an unpacked package runs where it lies) and the user's own parts
// in the user's data and cache folders.
struct Folders
{
    QString program;        // the executable's folder or VINTRAX_HOME; installed, the user's data folder
    QString data;           // the user's folder: the catalogue and Screenshots/
    QString catalogue;      // the catalogue file, Vintrax.mdb
    QString screenshots;    // Screenshots/
    QString work;           // CURRGAME/, emptied and refilled for every archive unpacked
    QString conversion;     // the conversion tools and the emulator bridges
    QString help;           // vintrax.txt and vintrax.htm
    QString demo;           // the demo's Games/ and Music/; installed also its catalogue and Screenshots/
    bool installed = false; // the user's parts live apart from the program's: the first run fills them

    // A tool in the conversion folder, with this system's executable ending ("gunzip" -> ".../gunzip").
    QString conversionTool(const QString& name) const;
    QString helpFile(const QString& name) const;

    // Everything below one program folder.
    static Folders inProgramFolder(const QString& folder);
};

Folders foldersFor(FolderLayout layout, const FolderEnvironment& environment);

// The answer for this process, read from its environment now.
Folders currentFolders(FolderLayout layout);

} // namespace platform
