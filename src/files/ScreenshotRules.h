#pragma once

#include "platform/MessageBox.h"

#include <QString>

#include <optional>

struct Settings;

// The rules of the screenshot and screenshot-name dialogs, without their widgets.
namespace files {

inline const QString kGifPattern = QStringLiteral("*.gif");
inline const QString kBmpPattern = QStringLiteral("*.bmp");

// "Screenshot for 'Elite'...", the screenshot dialog's caption; the name dialog's has no quotes.
QString screenshotCaption(const QString& gameName);
QString screenshotNameCaption(const QString& gameName);

// Every blank becomes an underscore.
QString SpacesToUnderscores(const QString& text);
// What the name dialog proposes for a game: "Jet Set Willy" gives "Jet_Set_Willy.gif".
QString proposedScreenshotName(const QString& gameName);
// A name with its last four characters replaced by ".gif" (the dump "SHOT0001.BMP" gives "SHOT0001.gif").
QString gifNameOf(const QString& name);
// Whether a file name ends in ".gif" in any letter case.
bool isGifName(const QString& name);

// A name the user typed that cannot be taken: the message, its icon, and the name the dialog puts back.
struct NameRefusal
{
    QString text;
    platform::MessageBox::Icon icon;
};
inline const QString kNameTooShort = QStringLiteral("You must type a valid filename!");
inline const QString kNameNotGif = QStringLiteral("Filename must end in '.gif'");
inline const QString kNameForbidden =
    QStringLiteral("Filename must not contain the following characters:-\n\n\\ , / , : , * , ? , \" , < , > , |");
// The checks in the order the user meets them; nothing for a name that passes.
std::optional<NameRefusal> screenshotNameRefusal(const QString& name);

inline const QString kOverwriteQuestion =
    QStringLiteral("File exists in Screenshot Directory.  Do you wish to Overwrite?");
// The file of the Screenshots folder that a new GIF of that name would replace: the same name in any letter case,
// since names are found here without regard to case. "" when there is none.
QString existingScreenshot(const QString& screenshotsFolder, const QString& name);

// Whether folder is the Screenshots folder (letter case aside): only there are GIFs chosen, elsewhere dumps.
bool isScreenshotsFolder(const QString& folder, const QString& screenshotsFolder);

// Where the screenshot dialog opens and what it shows first.
struct ScreenshotStart
{
    QString folder;
    QString pattern;           // "*.gif" in the Screenshots folder, "*.bmp" in an emulator's folder
    QString selectName;        // the game's own screenshot, when it is there
    bool cleared = true;       // no screenshot chosen yet: OK would store "(None)"
    bool choosesDumps = false; // the copy and move options and "Jump to Screenshots Dir" are on
};
// The game's stored screenshot when it is there; otherwise the folder where the emulator last started saves its
// dumps (CCS64 v2.0 for Win32 after a Win32 start when both are set, else the one that is set); with neither set,
// the Screenshots folder.
ScreenshotStart screenshotStart(const Settings& settings, bool lastRunWasWin32, const QString& storedName,
                                const QString& screenshotsFolder);

} // namespace files
