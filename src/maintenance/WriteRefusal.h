#pragma once

#include <QString>

namespace catalogue {
class Database;
}

namespace maintenance {

// Why the verification or a reset must not start: the catalogue file became read-only since the start (its
// permission bits grant write to nobody; root could still write it, but the user has asked that it stay as it
// is), or it was found damaged. The message the user is told; empty when the run may start.
QString catalogueWriteRefusal(catalogue::Database& db);

} // namespace maintenance
