// The D64 reader: a whole image in memory (directory, every file's chain) and the listing that reads an
// image file sector by sector.
#include "FuzzSupport.h"
#include "c64/D64Image.h"
#include "c64/ImageListing.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (const std::optional<c64::D64Image> image = c64::D64Image::fromBytes(fuzz::bytesOf(data, size))) {
        image->diskNameBytes();
        image->diskId();
        for (const c64::d64::DirEntry& entry : image->directory().entries)
            image->readFile(entry);
    }
    c64::listImage(fuzz::scratchFile(QStringLiteral("image.d64"), data, size));
    return 0;
}
