#pragma once

#include <QString>

namespace catalogue {
class Catalogue;
}

// Fills a new, empty catalogue with the lookup rows (the unknown rows at their fixed keys, real
// C64 publishers, composers, genres and years around them) and the demo games.
bool fillDemoCatalogue(catalogue::Catalogue& cat, QString* error);
