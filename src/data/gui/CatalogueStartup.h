#pragma once

#include "data/PortDefaults.h"

#include <QString>

class QSettings;
class QWidget;

namespace catalogue {
class Catalogue;
}

// Opens the program's catalogue at start-up. A catalogue that cannot be used is reported with its
// message (critical, title "vinTrax") and false is returned: the program ends. A catalogue of an older
// layout is brought up to date in the upgrade window first; the default-port values it read from the
// settings store are handed back through portDefaults.
bool openCatalogueAtStartup(catalogue::Catalogue& catalogue, const QString& path, QSettings& store,
                            PortDefaults* portDefaults, QWidget* parent = nullptr);
