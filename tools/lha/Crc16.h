#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-16 an LHA header keeps for its member's data (reflected polynomial 0xA001, starting at 0).
std::uint16_t crc16Update(std::uint16_t crc, const void* data, std::size_t size);
