#include "browser/FirstRunNotes.h"

#include "data/settings/SettingsStore.h"
#include "platform/ExecutableSuffix.h"
#include "platform/MessageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include <initializer_list>
#include <utility>

namespace browser {

namespace {

// A note is built line by line; each line ends in one line break, or two where a blank line follows.
struct NoteLine
{
    const char* text;
    int breaks = 1;
};

QString buildNote(std::initializer_list<NoteLine> lines)
{
    QString note;
    for (const NoteLine& line : lines) {
        note += QString::fromLatin1(line.text);
        note += QString(line.breaks, QLatin1Char('\n'));
    }
    return note;
}

} // namespace

QString welcomeNoteTitle()
{
    return QStringLiteral("Welcome to vintrax!");
}

QString welcomeNoteText(const QString& screenshotsFolder, bool verifyAvailable)
{
    const QString opening = buildNote({
        {"IMPORTANT - PLEASE READ", 2},
        {"Your vintrax Database has the following fields already filled in:-", 2},
        {"1) BLAST FROM THE PAST FILENAMES (1-300)"},
        {"    If you have the Blast Collection on your hard drive, you can play these games"},
        {"    from vintrax.  Set a 'Games Path' in Preferences and make sure your"},
        {"    Blast directory is called 'Blast' and is a subdirectory of this 'Games Path'.", 2},
        {"2) HV-SID COLLECTION FILENAMES (Update #11)"},
        {"    If you have the HVSid Collection on your hard drive, you can play these tunes"},
        {"    from vintrax.  Point vintrax to your HVSid root-directory "},
        {"    (e.g. 'C64 Music') in Preferences.", 2},
        {"3) GAME SCREENSHOT FILENAMES"},
        {"    To view Screenshots, you will need to download the Screenshot files"},
        {"    from the vintrax Homepage, and UnZip them into"},
    });
    // The folder is named as it is on this system: installed, it is in the user's data folder.
    const QString note =
        opening + QStringLiteral("    your '%1' Directory.\n\n").arg(QDir::toNativeSeparators(screenshotsFolder));
    if (!verifyAvailable)
        return note.chopped(1);
    return note + buildNote({
                      {"NOTE"},
                      {"    After setting your Prefs.. run 'Verify Available Games/Sids'"},
                      {"    from the 'Tools' menu."},
                  });
}

QString quickStartNoteText()
{
    return buildNote({
        {"QUICK START", 2},
        {"1. Make sure all your Paths are set in Preferences.", 2},
        {"2. Right-Click the 'Game File' field to set a File for each game.", 2},
        {"GAME COLOURS IN SELECTION BOX", 2},
        {"Black = Game with Game-File and Sid-File"},
        {"Blue = Game with Game-File and No Sid-File"},
        {"Red = Game with Sid-File and No Game-File"},
        {"Grey = Game with No Game-File and No Sid-File"},
        {"Green = Sid-File Only - (Category Screen)"},
    });
}

QStringList missingArchiveTools(const QString& conversionFolder)
{
    QStringList missing;
    for (const QString& tool : {QStringLiteral("maketape"), QStringLiteral("starlynx")}) {
        const QString suffix = platform::executableSuffix();
        if (QFileInfo::exists(QDir(conversionFolder).filePath(tool + suffix)))
            continue;
        // Windows programs are named in capitals, as the note always named them there.
        missing << (suffix.isEmpty() ? tool : (tool + suffix).toUpper());
    }
    return missing;
}

QString oneMoreThingNoteText(const QStringList& missingTools, const QString& conversionFolder)
{
    return QStringLiteral("One more thing !\n\nFor maximum archive compatibility, you should copy ") +
           missingTools.join(QStringLiteral(" and ")) +
           QStringLiteral(" into your '%1' folder ").arg(QDir::toNativeSeparators(conversionFolder)) +
           (missingTools.size() == 1 ? QStringLiteral("(if you have it)") : QStringLiteral("(if you have them)"));
}

QString threeEmulatorsNoticeText()
{
    return QStringLiteral(
        "As you now have 3 Emulators to select from, you should re-set your CCS64 paths in Preferences.");
}

void showFirstRunNotes(QSettings& store, const platform::Folders& folders, const std::function<void()>& openPreferences,
                       const std::function<bool(const QString&)>& commandAvailable)
{
    QString reason;
    const SettingsWriteStatus cleared = clearShowPrefs(store, &reason);
    if (cleared != SettingsWriteStatus::Ok)
        platform::MessageBox::exclamation(settingsWriteMessage(cleared, store.fileName(), reason));

    const bool verifyAvailable = commandAvailable && commandAvailable(QStringLiteral("mnuToolsVerify"));
    platform::MessageBox::information(welcomeNoteText(folders.screenshots, verifyAvailable), welcomeNoteTitle());
    if (openPreferences)
        openPreferences();
    platform::MessageBox::information(quickStartNoteText());
    if (const QStringList missing = missingArchiveTools(folders.conversion); !missing.isEmpty())
        platform::MessageBox::information(oneMoreThingNoteText(missing, folders.conversion));
}

} // namespace browser
