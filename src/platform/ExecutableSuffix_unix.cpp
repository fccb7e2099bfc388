#include "platform/ExecutableSuffix.h"

namespace platform {

QString executableSuffix()
{
    return {};
}

} // namespace platform
