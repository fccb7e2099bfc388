// The Zip-Code set reader. The input holds the four parts: three little-endian 16-bit lengths for parts 1
// to 3, then the parts one after the other, part 4 taking the rest.
#include "FuzzSupport.h"
#include "c64/ZipCodeDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 6)
        return 0;
    std::array<QByteArray, c64::kZipCodePartCount> parts;
    size_t at = 6;
    for (int i = 0; i < 3; ++i) {
        const size_t length = std::min<size_t>(size - at, size_t(data[2 * i] | data[2 * i + 1] << 8));
        parts[size_t(i)] = QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(length));
        at += length;
    }
    parts[3] = QByteArray(reinterpret_cast<const char*>(data + at), qsizetype(size - at));
    const c64::ZipCodeDecodeResult result = c64::decodeZipCodeSet(parts);
    if (result.ok && result.image.size() != c64::kZipCodeImageSize)
        fuzz::fail("a decoded set is not a 35-track image");
    if (!result.ok && result.error.isEmpty())
        fuzz::fail("a refused set without a reason");
    return 0;
}
