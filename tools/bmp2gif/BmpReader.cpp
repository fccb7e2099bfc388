#include "BmpReader.h"

#include "BmpRle.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;

// Little-endian fields, bounds-checked against the whole file.
class Fields
{
public:
    explicit Fields(const QByteArray& file)
        : m_data(reinterpret_cast<const std::uint8_t*>(file.constData())), m_size(static_cast<std::size_t>(file.size()))
    {
    }

    std::size_t size() const { return m_size; }
    const std::uint8_t* at(std::size_t offset) const { return m_data + offset; }
    bool has(std::size_t offset, std::size_t length) const { return offset <= m_size && length <= m_size - offset; }

    std::optional<std::uint32_t> u16(std::size_t offset) const
    {
        if (!has(offset, 2))
            return std::nullopt;
        return m_data[offset] | (m_data[offset + 1] << 8);
    }
    std::optional<std::uint32_t> u32(std::size_t offset) const
    {
        if (!has(offset, 4))
            return std::nullopt;
        return m_data[offset] | (m_data[offset + 1] << 8) | (m_data[offset + 2] << 16) |
               (std::uint32_t(m_data[offset + 3]) << 24);
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

struct BmpInfo
{
    std::uint32_t headerSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top row first
    std::uint32_t planes = 0;
    std::uint32_t bitsPerPixel = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t imageSize = 0;
    std::uint32_t coloursUsed = 0;
};

bool readInfo(const Fields& f, BmpInfo* info, QString* error)
{
    const auto headerSize = f.u32(kFileHeaderSize);
    if (!headerSize) {
        *error = QStringLiteral("file too short for a BMP header");
        return false;
    }
    info->headerSize = *headerSize;
    if (!f.has(kFileHeaderSize, info->headerSize)) {
        *error = QStringLiteral("BMP header cut off");
        return false;
    }
    const std::size_t h = kFileHeaderSize;
    if (info->headerSize == kCoreHeaderSize) {
        info->width = *f.u16(h + 4);
        info->height = *f.u16(h + 6);
        info->planes = *f.u16(h + 8);
        info->bitsPerPixel = *f.u16(h + 10);
        return true;
    }
    switch (info->headerSize) {
    case 40:
    case 52:
    case 56:
    case 64:
    case 108:
    case 124:
        break;
    default:
        *error = QStringLiteral("unknown BMP header size %1").arg(info->headerSize);
        return false;
    }
    info->width = static_cast<std::int32_t>(*f.u32(h + 4));
    info->height = static_cast<std::int32_t>(*f.u32(h + 8));
    info->planes = *f.u16(h + 12);
    info->bitsPerPixel = *f.u16(h + 14);
    info->compression = *f.u32(h + 16);
    info->imageSize = *f.u32(h + 20);
    info->coloursUsed = *f.u32(h + 32);
    return true;
}

bool checkInfo(const BmpInfo& info, QString* error)
{
    if (info.planes != 1) {
        *error = QStringLiteral("damaged BMP header (%1 planes)").arg(info.planes);
        return false;
    }
    if (info.bitsPerPixel != 1 && info.bitsPerPixel != 4 && info.bitsPerPixel != 8) {
        *error = QStringLiteral("%1-bit BMPs are not supported, only 1, 4 and 8-bit palette pictures")
                     .arg(info.bitsPerPixel);
        return false;
    }
    const bool rle = info.compression == kRle8 || info.compression == kRle4;
    if (!(info.compression == kRgb || (info.compression == kRle8 && info.bitsPerPixel == 8) ||
          (info.compression == kRle4 && info.bitsPerPixel == 4))) {
        *error = QStringLiteral("BMP compression %1 is not supported with %2 bits per pixel")
                     .arg(info.compression)
                     .arg(info.bitsPerPixel);
        return false;
    }
    if (info.width <= 0 || info.height == 0 || info.width > 65535 || info.height > 65535 || info.height < -65535) {
        *error = QStringLiteral("picture size %1 x %2 is not possible in a GIF").arg(info.width).arg(info.height);
        return false;
    }
    if (rle && info.height < 0) {
        *error = QStringLiteral("damaged BMP header (compressed pictures cannot be stored top row first)");
        return false;
    }
    if (static_cast<std::uint64_t>(info.width) * static_cast<std::uint64_t>(std::abs(info.height)) > kMaxPixels) {
        *error = QStringLiteral("picture too large");
        return false;
    }
    if (info.coloursUsed > (1u << info.bitsPerPixel)) {
        *error = QStringLiteral("damaged BMP header (%1 colours in a %2-bit picture)")
                     .arg(info.coloursUsed)
                     .arg(info.bitsPerPixel);
        return false;
    }
    return true;
}

// Reads the palette; returns where it ends.
bool readPalette(const Fields& f, const BmpInfo& info, std::uint32_t dataOffset, IndexedImage* image,
                 std::size_t* paletteEnd, QString* error)
{
    const bool core = info.headerSize == kCoreHeaderSize;
    const std::size_t entrySize = core ? 3 : 4;
    const std::size_t start = kFileHeaderSize + info.headerSize;
    std::size_t count = info.coloursUsed ? info.coloursUsed : (1u << info.bitsPerPixel);
    // OS/2 1.x files have no colour count; some keep fewer entries, which the pixel offset then shows.
    if (core && dataOffset > start && dataOffset < start + count * entrySize)
        count = (dataOffset - start) / entrySize;
    if (count == 0 || !f.has(start, count * entrySize)) {
        *error = QStringLiteral("BMP palette cut off");
        return false;
    }
    image->palette.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* e = f.at(start + i * entrySize);
        image->palette[i] = {e[2], e[1], e[0]};
    }
    *paletteEnd = start + count * entrySize;
    return true;
}

void unpackRows(const std::uint8_t* data, std::size_t stride, int bitsPerPixel, bool topDown, IndexedImage& image)
{
    const std::size_t width = static_cast<std::size_t>(image.width);
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t* row = data + static_cast<std::size_t>(y) * stride;
        const int target = topDown ? y : image.height - 1 - y;
        std::uint8_t* out = image.pixels.data() + static_cast<std::size_t>(target) * width;
        for (std::size_t x = 0; x < width; ++x) {
            if (bitsPerPixel == 8) {
                out[x] = row[x];
            } else if (bitsPerPixel == 4) {
                out[x] = (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
            } else {
                out[x] = (row[x / 8] >> (7 - x % 8)) & 1;
            }
        }
    }
}

} // namespace

