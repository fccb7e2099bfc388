#include "VintraxApplication.h"

#include "SingleInstance.h"
#include "WidgetMessageBox.h"
#include "frmVTRXMain.h"
#include "frmVTRXSplash.h"
#include "settings/SettingsStore.h"

#include <QApplication>
#include <QSettings>

#include <memory>

int runVintrax()
{
    QApplication::setOrganizationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationName(QStringLiteral("Vintrax"));
    platform::installWidgetMessageBox();

    const std::unique_ptr<QSettings> store = openSettingsStore(defaultSettingsPath());
    platform::SingleInstance instance;
    frmVTRXSplash splash(instance, *store);
    const std::unique_ptr<frmVTRXMain> main(splash.Form_Load());
    if (!main)
        return 1;
    return QApplication::exec();
}
