#pragma once

#include <QString>

namespace platform {

// Told when the desktop's "Open" found no program for a document or an address.
inline QString shellOpenRefusedMessage(const QString& target)
{
    return QStringLiteral("No program on this desktop could open ") + target;
}

} // namespace platform
