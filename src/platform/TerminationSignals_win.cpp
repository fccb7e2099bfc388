#include "platform/TerminationSignals.h"

namespace platform {

// Windows ends a GUI program by closing its windows (the session's end reaches Qt as a close), which already
// runs the program's exit; there is nothing to catch here.
TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() = default;

void TerminationSignals::readPending() {}

} // namespace platform
