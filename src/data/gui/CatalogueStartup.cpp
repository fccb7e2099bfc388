#include "data/gui/CatalogueStartup.h"

#include "data/Catalogue.h"
#include "data/gui/frmDatabaseUpdate.h"
#include "data/settings/SettingsStore.h"
#include "platform/MessageBox.h"

using namespace catalogue;

bool openCatalogueAtStartup(Catalogue& cat, const QString& path, QSettings& store, PortDefaults* portDefaults,
                            QWidget* parent)
{
    // The record of the last clean check of the catalogue is kept beside the settings file.
    const OpenResult opened = cat.open(path, CleanCheckRecord::besideSettings(store.fileName()));
    if (!opened.ok()) {
        const OpenFailureMessage m = openFailureMessage(opened, path);
        platform::MessageBox::critical(m.text, m.title);
        return false;
    }
    const Layout layout = cat.probeLayout();
    if (layout == Layout::Current)
        return true;

    frmDatabaseUpdate form(
        cat, layout == Layout::LacksTrained, [&store] { return readPortDefaults(store); }, parent);
    form.exec();
    if (!form.result().ok) {
        platform::MessageBox::critical(
            QStringLiteral("vintrax could not update its database for this version:\n%1\n\n%2\n\n"
                           "The database has been left as it was.")
                .arg(path, form.result().error),
            platform::kFatalTitle);
        cat.close();
        return false;
    }
    if (portDefaults)
        *portDefaults = form.portDefaults();
    return true;
}
