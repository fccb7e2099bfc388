#pragma once

#include "data/LookupKinds.h"

#include <QString>
#include <QVector>

namespace catalogue {
class Database;
}

// The entries the lookup editors offer, and which of them they select first.
namespace editing {

struct LookupEntry
{
    qint64 key = -1;
    QString text;

    bool operator==(const LookupEntry&) const = default;
};

// What a game being added (or a tune) brings along for the pre-selection: the author and copyright of the SID
// header read last.
struct AddingHints
{
    bool adding = false;
    QString author;
    QString copyright;
};

// The entries of a kind's table: the fixed lists in the order of their keys (years up to currentYear and the
// unknown year, shown as "(Unknown)"), publishers and musicians in the catalogue's order of names. When the table
// cannot be read the list is empty and error says why.
QVector<LookupEntry> lookupEntries(catalogue::Database& db, catalogue::LookupKind kind, int currentYear,
                                   QString* error = nullptr);

// The entry an editor selects when it opens; -1 for none. While adding: the musician whose name is the tune's author
// (letter case aside), the first publisher named in the copyright (letter case aside), or the first entry of a
// fixed list named in it (exact case); a name counts only as whole words there, so the players entry "1" is not
// taken from "1987". Otherwise the entry of currentKey, the value the game has now.
int preselectedEntry(catalogue::LookupKind kind, const QVector<LookupEntry>& entries, qint64 currentKey,
                     const AddingHints& hints);

// Whether needle occurs in text as whole words: no letter or digit joins it on either side.
bool occursAsWords(const QString& text, const QString& needle, Qt::CaseSensitivity cs);

// Whether the change dialog's entry may be renamed: not the placeholders "(Unknown)", "(None)", "(Not Published)".
bool entryEditable(const QString& text);

// Where a publisher or musician of this text goes in a list kept in the catalogue's order.
int sortedPosition(const QVector<LookupEntry>& entries, const QString& text);

} // namespace editing
