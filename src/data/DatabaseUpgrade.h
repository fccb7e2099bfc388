#pragma once

#include "data/PortDefaults.h"

#include <QString>

#include <functional>

namespace catalogue {

class Catalogue;

struct UpgradeResult
{
    bool ok = false;
    QString error;
    int rowsConverted = 0;
};

struct UpgradeProgress
{
    std::function<void()> schemaChanged;                          // after the fields were added
    std::function<void(const QString& game, double percent)> row; // after each game was converted
};

// Brings a catalogue of an older layout to the current one: adds the missing Games fields
// (Trained, HighScore and DocFile as well when addTrainedFields is set) and fills them for every game,
// moving port values by the port rule. Everything runs in one transaction: an upgrade that fails or
// is interrupted leaves the old layout, and the next start runs it again whole.
UpgradeResult upgradeCatalogue(Catalogue& catalogue, bool addTrainedFields, const PortDefaults& defaults,
                               const UpgradeProgress& progress = {});

} // namespace catalogue
