#include "data/Schema.h"

#include "data/Database.h"
#include "data/LookupKinds.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace catalogue {

QString schemaScript()
{
    return QStringLiteral(R"SQL(
CREATE TABLE Publishers (
    PU_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Publisher VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX Publishers_Publisher ON Publishers (Publisher);

CREATE TABLE Years (
    YE_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Year INTEGER
);

CREATE TABLE Musicians (
    MU_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Name VARCHAR(100) COLLATE NOCASE
);
CREATE INDEX Musicians_Name ON Musicians (Name);

CREATE TABLE Genres (
    GE_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Genre VARCHAR(50) COLLATE NOCASE
);

CREATE TABLE Difficulty (
    DI_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    DIFFICULTY VARCHAR(50) COLLATE NOCASE
);

CREATE TABLE Players (
    PL_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    "Number of Players" VARCHAR(50) COLLATE NOCASE
);

CREATE TABLE Ratings (
    RA_Id INTEGER PRIMARY KEY AUTOINCREMENT,
    Rating VARCHAR(50) COLLATE NOCASE
);

CREATE TABLE Music (
    Name VARCHAR(255) COLLATE NOCASE,
    Filename VARCHAR(255) COLLATE NOCASE,
    MU_Id INTEGER
);
CREATE UNIQUE INDEX Music_Name ON Music (Name);

CREATE TABLE Games (
    Name VARCHAR(255) COLLATE NOCASE,
    CCode INTEGER,
    Filename VARCHAR(255) COLLATE NOCASE,
    "Filename Index" INTEGER,
    "Music Filename" VARCHAR(255) COLLATE NOCASE,
    "Screenshot Filename" VARCHAR(255) COLLATE NOCASE,
    DocFile VARCHAR(255) COLLATE NOCASE,
    Trained INTEGER,
    HighScore VARCHAR(30) COLLATE NOCASE,
    "Personal Comment" TEXT COLLATE NOCASE,
    TimesPlayed INTEGER,
    DateLastPlayed VARCHAR(10) COLLATE NOCASE,
    FA BOOLEAN,
    SA BOOLEAN,
    PU_Id INTEGER,
    "Year Published" INTEGER,
    MU_Id INTEGER,
    GE_Id INTEGER,
    PL_Id INTEGER,
    DI_Id INTEGER,
    RA_Id INTEGER,
    UseDefault BOOLEAN,
    DirectX BOOLEAN,
    Port1Joy INTEGER,
    Port2Joy INTEGER,
    Port1Key INTEGER,
    Port2Key INTEGER,
    V2Port1Joy INTEGER,
    V2Port2Joy INTEGER,
    V2Port1Key INTEGER,
    V2Port2Key INTEGER
);
CREATE UNIQUE INDEX Games_Name ON Games (Name);

CREATE VIEW "Game Name List" AS
    SELECT Games.Name, Games.CCode FROM Games ORDER BY Games.Name;
CREATE VIEW "Game Only List" AS
    SELECT Games.Name, Games.CCode FROM Games WHERE Games.FA <> 0 ORDER BY Games.Name;
CREATE VIEW "Music Only List" AS
    SELECT Games.Name, Games.CCode FROM Games WHERE Games.SA <> 0 ORDER BY Games.Name;

PRAGMA user_version = 3;
)SQL");
}

namespace {

QStringList splitStatements(const QString& script)
{
    // The scripts here hold no ';' inside literals, so a plain split is enough.
    QStringList out;
    for (const QString& part : script.split(QLatin1Char(';'))) {
        const QString s = part.trimmed();
        if (!s.isEmpty())
            out << s;
    }
    return out;
}

} // namespace

bool runScript(QSqlDatabase& db, const QString& script, QString* error)
{
    if (!db.transaction()) {
        if (error)
            *error = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    for (const QString& statement : splitStatements(script)) {
        if (!q.exec(statement)) {
            if (error)
                *error = q.lastError().text() + QStringLiteral(" in: ") + statement.left(80);
            q.finish();
            db.rollback();
            return false;
        }
    }
    q.finish();
    if (!db.commit()) {
        if (error)
            *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

bool createCatalogue(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        if (error)
            *error = QStringLiteral("%1 already exists").arg(path);
        return false;
    }
    const QString connection = QStringLiteral("vintrax-create-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open() && runScript(db, schemaScript(), error);
        if (!db.isOpen() && error)
            *error = db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

IndexColumn indexColumn(const QString& table, const QString& indexName)
{
    struct Entry
    {
        const char* table;
        const char* index;
        const char* column;
        bool isRowid;
        bool unique;
    };
    static const Entry entries[] = {
        {"Games", "Name", "Name", false, true},
        {"Music", "Name", "Name", false, true},
        {"Musicians", "Name", "Name", false, false},
        {"Musicians", "MU_Id", "MU_Id", true, true},
        {"Publishers", "Publisher", "Publisher", false, false},
        {"Publishers", "PU_Id", "PU_Id", true, true},
        {"Years", "YE_Id", "YE_Id", true, true},
        {"Genres", "GE_Id", "GE_Id", true, true},
        {"Difficulty", "DI_Id", "DI_Id", true, true},
        {"Players", "PL_Id", "PL_Id", true, true},
        {"Ratings", "RA_Id", "RA_Id", true, true},
    };
    for (const Entry& e : entries) {
        if (table.compare(QLatin1String(e.table), Qt::CaseInsensitive) == 0 &&
            indexName.compare(QLatin1String(e.index), Qt::CaseInsensitive) == 0)
            return {QString::fromLatin1(e.column), e.isRowid, e.unique};
    }
    return {};
}

QString sqliteIndexName(const QString& table, const QString& indexName)
{
    const IndexColumn ic = indexColumn(table, indexName);
    if (ic.column.isEmpty() || ic.isRowid)
        return {};
    return table + QLatin1Char('_') + indexName;
}

bool createLookupIndexes(Database& db)
{
    bool made = true;
    for (const LookupInfo& kind : lookupKinds()) {
        const QString name =
            QStringLiteral("Games_") + QString(kind.gameField).replace(QLatin1Char(' '), QLatin1Char('_'));
        made = db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON Games (%2)")
                           .arg(quoteIdentifier(name), quoteIdentifier(kind.gameField))) &&
               made;
    }
    return made;
}

QString quoteIdentifier(const QString& name)
{
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

} // namespace catalogue
