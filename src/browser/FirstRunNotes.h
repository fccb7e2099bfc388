#pragma once

#include "platform/Folders.h"

#include <QString>

#include <functional>

class QSettings;

namespace browser {

// The three introductory notes a fresh installation shows after the main window appears. They name the
// Screenshots and conversion folders as they are on this system.
QString welcomeNoteTitle();
QString welcomeNoteText(const QString& screenshotsFolder);
QString quickStartNoteText();
QString oneMoreThingNoteText(const QString& conversionFolder);

// Shown once to an existing installation on its first start with this version, after the verification.
QString threeEmulatorsNoticeText();

// The first-run notes: "ShowPrefs" is cleared first (so a crash during the notes does not show them
// again), then the welcome note, the preferences dialog (openPreferences), the quick-start note and the
// note about the optional archive tools. A store that cannot be written is reported and the notes still
// follow.
void showFirstRunNotes(QSettings& store, const platform::Folders& folders,
                       const std::function<void()>& openPreferences);

} // namespace browser
