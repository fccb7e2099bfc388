#include "editing/LookupStore.h"

#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/Database.h"
#include "data/GameFields.h"
#include "data/Recordset.h"
#include "data/Schema.h"
#include "editing/FieldRules.h"

#include <QSqlError>
#include <QSqlQuery>

#include <optional>

namespace editing {

namespace {

const QString kMusic = QStringLiteral("Music");

// Whether a row other than exceptKey has this text in the field, compared as the catalogue compares names.
// A failed read counts as taken, so nothing is written on a guess.
bool taken(catalogue::Database& db, const QString& table, const QString& keyField, const QString& textField,
           const QString& text, qint64 exceptKey)
{
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ? COLLATE NOCASE AND %3 <> ? LIMIT 1")
                  .arg(catalogue::quoteIdentifier(table), catalogue::quoteIdentifier(textField),
                       catalogue::quoteIdentifier(keyField)));
    q.addBindValue(text);
    q.addBindValue(exceptKey);
    if (!q.exec()) {
        db.noteEngineError(q.lastError());
        return true;
    }
    return q.next();
}

LookupChange outcome(LookupChange::Outcome o, const QString& text, const QString& reason = {})
{
    LookupChange change;
    change.outcome = o;
    change.text = text;
    change.reason = reason;
    return change;
}

// The checks every name goes through before it is written.
std::optional<LookupChange> refusal(catalogue::Database& db, const QString& table, const QString& keyField,
                                    const QString& textField, const QString& text, qint64 exceptKey)
{
    if (text.isEmpty())
        return outcome(LookupChange::EmptyName, text);
    if (const QString why = db.writeRefusal(); !why.isEmpty())
        return outcome(LookupChange::Refused, text, why);
    if (taken(db, table, keyField, textField, text, exceptKey))
        return outcome(LookupChange::Taken, text);
    return std::nullopt;
}

// Adds one row with these values; its row id comes back as the key.
LookupChange addRow(catalogue::Database& db, const QString& table, const catalogue::FieldValues& values,
                    const QString& text)
{
    catalogue::Recordset rs(db, table);
    bool ok = rs.addNew();
    for (const auto& [field, value] : values)
        ok = ok && rs.setValue(field, value);
    if (!ok || !rs.update()) {
        rs.cancelUpdate();
        return outcome(LookupChange::Refused, text, rs.lastError());
    }
    LookupChange change = outcome(LookupChange::Done, text);
    change.key = rs.lastModified();
    return change;
}

} // namespace

LookupChange addLookupValue(catalogue::Database& db, catalogue::LookupKind kind, const QString& typed)
{
    const catalogue::LookupInfo& info = catalogue::lookupInfo(kind);
    const QString text = enteredName(typed);
    if (auto refused = refusal(db, info.table, info.keyField, info.textField, text, -1))
        return *refused;
    return addRow(db, info.table, {{info.textField, text}}, text);
}

LookupChange renameLookupValue(catalogue::Database& db, catalogue::LookupKind kind, qint64 key, const QString& typed)
{
    const catalogue::LookupInfo& info = catalogue::lookupInfo(kind);
    const QString text = enteredName(typed);
    catalogue::Recordset rs(db, info.table);
    if (!rs.setBookmark(key))
        return outcome(LookupChange::Refused, text, QStringLiteral("the entry is no longer in the database"));
    if (!text.isEmpty() && rs.text(info.textField) == text)
        return outcome(LookupChange::Unchanged, text);
    if (auto refused = refusal(db, info.table, info.keyField, info.textField, text, key))
        return *refused;
    if (!catalogue::writeFields(rs, {{info.textField, text}}))
        return outcome(LookupChange::Refused, text, rs.lastError());
    LookupChange change = outcome(LookupChange::Done, text);
    change.key = key;
    return change;
}

LookupChange addTune(catalogue::Database& db, const QString& typedName, const QString& tuneFile)
{
    namespace f = catalogue::field;
    const QString name = enteredName(typedName);
    if (auto refused = refusal(db, kMusic, QStringLiteral("rowid"), f::Name, name, -1))
        return *refused;
    return addRow(db, kMusic, {{f::Name, name}, {f::Filename, tuneFile}, {f::MU_Id, catalogue::kUnknownMusicianKey}},
                  name);
}

QString setTuneMusician(catalogue::Database& db, qint64 tuneRowid, qint64 musicianKey)
{
    catalogue::Recordset rs(db, kMusic);
    if (!rs.setBookmark(tuneRowid))
        return QStringLiteral("the tune is no longer in the database");
    return catalogue::writeFields(rs, {{catalogue::field::MU_Id, musicianKey}}) ? QString() : rs.lastError();
}

} // namespace editing
