#include "editing/LookupLists.h"

#include "data/CatalogueNames.h"
#include "data/Database.h"
#include "data/GameStore.h"
#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace editing {

using catalogue::LookupKind;

namespace {

bool isOpenList(LookupKind kind)
{
    return kind == LookupKind::Publisher || kind == LookupKind::Musician;
}

bool joinsWord(QChar c)
{
    return c.isLetterOrNumber();
}

} // namespace

QVector<LookupEntry> lookupEntries(catalogue::Database& db, LookupKind kind, int currentYear, QString* error)
{
    const catalogue::LookupInfo& info = catalogue::lookupInfo(kind);
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    const bool read =
        q.exec(QStringLiteral("SELECT %1, %2 FROM %3 ORDER BY %1")
                   .arg(catalogue::quoteIdentifier(info.keyField), catalogue::quoteIdentifier(info.textField),
                        catalogue::quoteIdentifier(info.table)));
    QVector<LookupEntry> entries;
    while (read && q.next()) {
        if (kind == LookupKind::Year && !catalogue::yearOffered(q.value(1).toLongLong(), currentYear))
            continue;
        entries.append({q.value(0).toLongLong(), catalogue::lookupValueText(kind, q.value(1))});
    }
    if (!read || q.lastError().isValid()) {
        db.noteEngineError(q.lastError());
        if (error)
            *error = q.lastError().text();
        return {};
    }
    if (isOpenList(kind))
        std::stable_sort(entries.begin(), entries.end(), [](const LookupEntry& a, const LookupEntry& b) {
            return catalogue::compareNames(a.text, b.text) < 0;
        });
    return entries;
}

bool occursAsWords(const QString& text, const QString& needle, Qt::CaseSensitivity cs)
{
    if (needle.isEmpty())
        return false;
    for (qsizetype at = text.indexOf(needle, 0, cs); at >= 0; at = text.indexOf(needle, at + 1, cs)) {
        const qsizetype end = at + needle.size();
        const bool joinedBefore = at > 0 && joinsWord(needle.front()) && joinsWord(text.at(at - 1));
        const bool joinedAfter = end < text.size() && joinsWord(needle.back()) && joinsWord(text.at(end));
        if (!joinedBefore && !joinedAfter)
            return true;
    }
    return false;
}

int preselectedEntry(LookupKind kind, const QVector<LookupEntry>& entries, qint64 currentKey, const AddingHints& hints)
{
    auto first = [&entries](auto&& matches) {
        const auto it = std::find_if(entries.begin(), entries.end(), matches);
        return it == entries.end() ? -1 : int(it - entries.begin());
    };
    if (hints.adding) {
        int found = -1;
        if (kind == LookupKind::Musician)
            found = hints.author.isEmpty() ? -1 : first([&hints](const LookupEntry& e) {
                return e.text.compare(hints.author, Qt::CaseInsensitive) == 0;
            });
        else
            found = first([&hints, kind](const LookupEntry& e) {
                return occursAsWords(hints.copyright, e.text,
                                     kind == LookupKind::Publisher ? Qt::CaseInsensitive : Qt::CaseSensitive);
            });
        if (found >= 0)
            return found;
    }
    return first([currentKey](const LookupEntry& e) { return e.key == currentKey; });
}

bool entryEditable(const QString& text)
{
    return text != catalogue::kUnknown && text != catalogue::kNone && text != QStringLiteral("(Not Published)");
}

int sortedPosition(const QVector<LookupEntry>& entries, const QString& text)
{
    const auto it = std::upper_bound(entries.begin(), entries.end(), text, [](const QString& t, const LookupEntry& e) {
        return catalogue::compareNames(t, e.text) < 0;
    });
    return int(it - entries.begin());
}

} // namespace editing
