#include "BmpRle.h"

namespace {

class RleCursor
{
public:
    RleCursor(IndexedImage& image) : m_image(image) {}

    // Room for count more pixels in the current row, inside the picture.
    bool fits(std::size_t count) const
    {
        return m_y < m_image.height && m_x + count <= static_cast<std::size_t>(m_image.width);
    }
    void put(std::uint8_t index)
    {
        const std::size_t row = static_cast<std::size_t>(m_image.height - 1 - m_y);
        m_image.pixels[row * static_cast<std::size_t>(m_image.width) + m_x++] = index;
    }
    void nextLine()
    {
        m_x = 0;
        ++m_y;
    }
    bool move(unsigned dx, unsigned dy)
    {
        m_x += dx;
        m_y += static_cast<int>(dy);
        return m_x <= static_cast<std::size_t>(m_image.width) && m_y <= m_image.height;
    }

private:
    IndexedImage& m_image;
    std::size_t m_x = 0;
    int m_y = 0; // counted from the bottom row
};

// The index of pixel i of a run whose two 4-bit indices alternate (RLE4), or of the one 8-bit index (RLE8).
std::uint8_t runIndex(std::uint8_t value, std::size_t i, int bitsPerPixel)
{
    if (bitsPerPixel == 8)
        return value;
    return (i % 2 == 0) ? value >> 4 : value & 0x0F;
}

} // namespace

bool decodeRle(const std::uint8_t* data, std::size_t size, int bitsPerPixel, IndexedImage& image, QString* error)
{
    RleCursor cursor(image);
    std::size_t p = 0;
    for (;;) {
        if (p + 2 > size) {
            *error = QStringLiteral("RLE data ends before its end-of-bitmap code (file cut off?)");
            return false;
        }
        const std::uint8_t count = data[p];
        const std::uint8_t value = data[p + 1];
        p += 2;
        if (count > 0) {
            if (!cursor.fits(count)) {
                *error = QStringLiteral("RLE run leaves the picture (damaged file)");
                return false;
            }
            for (std::size_t i = 0; i < count; ++i)
                cursor.put(runIndex(value, i, bitsPerPixel));
            continue;
        }
        switch (value) {
        case 0:
            cursor.nextLine();
            break;
        case 1:
            return true;
        case 2:
            if (p + 2 > size || !cursor.move(data[p], data[p + 1])) {
                *error = QStringLiteral("RLE position change leaves the picture (damaged file)");
                return false;
            }
            p += 2;
            break;
        default: {
            // Literal pixels, padded to a 16-bit boundary.
            const std::size_t bytes = bitsPerPixel == 8 ? value : (value + 1u) / 2;
            const std::size_t padded = (bytes + 1) & ~std::size_t(1);
            if (p + padded > size || !cursor.fits(value)) {
                *error = QStringLiteral("RLE literal run leaves the picture or the file (damaged file)");
                return false;
            }
            for (std::size_t i = 0; i < value; ++i)
                cursor.put(bitsPerPixel == 8 ? data[p + i] : runIndex(data[p + i / 2], i, 4));
            p += padded;
            break;
        }
        }
    }
}
