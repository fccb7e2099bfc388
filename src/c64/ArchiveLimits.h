#pragma once

#include <QtGlobal>

namespace c64 {

// How much an archive of C64 games may unpack to. C64 images are small (a D64 holds 170 KB, a T64 or a program a
// few hundred KB at most), so these limits leave room for odd files and collections while a crafted archive (a
// few KB that inflate to gigabytes, or a million empty members) cannot fill the disk or stall a game start.
inline constexpr qint64 kArchiveMemberLimit = 64LL * 1024 * 1024;
inline constexpr qint64 kArchiveTotalLimit = 256LL * 1024 * 1024;
inline constexpr int kArchiveMemberCountLimit = 10000;

} // namespace c64
