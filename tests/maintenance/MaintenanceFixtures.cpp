#include "MaintenanceFixtures.h"

#include "CatalogueFixtures.h"

namespace maintenancetest {

QString catalogueOf(const QString& folder, const QStringList& games)
{
    const QString path = testsupport::catalogueFromScript(folder, QStringLiteral("catalogue_current.sql"));
    QString sql = QStringLiteral("DELETE FROM Games;");
    for (const QString& game : games) {
        QStringList values = game.split(u'|');
        for (QString& v : values)
            v = u'\'' + v.replace(u'\'', QStringLiteral("''")) + u'\'';
        sql += QStringLiteral("INSERT INTO Games (Name, Filename, \"Music Filename\", FA, SA) VALUES (%1);")
                   .arg(values.join(u','));
    }
    return path.isEmpty() || !testsupport::sqliteShell(path, sql).isEmpty() ? QString() : path;
}

QStringList runToEnd(maintenance::SteppedRun& run, int* steps)
{
    QStringList lines;
    for (int n = 1; !run.done(); ++n) {
        run.step(QDeadlineTimer(0));
        for (const maintenance::ReportRow& row : run.takeRows())
            lines << row[0] + u'|' + row[1] + u'|' + row[2];
        if (steps)
            *steps = n;
    }
    return lines;
}

} // namespace maintenancetest
