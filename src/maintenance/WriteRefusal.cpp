#include "maintenance/WriteRefusal.h"

#include "data/Database.h"
#include "platform/PathChecks.h"

#include <QDir>

namespace maintenance {

QString catalogueWriteRefusal(catalogue::Database& db)
{
    const QString unchanged = QStringLiteral("\n\nNothing has been changed.");
    if (db.isDamaged())
        return QStringLiteral("The vintrax database is damaged, so nothing more is written to it while vintrax "
                              "runs:\n%1")
                   .arg(QDir::toNativeSeparators(db.path())) +
               unchanged;
    if (platform::isReadOnlyFile(db.path()))
        return QStringLiteral("The vintrax database is read-only:\n%1\n\nMake the file writable and try again.")
                   .arg(QDir::toNativeSeparators(db.path())) +
               unchanged;
    return {};
}

} // namespace maintenance
