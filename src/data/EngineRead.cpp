#include "data/EngineRead.h"

#include "data/Database.h"

#include <QSqlDriver>

#include <sqlite3.h>

namespace catalogue {

namespace {

sqlite3* engineHandle(Database& db)
{
    const QVariant handle = db.sql().driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.data());
}

bool bind(sqlite3_stmt* stmt, int index, const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return sqlite3_bind_null(stmt, index) == SQLITE_OK;
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return sqlite3_bind_int64(stmt, index, v.toLongLong()) == SQLITE_OK;
    case QMetaType::Double:
        return sqlite3_bind_double(stmt, index, v.toDouble()) == SQLITE_OK;
    default:
        break;
    }
    const QByteArray text = v.toString().toUtf8();
    return sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
}

} // namespace

QString engineText(sqlite3_stmt* stmt, int i)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    return QString::fromUtf8(text, sqlite3_column_bytes(stmt, i));
}

std::optional<EngineReadEnd> readEveryRow(Database& db, const SqlQuery& query,
                                          const std::function<void(sqlite3_stmt*)>& onStart,
                                          const std::function<void(sqlite3_stmt*)>& onRow)
{
    sqlite3* handle = engineHandle(db);
    if (!handle)
        return std::nullopt;
    EngineReadEnd end;
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = query.text.toUtf8();
    const int prepared = sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &stmt, nullptr);
    if (prepared != SQLITE_OK) {
        end.error = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(stmt);
        db.noteEngineError(prepared, end.error);
        return end;
    }
    bool bound = true;
    for (int i = 0; bound && i < query.binds.size(); ++i)
        bound = bind(stmt, i + 1, query.binds[i]);
    if (onStart)
        onStart(stmt);
    int rc = SQLITE_ROW;
    while (bound && (rc = sqlite3_step(stmt)) == SQLITE_ROW)
        onRow(stmt);
    if (!bound || rc != SQLITE_DONE)
        end.error = QString::fromUtf8(sqlite3_errmsg(handle));
    sqlite3_finalize(stmt);
    if (bound && rc == SQLITE_DONE) {
        end.valid = true;
    } else if (bound && db.noteEngineError(rc, end.error)) {
        // A damaged file (which the database tells the user about) still shows the rows before the
        // damage; any other failure gives no rows.
        end.valid = true;
        end.partial = true;
    }
    return end;
}

qint64 engineDataVersion(Database& db)
{
    qint64 version = -1;
    const std::optional<EngineReadEnd> end =
        readEveryRow(db, {QStringLiteral("PRAGMA data_version"), {}}, {},
                     [&version](sqlite3_stmt* stmt) { version = sqlite3_column_int64(stmt, 0); });
    return end && end->valid && !end->partial ? version : -1;
}

} // namespace catalogue
