#pragma once

// What the writer probe (WriterProbe.cpp) writes, so that tests know the two contents it alternates between.

#include "launch/EmulatorConfig.h"

#include <QString>

namespace writerprobe {

inline const launch::PortValues kConfigValues[2] = {{1, 0, 2, 3}, {0, 1, 4, 0}};
inline const QString kConfigLoadFolder = QStringLiteral("C:\\GAMES\\A");
inline constexpr bool kConfigSecondGeneration = true;

// The start songs the tune rewrite alternates between.
inline constexpr int kSidStartSongs[2] = {2, 9};

#ifdef VINTRAX_WRITER_PROBE
inline QString probePath()
{
    return QStringLiteral(VINTRAX_WRITER_PROBE);
}
#endif

} // namespace writerprobe
