#pragma once

#include <cstddef>
#include <cstdint>

// The CRC-32 that gzip stores in every member trailer (reflected polynomial 0xEDB88320).
// Start with crc = 0 and feed the data in any number of pieces.
std::uint32_t crc32Update(std::uint32_t crc, const void* data, std::size_t size);
