// The CCS64 screen dump check and crop: a source it takes is cropped to exactly 65078 bytes or refused with a
// reason, never read beyond its end.
#include "FuzzSupport.h"
#include "c64/CcsScreenshot.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray bytes = fuzz::bytesOf(data, size);
    QBuffer source(&bytes);
    source.open(QIODevice::ReadOnly);
    QByteArray out;
    const c64::CropOutcome r = c64::cropScreenshot(source, [&out](const QByteArray& b) {
        out += b;
        return true;
    });
    if (r.ok != (out.size() == c64::kCroppedSize) || (!r.ok && r.error.isEmpty()))
        fuzz::fail("a crop of the wrong size, or a refusal without a reason");
    if (r.ok && !c64::isCcs64ScreenshotHeader(bytes))
        fuzz::fail("a crop of a file that is no dump");
    return 0;
}
