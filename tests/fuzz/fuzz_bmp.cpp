// The BMP reader of bmp2gif.
#include "BmpReader.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    IndexedImage image;
    QString error;
    if (!readBmp(fuzz::bytesOf(data, size), &image, &error))
        return 0;
    // Indices beyond a short palette are allowed: the GIF writer's colour table covers them.
    if (image.width <= 0 || image.height <= 0 || image.palette.empty() ||
        image.pixels.size() != size_t(image.width) * size_t(image.height))
        fuzz::fail("a picture whose pixels do not match its size");
    return 0;
}