bool readBmp(const QByteArray& file, IndexedImage* image, QString* error)
{
    const Fields f(file);
    if (f.size() < 2 || f.at(0)[0] != 'B' || f.at(0)[1] != 'M') {
        *error = QStringLiteral("not a BMP file");
        return false;
    }
    const auto dataOffset = f.u32(10);
    if (!dataOffset) {
        *error = QStringLiteral("file too short for a BMP header (%1 bytes)").arg(f.size());
        return false;
    }
    BmpInfo info;
    if (!readInfo(f, &info, error) || !checkInfo(info, error))
        return false;
    std::size_t paletteEnd = 0;
    if (!readPalette(f, info, *dataOffset, image, &paletteEnd, error))
        return false;

    image->width = static_cast<int>(info.width);
    image->height = static_cast<int>(std::abs(info.height));
    image->pixels.assign(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height), 0);
    const bool offsetSensible = *dataOffset >= paletteEnd && *dataOffset < f.size();
    const std::size_t start = offsetSensible ? *dataOffset : paletteEnd;
    const std::size_t available = f.size() - std::min(start, f.size());

    if (info.compression != kRgb) {
        std::size_t size = available;
        if (info.imageSize != 0) {
            if (info.imageSize > available) {
                *error = QStringLiteral("file is shorter than its header says (cut off?)");
                return false;
            }
            size = info.imageSize;
        }
        return decodeRle(f.at(start), size, static_cast<int>(info.bitsPerPixel), *image, error);
    }
    const std::size_t stride = ((static_cast<std::size_t>(image->width) * info.bitsPerPixel + 31) / 32) * 4;
    const std::size_t needed = stride * static_cast<std::size_t>(image->height);
    if (needed > available) {
        *error = QStringLiteral("file is shorter than its header says: %1 bytes of pixels needed, %2 found")
                     .arg(needed)
                     .arg(available);
        return false;
    }
    unpackRows(f.at(start), stride, static_cast<int>(info.bitsPerPixel), info.height < 0, *image);
    return true;
}
