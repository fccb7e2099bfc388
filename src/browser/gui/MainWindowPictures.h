#pragma once

#include <QPixmap>

// The program's own pictures, drawn rather than shipped: the splash, the no-screenshot picture, the
// die of the random-pick button and the background textures.
namespace browser {

inline constexpr int kTextureCount = 6; // Texture -1 is no background, 0 to 5 these pictures

QPixmap splashPicture();
// imgNoSS, in the size of a C64 screen (320 by 200).
QPixmap noScreenshotPicture();
QPixmap randomPickIcon();
// A tile of texture index (0 to kTextureCount - 1); a null pixmap for any other index.
QPixmap texturePicture(int index);

} // namespace browser
