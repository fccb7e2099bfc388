#include "Crc16.h"

#include <array>

namespace {

std::array<std::uint16_t, 256> makeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xA001u ^ (c >> 1) : c >> 1;
        table[n] = static_cast<std::uint16_t>(c);
    }
    return table;
}

} // namespace

std::uint16_t crc16Update(std::uint16_t crc, const void* data, std::size_t size)
{
    static const std::array<std::uint16_t, 256> table = makeTable();
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = static_cast<std::uint16_t>(table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8));
    return crc;
}
