#pragma once

#include <cstdint>
#include <vector>

struct PaletteEntry
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// A picture of palette indices, top row first, width * height bytes.
struct IndexedImage
{
    int width = 0;
    int height = 0;
    std::vector<PaletteEntry> palette;
    std::vector<std::uint8_t> pixels;
};
