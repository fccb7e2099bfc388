#pragma once

#include <QByteArray>
#include <QString>

namespace c64 {

// A PC file name turned into a Commodore name: upper case (the C64's unshifted letters), one byte per character
// (characters beyond Latin-1 become '?'), cut to maxBytes.
QByteArray cbmNameFromHost(const QString& text, int maxBytes);

} // namespace c64
