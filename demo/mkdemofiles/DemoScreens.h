#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace demofiles {

// The demo screenshots: 320 by 200 GIFs in the C64's sixteen colours, as the screenshot folder holds them
// after a screen dump has been converted.
enum class DemoScreen
{
    AstroMiner,     // a miner's ship among asteroids
    GalacticGarden, // plants on a planet's surface under a night sky
    NibbleNights,   // a puzzle board of coloured blocks
};

std::optional<QByteArray> demoScreenshot(DemoScreen screen, QString* error);

} // namespace demofiles
