#pragma once

// What the writer probe (WriterProbe.cpp) writes, so that tests know the two contents it alternates between.

#include "data/CleanCheckRecord.h"
#include "launch/EmulatorConfig.h"

#include <QString>

namespace writerprobe {

inline const launch::PortValues kConfigValues[2] = {{1, 0, 2, 3}, {0, 1, 4, 0}};
inline const QString kConfigLoadFolder = QStringLiteral("C:\\GAMES\\A");
inline constexpr bool kConfigSecondGeneration = true;

// The start songs the tune rewrite alternates between.
inline constexpr int kSidStartSongs[2] = {2, 9};

// The record of a clean catalogue check in the folder, of a catalogue whose long name makes it a few pages long.
inline bool rememberCheck(const QString& folder, int variant, QString* error = nullptr)
{
    const QString catalogue = folder + QLatin1Char('/') + QString(6000, QLatin1Char(variant & 1 ? 'B' : 'A'));
    return catalogue::CleanCheckRecord::besideSettings(folder + QStringLiteral("/Vintrax.ini"))
        .remember(catalogue, {4096 * (variant + 1), 1000 + variant, 2000 + variant}, error);
}

#ifdef VINTRAX_WRITER_PROBE
inline QString probePath()
{
    return QStringLiteral(VINTRAX_WRITER_PROBE);
}
#endif

} // namespace writerprobe
