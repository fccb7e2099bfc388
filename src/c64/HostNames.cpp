#include "c64/HostNames.h"

namespace c64 {

QByteArray cbmNameFromHost(const QString& text, int maxBytes)
{
    return text.toUpper().toLatin1().left(maxBytes);
}

} // namespace c64
