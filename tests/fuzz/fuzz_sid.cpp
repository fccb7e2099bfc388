// The PSID header reader on the bytes and on a file: both read alike, a text never exceeds its 31 bytes, and the
// numbers stay within two unsigned bytes.
#include "FuzzSupport.h"
#include "c64/SidHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<c64::SidHeaderFields> fields = c64::parseSidHeader(fuzz::bytesOf(data, size));
    QString name, author, copyright;
    int start = -1, songs = -1;
    if (c64::ReadSidHeader(fuzz::scratchFile(QStringLiteral("tune.sid"), data, size), name, author, copyright, start,
                           songs) != fields.has_value() ||
        (fields && (name != fields->name || author != fields->author || songs != fields->songs)))
        fuzz::fail("the file and the bytes read differently");
    if (name.size() > 31 || author.size() > 31 || copyright.size() > 31)
        fuzz::fail("a header text longer than its field", name + author + copyright);
    if (songs > 0xFFFF || start > 0xFFFF || (fields && (songs < 0 || start < 0)))
        fuzz::fail("a song number outside two bytes");
    return 0;
}
