#include "c64/CcsScreenshot.h"

#include "c64/LittleEndian.h"
#include "platform/RegularFile.h"
#include "platform/SaveFile.h"

#include <QFile>

namespace c64 {

namespace {

struct RequiredField
{
    int offset;
    int size;
    quint32 value;
};

// What a dump's headers must hold; every field not named here may hold anything.
constexpr RequiredField kRequired[] = {
    {0, 2, 0x4D42},                   // "BM"
    {14, 4, 40},                      // a Windows info header
    {18, 4, kDumpWidth},              // the rows are read as 504 bytes each, bottom-up
    {22, 4, kDumpHeight}, {26, 2, 1}, // planes
    {28, 2, 8},                       // one byte a pixel
    {30, 4, 0},                       // uncompressed
    {34, 4, 0},                       // no image size given
    {46, 4, 256},                     // a full palette
    {50, 4, 256},
};

quint32 fieldOf(const QByteArray& bytes, const RequiredField& f)
{
    const auto v = f.size == 2 ? std::optional<quint32>(readU16(bytes, f.offset)) : readU32(bytes, f.offset);
    return v.value_or(~f.value);
}

} // namespace

bool isCcs64ScreenshotHeader(const QByteArray& headers)
{
    if (headers.size() < kHeadersSize)
        return false;
    for (const RequiredField& f : kRequired) {
        if (fieldOf(headers, f) != f.value)
            return false;
    }
    return true;
}

bool IsCcs64Screenshot(const QString& path)
{
    QFile file;
    return platform::openRegularFile(file, path) && isCcs64ScreenshotHeader(file.read(kHeadersSize));
}

CropOutcome cropScreenshot(QIODevice& source, const std::function<bool(const QByteArray&)>& write,
                           const std::function<void(int row)>& progress)
{
    QByteArray head = source.read(kHeadersSize + kPaletteSize);
    if (!isCcs64ScreenshotHeader(head))
        return {false, QStringLiteral("not a CCS64 screenshot (504 x 312, 256 colours)")};
    if (head.size() < kHeadersSize + kPaletteSize)
        return {false, QStringLiteral("the screenshot ends inside its palette")};
    putU32(head, 2, quint32(kCroppedSize));
    putU32(head, 18, kShotWidth);
    putU32(head, 22, kShotHeight);
    putU32(head, 34, quint32(kShotWidth * kShotHeight));
    if (!write(head))
        return {false, {}};
    // The rows are stored bottom-up: the border below the picture comes first.
    const qint64 pixels = source.pos();
    QByteArray row(kDumpWidth, '\0');
    for (int r = 1; r <= kShotHeight; ++r) {
        const qint64 at = pixels + qint64(kShotBottomBorder + r - 1) * kDumpWidth;
        if (!source.seek(at) || source.read(row.data(), kDumpWidth) != kDumpWidth)
            return {false, QStringLiteral("the screenshot ends before its picture does")};
        if (!write(row.mid(kShotLeft, kShotWidth)))
            return {false, {}};
        if (progress)
            progress(r);
    }
    return {true, {}};
}

CropOutcome CropScreenshot(const QString& source, const QString& target, const std::function<void(int row)>& progress)
{
    QFile in;
    QString error;
    if (!platform::openRegularFile(in, source, &error))
        return {false, error};
    platform::SaveFile out(target);
    if (!out.open())
        return {false, out.errorString()};
    CropOutcome r = cropScreenshot(
        in, [&out](const QByteArray& bytes) { return out.write(bytes); }, progress);
    if (r.ok && !out.commit())
        r.ok = false;
    if (!r.ok)
        r.error = r.error.isEmpty() ? out.errorString() : QStringLiteral("%1: %2").arg(source, r.error);
    return r;
}

} // namespace c64
