#pragma once

#include "platform/TerminationSignals.h"

#include <QObject>
#include <QTimer>

#include <functional>

namespace app {

// Ends the program as File > Exit does when the system asks it to end (SIGTERM at a desktop's logout, SIGHUP):
// the settings are written, the SID player is closed as the settings say and the catalogue is closed. The exit
// waits for a moment when the user could have chosen it: open dialogs and menus are left as with Escape first,
// and a running conversion (which blocks the window) and the main window's load are waited for.
class EndOnRequest : public QObject
{
public:
    // ready: whether the main window has finished its load. exit: File > Exit.
    EndOnRequest(std::function<bool()> ready, std::function<void()> exit);

private:
    void tryToEnd();

    platform::TerminationSignals m_signals;
    std::function<bool()> m_ready;
    std::function<void()> m_exit;
    QTimer m_retry;
    bool m_ending = false;
};

} // namespace app
