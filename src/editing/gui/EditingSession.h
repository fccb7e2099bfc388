#pragma once

#include <QString>

// What the editing commands share while an add runs: the lookup editors pre-select from the tune's header while a
// game or a tune is being added, and the musician editor writes the new tune's row in the tune's add.
namespace editing {

struct EditingSession
{
    bool addingGame = false;
    qint64 newTune = -1; // the Music row being added, -1 outside the tune's add
    QString newTuneName;

    bool addingTune() const { return newTune >= 0; }
};

} // namespace editing
