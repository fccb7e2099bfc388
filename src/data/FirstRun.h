#pragma once

#include "platform/Folders.h"

#include <QString>

class QSettings;

namespace catalogue {

enum class FirstRunResult
{
    NotFirstRun, // not installed, or the user's data folder or settings file is there already
    Prepared,
    Failed, // nothing of the data folder is there; the reason says why
};

struct FirstRunOutcome
{
    FirstRunResult result = FirstRunResult::NotFirstRun;
    QString error;
};

// The very first run of an installed program (no data folder and no settings file yet): the user's data folder is
// made with a copy of the demo catalogue and the demo's screenshots, and the games path 0, the music path and,
// when sidplayfp is on the PATH, the SID player are preset in the store where they are unset. The folder appears
// whole or not at all (it is filled under a temporary name and renamed into place), so a start that was cut off
// is simply a first run again. Anything later never copies: a missing catalogue stays missing, and the user's
// catalogue is never overwritten.
FirstRunOutcome prepareFirstRun(const platform::Folders& folders, QSettings& store);

} // namespace catalogue
