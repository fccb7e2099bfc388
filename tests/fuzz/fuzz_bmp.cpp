// bmp2gif's conversion: the BMP reader, then the GIF encoder, whose output giflib reads back with every pixel's index.
#include "BmpReader.h"
#include "FuzzSupport.h"
#include "GifWriter.h"

#include <gif_lib.h>

#include <cstring>

namespace {

struct GifInput
{
    const QByteArray* bytes;
    qsizetype at = 0;
};

int readFromBuffer(GifFileType* gif, GifByteType* data, int length)
{
    auto* in = static_cast<GifInput*>(gif->UserData);
    const int n = int(qMin<qsizetype>(length, in->bytes->size() - in->at));
    std::memcpy(data, in->bytes->constData() + in->at, size_t(n));
    in->at += n;
    return n;
}

// Whether the GIF holds one picture of the image's size with the image's indices.
bool readsBack(const QByteArray& gif, const IndexedImage& image)
{
    GifInput in{&gif};
    int code = 0;
    GifFileType* file = DGifOpen(&in, readFromBuffer, &code);
    if (!file)
        return false;
    const bool ok = DGifSlurp(file) == GIF_OK && file->ImageCount == 1 && file->SWidth == image.width &&
                    file->SHeight == image.height && file->SavedImages[0].ImageDesc.Width == image.width &&
                    file->SavedImages[0].ImageDesc.Height == image.height &&
                    std::memcmp(file->SavedImages[0].RasterBits, image.pixels.data(), image.pixels.size()) == 0;
    DGifCloseFile(file, &code);
    return ok;
}

} // namespace

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
    const IndexedImage read = image;
    QByteArray gif;
    if (!encodeGif(image, &gif, &error)) {
        if (error.isEmpty())
            fuzz::fail("a failed GIF encoding without a reason");
        return 0;
    }
    if (!readsBack(gif, read))
        fuzz::fail("a GIF that does not read back as the picture", QStringLiteral("%1 x %2").arg(read.width).arg(read.height));
    return 0;
}
