#pragma once

#include "platform/TypeAhead.h"

#include <functional>

namespace browser {

// What a test may put in place of the system's own sources: the type-ahead search's clock and the
// random pick's generator (a value in [0, 1)). Left empty, the system's are used.
struct MainWindowOptions
{
    platform::TypeAhead::Clock typeAheadClock;
    std::function<double()> random01;
};

} // namespace browser
