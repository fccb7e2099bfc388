#pragma once

#include "platform/Folders.h"

#include <QString>
#include <QStringList>

#include <functional>

class QSettings;

namespace browser {

// The three introductory notes a fresh installation shows after the main window appears. They name the
// Screenshots and conversion folders as they are on this system. A note never sends the user to a command that
// is greyed: the welcome note's closing advice to verify the files is left out while that command cannot run
// (verifyAvailable false).
QString welcomeNoteTitle();
QString welcomeNoteText(const QString& screenshotsFolder, bool verifyAvailable);
QString quickStartNoteText();

// The optional archive tools the last note asks for that the conversion folder lacks, named as this system
// names their files ("maketape"; "MAKETAPE.EXE" on Windows). The note is shown only when some are missing.
QStringList missingArchiveTools(const QString& conversionFolder);
QString oneMoreThingNoteText(const QStringList& missingTools, const QString& conversionFolder);

// Shown once to an existing installation on its first start with this version, after the verification.
QString threeEmulatorsNoticeText();

// The first-run notes: "ShowPrefs" is cleared first (so a crash during the notes does not show them
// again), then the welcome note, the preferences dialog (openPreferences), the quick-start note and, when
// a tool is missing, the note about the optional archive tools. commandAvailable tells whether a command
// (by its object name) can run now. A store that cannot be written is reported and the notes still follow.
void showFirstRunNotes(QSettings& store, const platform::Folders& folders, const std::function<void()>& openPreferences,
                       const std::function<bool(const QString&)>& commandAvailable);

} // namespace browser
