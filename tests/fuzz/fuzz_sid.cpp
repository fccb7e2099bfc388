// The PSID header reader, on the bytes and on a file: a text never exceeds its 31 bytes, and the numbers stay
// within two unsigned bytes.
#include "FuzzSupport.h"
#include "c64/SidHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<c64::SidHeaderFields> fields = c64::parseSidHeader(fuzz::bytesOf(data, size));
    if (fields) {
        for (const QString& text : {fields->name, fields->author, fields->copyright})
            if (text.size() > 31)
                fuzz::fail("a header text longer than its field", text);
        if (fields->songs < 0 || fields->songs > 0xFFFF || fields->startSong < 0 || fields->startSong > 0xFFFF)
            fuzz::fail("a song number outside two bytes");
    }
    QString name, author, copyright;
    int start = -1, songs = -1;
    const bool read = c64::ReadSidHeader(fuzz::scratchFile(QStringLiteral("tune.sid"), data, size), name, author,
                                         copyright, start, songs);
    if (read != fields.has_value() || (read && (name != fields->name || songs != fields->songs)))
        fuzz::fail("the file and the bytes read differently");
    if (!read && (start != -1 || songs != -1 || !name.isEmpty()))
        fuzz::fail("a failed read changed its out-values");
    return 0;
}
