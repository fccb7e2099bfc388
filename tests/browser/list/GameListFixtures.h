#pragma once

#include "data/Database.h"

#include <QString>

#include <vector>

namespace listtest {

// One game for a test catalogue: the colour code and the two availability flags follow from the
// files, as they do when the file dialogs assign them.
struct Game
{
    QString name;
    QString filename = QStringLiteral("(None)");
    QString music = QStringLiteral("(None)");
};

// Creates a new catalogue at path holding the games; returns "" on success or the failure.
QString createGames(const QString& path, const std::vector<Game>& games);

} // namespace listtest
