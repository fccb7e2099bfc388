#include "Catalogue.h"
#include "CatalogueStartup.h"
#include "ProgramFolder.h"
#include "WidgetMessageBox.h"
#include "settings/SettingsStore.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Vintrax"));
    QApplication::setApplicationName(QStringLiteral("Vintrax"));
    platform::installWidgetMessageBox();

    std::unique_ptr<QSettings> store = openSettingsStore(defaultSettingsPath());
    catalogue::Catalogue catalogue;
    PortDefaults ports;
    if (!openCatalogueAtStartup(catalogue, platform::catalogueFilePath(), *store, &ports))
        return 1;
    return 0;
}
