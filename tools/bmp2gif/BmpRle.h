#pragma once

#include "IndexedImage.h"

#include <QString>

#include <cstddef>
#include <cstdint>

// Decodes BI_RLE8 (bitsPerPixel 8) or BI_RLE4 (bitsPerPixel 4) data into image.pixels, which must already hold
// width * height zeros; pixels the data skips stay index 0. Rows are stored bottom-up. Runs that leave the
// picture, data that stops before the end-of-bitmap code, and other damage fail with a reason.
bool decodeRle(const std::uint8_t* data, std::size_t size, int bitsPerPixel, IndexedImage& image, QString* error);
