#pragma once

#include "maintenance/SteppedRun.h"

#include <QString>
#include <QStringList>

namespace maintenancetest {

// A catalogue (made by the sqlite3 shell from the hand-written script) in folder whose Games table holds only
// these games, each "Name|Filename|Music Filename|FA|SA"; its path, "" on failure.
QString catalogueOf(const QString& folder, const QStringList& games);

// Runs to its end, one step at a time (each step as short as can be); the report as "type|name|detail" lines.
QStringList runToEnd(maintenance::SteppedRun& run, int* steps = nullptr);

} // namespace maintenancetest
