#include "browser/StartupShutdown.h"

#include "data/Catalogue.h"
#include "platform/MessageBox.h"
#include "platform/SidPlayProcess.h"

#include <QSettings>

namespace browser {

SettingsWriteStatus runMainWindowUnload(catalogue::Catalogue& catalogue, QSettings& store, Settings settings,
                                        const MainWindowState& window, const ShutdownSteps& steps)
{
    if (settings.LeaveSPRunningFlag == 1 && !settings.SidplayWPath.isEmpty())
        platform::CloseSidPlay(platform::FindSidPlayProcess(settings.SidplayWPath));

    if (steps.stopScroller)
        steps.stopScroller();

    catalogue.close();

    settings.Top = window.top;
    settings.Left = window.left;
    settings.Widthy = window.width;
    settings.Heighty = window.height;
    settings.View = window.view;
    settings.SSView = window.ssView;
    SettingsSaveContext context;
    context.windowMinimised = window.minimised;
    QString reason;
    const SettingsWriteStatus written = saveSettings(store, settings, context, &reason);
    if (written != SettingsWriteStatus::Ok)
        platform::MessageBox::exclamation(settingsWriteMessage(written, store.fileName(), reason));

    if (steps.categoryBrowserOpen && steps.unloadCategoryBrowser)
        steps.unloadCategoryBrowser();
    if (steps.unloadOtherWindows)
        steps.unloadOtherWindows();
    return written;
}

} // namespace browser
