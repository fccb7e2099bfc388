#include "app/Program.h"

#include "app/EndOnRequest.h"
#include "appstate/AppState.h"
#include "browser/gui/frmVTRXMain.h"
#include "browser/gui/frmVTRXSplash.h"
#include "category/gui/CategoryCommands.h"
#include "editing/gui/EditingCommands.h"
#include "files/gui/FilesCommands.h"
#include "help/gui/HelpCommands.h"
#include "launch/gui/LaunchCommands.h"
#include "maintenance/gui/MaintenanceCommands.h"
#include "music/gui/MusicCommands.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "platform/Wallpaper.h"
#include "platform/gui/ShellOpen.h"
#include "prefs/gui/PrefsCommands.h"

namespace app {

void installCommands(CommandHost& host, AppState& state)
{
    installLaunchCommands(host, state);
    installFilesCommands(host, state);
    installMusicCommands(host, state);
    installEditingCommands(host, state);
    installPrefsCommands(host, state);
    installHelpCommands(host, state);
    installCategoryCommands(host, state);
    installMaintenanceCommands(host, state);
}

Program::Program(QSettings& store, const platform::Folders& folders, browser::MainWindowOptions options)
    : m_store(store), m_options(std::move(options)), m_state(std::make_unique<AppState>(folders))
{
    m_state->ShellOpen = platform::ShellOpen;
    m_state->SetDesktopWallpaper = platform::setDesktopWallpaper;
    m_endOnRequest = std::make_unique<EndOnRequest>([this] { return m_window && m_state->mainWindowLoaded; },
                                                    [this] {
                                                        if (!runCommand(*m_window, QStringLiteral("mnuFileExit")))
                                                            m_window->close();
                                                    });
}

Program::~Program()
{
    m_endOnRequest.reset();
    m_window.reset();
    m_splash.reset();
}

bool Program::start()
{
    m_instance = std::make_unique<platform::SingleInstance>();
    m_splash = std::make_unique<frmVTRXSplash>(*m_instance, m_store);
    if (!m_splash->Form_Load())
        return false;
    try {
        m_window = std::make_unique<frmVTRXMain>(*m_state, m_store, m_splash->firstRun(), m_splash.get(), m_options);
        installCommands(*m_window, *m_state);
    } catch (const UnknownCommand& unknown) {
        // A command installed under a name the window lacks is a fault of this build: it must not start with a
        // menu entry or label that silently does nothing.
        platform::MessageBox::critical(
            QStringLiteral("vintrax cannot start: this build installs a command on '%1', which the main window "
                           "does not have.")
                .arg(unknown.name()),
            QStringLiteral("vinTrax"));
        m_splash->close();
        m_window.reset();
        return false;
    }
    if (!m_window->Form_Load()) {
        m_splash->close();
        m_window.reset();
        return false;
    }
    return true;
}

QMainWindow* Program::mainWindow() const
{
    return m_window.get();
}

CommandHost* Program::host() const
{
    return m_window.get();
}

} // namespace app
