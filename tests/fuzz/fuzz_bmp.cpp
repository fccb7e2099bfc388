// bmp2gif's conversion: the BMP reader, then the GIF encoder, whose output giflib reads back with every pixel's index.
#include "BmpReader.h"
#include "FuzzSupport.h"
#include "GifWriter.h"

#include <gif_lib.h>

#include <cstring>

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
    const std::vector<std::uint8_t> pixels = image.pixels;
    QByteArray gif;
    if (!encodeGif(image, &gif, &error)) {
        if (error.isEmpty())
            fuzz::fail("a failed GIF encoding without a reason");
        return 0;
    }
    int code = 0;
    const InputFunc readGif = [](GifFileType* g, GifByteType* to, int length) {
        auto* rest = static_cast<QByteArray*>(g->UserData);
        const int n = int(qMin<qsizetype>(length, rest->size()));
        std::memcpy(to, rest->constData(), size_t(n));
        rest->remove(0, n);
        return n;
    };
    GifFileType* file = DGifOpen(&gif, readGif, &code);
    const bool same = file && DGifSlurp(file) == GIF_OK && file->ImageCount == 1 &&
                      file->SavedImages[0].ImageDesc.Width == image.width &&
                      file->SavedImages[0].ImageDesc.Height == image.height &&
                      std::memcmp(file->SavedImages[0].RasterBits, pixels.data(), pixels.size()) == 0;
    DGifCloseFile(file, &code);
    if (!same)
        fuzz::fail("a GIF that does not read back as the picture");
    return 0;
}
