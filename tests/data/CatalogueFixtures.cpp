#include "CatalogueFixtures.h"

#include "ProcessRunner.h"

#include <QDir>
#include <QFile>

namespace testsupport {

QString catalogueFromScript(const QString& folder, const QString& scriptName, const QString& fileName)
{
    const QString db = QDir(folder).filePath(fileName);
    const QString script = QDir(QStringLiteral(VINTRAX_TEST_DATA_DIR)).filePath(scriptName);
    const RunResult r = runOracle(QStringLiteral("sqlite3"),
                                  {QStringLiteral("-bail"), db, QStringLiteral(".read '%1'").arg(script)}, folder);
    if (!r.started || r.exitCode != 0 || !r.err.isEmpty()) {
        qWarning("sqlite3 failed: %s", r.err.constData());
        return {};
    }
    return db;
}

QString catalogueOfFourteenGames(const QString& folder)
{
    const QString path = catalogueFromScript(folder, QStringLiteral("catalogue_current.sql"));
    sqliteShell(path, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10) "
                                     "INSERT INTO Games (Name, CCode, Filename, FA, SA, \"Personal Comment\") "
                                     "SELECT printf('Game %02d', i), 0, 'game.d64', 1, 0, hex(zeroblob(700)) FROM n"));
    return path;
}

QString sqliteShell(const QString& dbPath, const QString& sql)
{
    const RunResult r = runOracle(QStringLiteral("sqlite3"), {dbPath, sql}, QDir::tempPath());
    return QString::fromUtf8(r.out).trimmed();
}

QString playComment(qint64 timesPlayed)
{
    return QString(int(1000 + timesPlayed % 7 * 1500), QChar(u'a' + char16_t(timesPlayed % 26)));
}

bool damageTablePage(const QString& dbPath, const QString& table, const QString& containing)
{
    const int pageSize = sqliteShell(dbPath, QStringLiteral("PRAGMA page_size")).toInt();
    const QStringList pages =
        sqliteShell(dbPath,
                    QStringLiteral("SELECT pageno FROM dbstat WHERE name = '%1' AND pagetype = 'leaf'").arg(table))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QFile file(dbPath);
    if (pageSize <= 0 || !file.open(QIODevice::ReadWrite))
        return false;
    for (const QString& page : pages) {
        const qint64 offset = qint64(page.toInt() - 1) * pageSize;
        file.seek(offset);
        if (!file.read(pageSize).contains(containing.toUtf8()))
            continue;
        file.seek(offset);
        file.write(QByteArray(pageSize, '\xA5'));
        // Offsets 24 and 92: the change counter and the number it was valid for. A connection that has the
        // file open sees the change and reads its pages again.
        file.seek(24);
        QByteArray counter = file.read(4);
        counter[3] = char(counter[3] + 1);
        file.seek(24);
        file.write(counter);
        file.seek(92);
        file.write(counter);
        return file.flush();
    }
    return false;
}

} // namespace testsupport
