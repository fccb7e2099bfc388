#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

class QIODevice;

namespace c64 {

// The screen dumps the CCS64 emulators save: a Windows BMP of the whole PAL screen with its border, 504 by 312
// pixels, 8 bits a pixel, 256 palette entries, uncompressed, rows stored bottom-up right after the palette.
// The picture itself is the 320 by 200 area whose top-left corner is at x 128, y 51.
inline constexpr int kDumpWidth = 504;
inline constexpr int kDumpHeight = 312;
inline constexpr int kHeadersSize = 14 + 40;
inline constexpr int kPaletteSize = 256 * 4;
inline constexpr int kShotWidth = 320;
inline constexpr int kShotHeight = 200;
inline constexpr int kShotLeft = 128;
inline constexpr int kShotTop = 51;
// The border rows below the picture, the first ones stored.
inline constexpr int kShotBottomBorder = kDumpHeight - kShotTop - kShotHeight;
inline constexpr qint64 kCroppedSize = kHeadersSize + kPaletteSize + qint64(kShotWidth) * kShotHeight; // 65078

// Whether the first 54 bytes of a file are the headers of such a dump. Only the fields the dump's layout rests on
// are checked; sizes, offsets and resolution may hold anything.
bool isCcs64ScreenshotHeader(const QByteArray& headers);
// The same for a file; false for any file that cannot be read.
bool IsCcs64Screenshot(const QString& path);

struct CropOutcome
{
    bool ok = false;
    QString error; // why not, naming the file
};

// Cuts a dump down to its picture: the headers and palette kept, with bfSize 65078, biWidth 320, biHeight 200 and
// biSizeImage 64000; then the 200 rows of the picture, each reported to progress (1 to 200) once written.
// A source that is not a dump, or ends before its picture does, is refused; so is a write that fails.
CropOutcome cropScreenshot(QIODevice& source, const std::function<bool(const QByteArray&)>& write,
                           const std::function<void(int row)>& progress = {});

// The same from file to file. The target is written beside itself and renamed into place only once whole
// (platform::SaveFile), so source and target may be the same file and a failure leaves the target as it was.
CropOutcome CropScreenshot(const QString& source, const QString& target,
                           const std::function<void(int row)>& progress = {});

} // namespace c64
