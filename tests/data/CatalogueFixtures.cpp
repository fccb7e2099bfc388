#include "CatalogueFixtures.h"

#include "ProcessRunner.h"

#include <QDir>

namespace testsupport {

QString catalogueFromScript(const QString& folder, const QString& scriptName, const QString& fileName)
{
    const QString db = QDir(folder).filePath(fileName);
    const QString script = QDir(QStringLiteral(VINTRAX_TEST_DATA_DIR)).filePath(scriptName);
    const RunResult r = runOracle(QStringLiteral("sqlite3"), {QStringLiteral("-bail"), db,
                                                               QStringLiteral(".read '%1'").arg(script)},
                                  folder);
    if (!r.started || r.exitCode != 0 || !r.err.isEmpty()) {
        qWarning("sqlite3 failed: %s", r.err.constData());
        return {};
    }
    return db;
}

QString sqliteShell(const QString& dbPath, const QString& sql)
{
    const RunResult r = runOracle(QStringLiteral("sqlite3"), {dbPath, sql}, QDir::tempPath());
    return QString::fromUtf8(r.out).trimmed();
}

} // namespace testsupport
