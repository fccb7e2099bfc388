#include "data/GameStore.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/GameFields.h"
#include "data/Schema.h"

#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace catalogue {

namespace {

const QString kGames = QStringLiteral("Games");

// One row of Games and whether each of the three stored queries lists it. The stored queries decide, so a
// catalogue whose lists select otherwise is followed as its own fill would show it; each test is one index seek.
QString listedGameSql()
{
    QString sql = QStringLiteral("SELECT g.Name, g.CCode");
    for (const QString& view : kViews)
        sql += QStringLiteral(", EXISTS (SELECT 1 FROM %1 AS v WHERE v.Name = g.Name)").arg(quoteIdentifier(view));
    return sql + QStringLiteral(" FROM Games AS g WHERE g.rowid = ?");
}

QString valueOf(const FieldValues& values, const QString& field)
{
    for (const auto& [name, value] : values)
        if (name.compare(field, Qt::CaseInsensitive) == 0)
            return value.toString();
    return {};
}

// "UPDATE Games SET a = ?, b = ? WHERE rowid IN (?, ?)" for the fields of values and that many rows.
QString updateSql(const FieldValues& values, int rows)
{
    QStringList sets;
    for (const auto& [field, value] : values)
        sets << quoteIdentifier(field) + QStringLiteral(" = ?");
    QString marks = QStringLiteral("?");
    marks += QStringLiteral(", ?").repeated(rows - 1);
    return QStringLiteral("UPDATE Games SET %1 WHERE rowid IN (%2)").arg(sets.join(QStringLiteral(", ")), marks);
}

// The rows of a bulk change that take the same values.
struct RowGroup
{
    FieldValues values;
    QVector<qint64> rowids;
};

} // namespace

