#pragma once

class QSettings;

namespace platform {
class SingleInstance;
}

namespace browser {

struct SplashOutcome
{
    bool goesOn = false;   // false: another copy runs and this one ends
    bool firstRun = false; // "ShowPrefs" still set: the introductory notes follow the main window's load
};

// The splash window's start: a second copy of the program is refused with "vintrax is already running!"
// before any file is touched; otherwise the first-run flag is read from the store. The instance lock is
// held by `instance` for as long as the caller keeps it. There is no first-run sound on this system.
// When the lock file cannot be made at all, nothing is known about other copies and start-up goes on.
SplashOutcome runSplashStart(platform::SingleInstance& instance, QSettings& store);

} // namespace browser
