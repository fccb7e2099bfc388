// The T64 reader: the directory, every entry's data, and the listing of a tape file.
#include "FuzzSupport.h"
#include "c64/ImageListing.h"
#include "c64/T64Image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray tape = fuzz::bytesOf(data, size);
    if (const std::optional<c64::T64Directory> dir = c64::T64Directory::parse(tape)) {
        c64::t64NameText(dir->tapeName);
        for (int i = 0; i < dir->entries.size(); ++i) {
            c64::t64NameText(dir->entries[i].name);
            if (const std::optional<QByteArray> file = c64::t64FileData(tape, *dir, i); file && file->size() < 2)
                fuzz::fail("an entry's data lacks its load address");
        }
    }
    c64::listImage(fuzz::scratchFile(QStringLiteral("tape.t64"), data, size));
    return 0;
}
