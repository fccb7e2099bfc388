#include "browser/StartupSplash.h"

#include "data/settings/SettingsStore.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"

namespace browser {

SplashOutcome runSplashStart(platform::SingleInstance& instance, QSettings& store)
{
    SplashOutcome outcome;
    if (instance.tryAcquire() == platform::SingleInstance::AlreadyRunning) {
        platform::MessageBox::exclamation(QStringLiteral("vintrax is already running!"), platform::kMessageTitle);
        return outcome;
    }
    outcome.goesOn = true;
    outcome.firstRun = readShowPrefs(store);
    return outcome;
}

} // namespace browser
