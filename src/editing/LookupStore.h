#pragma once

#include "data/LookupKinds.h"

#include <QString>

namespace catalogue {
class Database;
}

// The writes of the lookup editors and the tune add: a new or renamed publisher or musician, a new stand-alone tune
// and its musician. Names are checked as the catalogue compares them, without regard to letter case; a refused write
// changes nothing.
namespace editing {

struct LookupChange
{
    enum Outcome
    {
        Done,
        Unchanged, // a rename to the very same text
        EmptyName,
        Taken,   // another row has this text, letter case aside
        Refused, // the catalogue refused the write; reason says why
    };
    Outcome outcome = Refused;
    QString text; // the name as checked and stored: without blanks at either end
    qint64 key = -1;
    QString reason;

    bool done() const { return outcome == Done; }
};

// A new row of Publishers or Musicians; key is its new key.
LookupChange addLookupValue(catalogue::Database& db, catalogue::LookupKind kind, const QString& typed);
// A new text for the row of key; a change of letter case alone is no duplicate of itself. Every game pointing at
// the row shows the new text, since games store only the key.
LookupChange renameLookupValue(catalogue::Database& db, catalogue::LookupKind kind, qint64 key, const QString& typed);

// A new row of Music with the unknown musician; key is its row id.
LookupChange addTune(catalogue::Database& db, const QString& typedName, const QString& tuneFile);
// The tune's musician; the engine's reason when refused, empty when stored.
QString setTuneMusician(catalogue::Database& db, qint64 tuneRowid, qint64 musicianKey);

} // namespace editing
