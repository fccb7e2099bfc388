#include "app/VintraxApplication.h"

#include "app/Program.h"
#include "data/settings/SettingsStore.h"
#include "platform/gui/WidgetMessageBox.h"

#include <QApplication>
#include <QSettings>

#include <memory>

int runVintrax()
{
    QApplication::setOrganizationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationName(QStringLiteral("Vintrax"));
    platform::installWidgetMessageBox();

    const std::unique_ptr<QSettings> store = openSettingsStore(defaultSettingsPath());
    app::Program program(*store);
    if (!program.start())
        return 1;
    return QApplication::exec();
}
