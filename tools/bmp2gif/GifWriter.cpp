#include "GifWriter.h"

#include <gif_lib.h>

#include <algorithm>

namespace {

int writeToBuffer(GifFileType* gif, const GifByteType* data, int length)
{
    static_cast<QByteArray*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
    return length;
}

QString gifError(int code)
{
    const char* text = GifErrorString(code);
    return QStringLiteral("GIF encoding failed: %1").arg(QString::fromLatin1(text ? text : "unknown error"));
}

} // namespace

bool encodeGif(IndexedImage& image, QByteArray* gif, QString* error)
{
    std::size_t colours = std::max<std::size_t>(image.palette.size(), 2);
    for (std::uint8_t index : image.pixels)
        colours = std::max<std::size_t>(colours, index + 1u);
    int bits = 1;
    while ((std::size_t(1) << bits) < colours)
        ++bits;

    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    if (!map) {
        *error = QStringLiteral("out of memory");
        return false;
    }
    for (int i = 0; i < map->ColorCount; ++i) {
        const PaletteEntry e = std::size_t(i) < image.palette.size() ? image.palette[i] : PaletteEntry{};
        map->Colors[i] = {e.red, e.green, e.blue};
    }

    int code = 0;
    GifFileType* file = EGifOpen(gif, writeToBuffer, &code);
    if (!file) {
        GifFreeMapObject(map);
        *error = gifError(code);
        return false;
    }
    bool ok = EGifPutScreenDesc(file, image.width, image.height, bits, 0, map) == GIF_OK &&
              EGifPutImageDesc(file, 0, 0, image.width, image.height, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < image.height; ++y)
        ok = EGifPutLine(file, image.pixels.data() + static_cast<std::size_t>(y) * image.width, image.width) == GIF_OK;
    if (!ok)
        code = file->Error;
    GifFreeMapObject(map);
    int closeCode = 0;
    if (EGifCloseFile(file, &closeCode) != GIF_OK && ok) {
        ok = false;
        code = closeCode;
    }
    if (!ok)
        *error = gifError(code);
    return ok;
}
