#pragma once

#include "browser/gui/MainWindowOptions.h"
#include "platform/Folders.h"

#include <QString>

#include <memory>

class QMainWindow;
class QSettings;
class frmVTRXMain;
class frmVTRXSplash;

namespace platform {
class SingleInstance;
}

namespace app {

class AppState;
class CommandHost;
class EndOnRequest;

// The program as one object: the shared state, the splash, the main window and every subsystem's
// commands installed on it. main() and the tests make it the same way.
class Program
{
public:
    // store is the settings file; folders says where the catalogue, the tools and the rest are.
    Program(QSettings& store, const platform::Folders& folders, browser::MainWindowOptions options = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The splash's start (a second copy is refused), the main window with the commands installed and
    // its load. False when the program ends here; the reason has been shown.
    bool start();

    AppState& state() { return *m_state; }
    // The main window, nullptr before start() and after a start that ended.
    QMainWindow* mainWindow() const;
    CommandHost* host() const;

private:
    QSettings& m_store;
    browser::MainWindowOptions m_options;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<frmVTRXSplash> m_splash;
    std::unique_ptr<frmVTRXMain> m_window;
    // SIGTERM and SIGHUP end the program through File > Exit.
    std::unique_ptr<EndOnRequest> m_endOnRequest;
};

// Installs every subsystem's commands on the host.
void installCommands(CommandHost& host, AppState& state);

} // namespace app
