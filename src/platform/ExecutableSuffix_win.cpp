#include "platform/ExecutableSuffix.h"

namespace platform {

QString executableSuffix()
{
    return QStringLiteral(".exe");
}

} // namespace platform