int compareNames(const QString& a, const QString& b)
{
    // SQLite compares the UTF-8 bytes, folding A to Z alone; UTF-8 bytes sort as code points do. UTF-16 units sort
    // as code points once surrogates are moved above the rest of the basic plane.
    auto key = [](char16_t u) -> char32_t {
        if (u >= u'A' && u <= u'Z')
            return u + (u'a' - u'A');
        if (u >= 0xD800 && u <= 0xDFFF)
            return char32_t(u) + 0x2000;
        if (u >= 0xE000)
            return char32_t(u) - 0x800;
        return u;
    };
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t x = key(a.at(i).unicode());
        const char32_t y = key(b.at(i).unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

GameStore::GameStore(Database& db) : m_db(db) {}

GameStoreResult GameStore::refused(GameStoreError error, const QString& message) const
{
    GameStoreResult result;
    result.error = error;
    result.message = message;
    return result;
}

QString GameStore::unknownField(const FieldValues& values)
{
    const QStringList columns = m_db.columns(kGames);
    for (const auto& [field, value] : values)
        if (!columns.contains(field, Qt::CaseInsensitive))
            return field;
    return {};
}

std::optional<ListedGame> GameStore::listedGame(qint64 rowid)
{
    QSqlQuery q(m_db.sql());
    q.setForwardOnly(true);
    q.prepare(listedGameSql());
    q.addBindValue(rowid);
    if (!q.exec() || !q.next()) {
        m_db.noteEngineError(q.lastError());
        return std::nullopt;
    }
    ListedGame game;
    game.rowid = rowid;
    game.name = q.value(0).toString();
    game.colourCode = static_cast<int>(q.value(1).toLongLong() & 0x00FFFFFF);
    for (size_t i = 0; i < game.inView.size(); ++i)
        game.inView[i] = q.value(int(i) + 2).toLongLong() != 0;
    return game;
}

bool GameStore::nameTaken(const QString& name, qint64 exceptRowid)
{
    // The Name column compares without regard to case, so "=" finds every spelling through the name index.
    QSqlQuery q(m_db.sql());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT 1 FROM Games WHERE Name = ? AND rowid <> ? LIMIT 1"));
    q.addBindValue(name);
    q.addBindValue(exceptRowid);
    const bool taken = q.exec() && q.next();
    m_db.noteEngineError(q.lastError());
    return taken;
}

GameStoreResult GameStore::write(const QString& sql, const QVariantList& binds, qint64 rowid, const QString& table)
{
    QSqlQuery q(m_db.sql());
    q.prepare(sql);
    for (const QVariant& value : binds)
        q.addBindValue(value);
    if (!q.exec()) {
        m_db.noteEngineError(q.lastError());
        return refused(GameStoreError::Refused, q.lastError().text());
    }
    GameStoreResult result;
    result.rowid = rowid < 0 ? q.lastInsertId().toLongLong() : rowid;
    q.finish();
    // Names are indexed: every one of these moves rows in the order of the table.
    m_db.noteRowWrite(table, true);
    return result;
}

GameStoreResult GameStore::existing(qint64 rowid, std::optional<ListedGame>& game)
{
    if (const QString refusal = m_db.writeRefusal(); !refusal.isEmpty())
        return refused(GameStoreError::Refused, refusal);
    game = listedGame(rowid);
    if (!game)
        return refused(GameStoreError::NoSuchGame, QStringLiteral("no game %1").arg(rowid));
    GameStoreResult result;
    result.rowid = rowid;
    return result;
}

GameStoreResult GameStore::addGame(const FieldValues& values)
{
    const QString name = valueOf(values, field::Name);
    if (name.isEmpty())
        return refused(GameStoreError::EmptyName, QStringLiteral("the game has no name"));
    if (const QString unknown = unknownField(values); !unknown.isEmpty())
        return refused(GameStoreError::UnknownField, QStringLiteral("no field %1 in Games").arg(unknown));
    if (const QString refusal = m_db.writeRefusal(); !refusal.isEmpty())
        return refused(GameStoreError::Refused, refusal);
    if (nameTaken(name))
        return refused(GameStoreError::DuplicateName, QStringLiteral("'%1' already exists").arg(name));
    QStringList columns, marks;
    QVariantList binds;
    for (const auto& [field, value] : values) {
        columns << quoteIdentifier(field);
        marks << QStringLiteral("?");
        binds << value;
    }
    const GameStoreResult result = write(QStringLiteral("INSERT INTO Games (%1) VALUES (%2)")
                                             .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))),
                                         binds);
    if (!result.ok())
        return result;
    if (const std::optional<ListedGame> game = listedGame(result.rowid))
        emit gameAdded(*game);
    else
        emit gamesChanged(); // written, but not read back: the lists read their view again
    return result;
}

GameStoreResult GameStore::removeGame(qint64 rowid)
{
    std::optional<ListedGame> before;
    GameStoreResult result = existing(rowid, before);
    if (result.ok())
        result = write(QStringLiteral("DELETE FROM Games WHERE rowid = ?"), {rowid}, rowid);
    if (result.ok())
        emit gameRemoved(*before);
    return result;
}

GameStoreResult GameStore::renameGame(qint64 rowid, const QString& newName)
{
    if (newName.isEmpty())
        return refused(GameStoreError::EmptyName, QStringLiteral("the game has no name"));
    std::optional<ListedGame> before;
    GameStoreResult result = existing(rowid, before);
    if (!result.ok() || newName == before->name)
        return result;
    if (nameTaken(newName, rowid))
        return refused(GameStoreError::DuplicateName, QStringLiteral("'%1' already exists").arg(newName));
    result = write(QStringLiteral("UPDATE Games SET Name = ? WHERE rowid = ?"), {newName, rowid}, rowid);
    if (result.ok())
        announceChange(rowid, before->name);
    return result;
}

