#include "app/VintraxApplication.h"

#include "app/Program.h"
#include "data/FirstRun.h"
#include "data/settings/SettingsStore.h"
#include "help/About.h"
#include "help/ProgramIcon.h"
#include "platform/MessageBox.h"
#include "platform/gui/WidgetMessageBox.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

#include <memory>

namespace {

QIcon windowIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128})
        icon.addPixmap(QPixmap::fromImage(help::programIcon(size)));
    return icon;
}

} // namespace

int runVintrax(platform::FolderLayout layout)
{
    QApplication::setOrganizationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationVersion(help::programVersion());
    // The desktop matches the windows with the installed desktop entry (its name and icon) by this.
    QGuiApplication::setDesktopFileName(help::applicationId());
    QApplication::setWindowIcon(windowIcon());
    platform::installWidgetMessageBox();

    const platform::Folders folders = platform::currentFolders(layout);
    const std::unique_ptr<QSettings> store = openSettingsStore(defaultSettingsPath());
    const catalogue::FirstRunOutcome firstRun = catalogue::prepareFirstRun(folders, *store);
    if (firstRun.result == catalogue::FirstRunResult::Failed) {
        platform::MessageBox::critical(firstRun.error, platform::kFatalTitle);
        return 1;
    }
    app::Program program(*store, folders);
    if (!program.start())
        return 1;
    return QApplication::exec();
}