GameStoreResult GameStore::changeMany(const QVector<RowChange>& changes, Announce announce)
{
    // Rows that take the same values are written together, a few hundred rows to a statement: a reset gives every
    // game the same values, a verification one of a handful. (When a row comes twice, each change is written on
    // its own, in order, so the last one stays.)
    QVector<RowGroup> groups;
    QHash<QString, qsizetype> groupOf;
    QSet<qint64> rows;
    bool repeated = false;
    for (const RowChange& change : changes) {
        if (change.values.isEmpty())
            continue;
        repeated = repeated || rows.contains(change.rowid);
        rows.insert(change.rowid);
        if (!groups.isEmpty() && groups.last().values == change.values) {
            groups.last().rowids.append(change.rowid);
            continue;
        }
        QString key;
        for (const auto& [field, value] : change.values)
            key += field + u'\x1f' + QString::number(value.typeId()) + u'\x1f' + value.toString() + u'\x1e';
        auto it = groupOf.constFind(key);
        if (it == groupOf.constEnd()) {
            if (const QString unknown = unknownField(change.values); !unknown.isEmpty())
                return refused(GameStoreError::UnknownField, QStringLiteral("no field %1 in Games").arg(unknown));
            it = groupOf.insert(key, groups.size());
            groups.append({change.values, {}});
        }
        groups[*it].rowids.append(change.rowid);
    }
    if (repeated) {
        groups.clear();
        for (const RowChange& change : changes)
            if (!change.values.isEmpty())
                groups.append({change.values, {change.rowid}});
    }
    if (groups.isEmpty())
        return {};
    if (const QString refusal = m_db.writeRefusal(); !refusal.isEmpty())
        return refused(GameStoreError::Refused, refusal);
    if (!m_db.beginTransaction())
        return refused(GameStoreError::Refused,
                       m_db.isDamaged() ? damagedCatalogueRefusal() : m_db.sql().lastError().text());
    QString failure;
    // Fifty rows to a statement: the engine's driver looks each value's place up by a walk of all of them.
    constexpr qsizetype kRowsPerStatement = 50;
    QSqlQuery q(m_db.sql());
    QString prepared;
    for (const RowGroup& group : groups) {
        if (!failure.isEmpty())
            break;
        for (qsizetype first = 0; first < group.rowids.size() && failure.isEmpty(); first += kRowsPerStatement) {
            const QVector<qint64> chunk = group.rowids.mid(first, kRowsPerStatement);
            const QString sql = updateSql(group.values, int(chunk.size()));
            if (sql != prepared && !q.prepare(sql)) {
                failure = q.lastError().text();
                break;
            }
            prepared = sql;
            for (const auto& [field, value] : group.values)
                q.addBindValue(value);
            for (const qint64 rowid : chunk)
                q.addBindValue(rowid);
            if (!q.exec()) {
                m_db.noteEngineError(q.lastError());
                failure = q.lastError().text();
            }
        }
    }
    q.finish();
    if (failure.isEmpty() && !m_db.commit())
        failure = m_db.sql().lastError().text();
    if (!failure.isEmpty()) {
        m_db.rollback();
        return refused(GameStoreError::Refused, m_db.isDamaged() ? damagedCatalogueRefusal() : failure);
    }
    if (announce == Announce::Now)
        emit gamesChanged();
    return {};
}

GameStoreResult GameStore::removeTune(qint64 rowid)
{
    if (m_db.isDamaged())
        return refused(GameStoreError::Refused, damagedCatalogueRefusal());
    QSqlQuery q(m_db.sql());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Name, Filename FROM Music WHERE rowid = ?"));
    q.addBindValue(rowid);
    if (!q.exec() || !q.next()) {
        m_db.noteEngineError(q.lastError());
        return refused(GameStoreError::NoSuchTune, QStringLiteral("no tune %1").arg(rowid));
    }
    const ListedTune before{rowid, q.value(0).toString(), q.value(1).toString()};
    q.finish();
    const GameStoreResult result =
        write(QStringLiteral("DELETE FROM Music WHERE rowid = ?"), {rowid}, rowid, QStringLiteral("Music"));
    if (result.ok())
        emit tuneRemoved(before);
    return result;
}

void GameStore::announceChange(qint64 rowid, const QString& nameBefore)
{
    if (const std::optional<ListedGame> game = listedGame(rowid))
        emit gameChanged(nameBefore, *game);
    else
        emit gamesChanged();
}

} // namespace catalogue
