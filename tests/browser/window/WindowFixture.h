#pragma once

#include "TestFolders.h"
#include "app/Program.h"
#include "appstate/AppState.h"
#include "browser/Scroller.h"
#include "platform/ScriptedMessageBox.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>

class QAbstractItemModel;
class QAction;
class QMainWindow;

namespace windowtest {

// The program as a user starts it, offscreen: a program folder (VINTRAX_HOME) with the four tools, the demo
// catalogue and the demo games and tunes; a settings file and an instance-lock folder (XDG_RUNTIME_DIR while the
// object lives) of its own, so tests can run side by side; and a scripted message box that records every message
// and answers with each message's default button. The settings file starts with the demo folders as games path
// 0 and the music path, "ShowPrefs" False (no first-run notes) and "V13Start" True, unless a test writes
// otherwise.
class WindowFixture
{
public:
    WindowFixture();
    ~WindowFixture(); // closes a dialog a failed test left open, then exit()
    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    bool isValid() const { return m_valid; }
    QString programPath() const { return m_folder.path(); }
    QString programFile(const QString& relative) const { return m_folder.file(relative); }
    QString iniPath() const { return m_config.filePath(QStringLiteral("Vintrax.ini")); }

    // Keys of the "Startup" section written straight into the settings file, as a hand edit would.
    void presetSettings(const QVariantMap& values) const;
    void removeSetting(const QString& key) const;
    QVariant storedValue(const QString& key) const;

    // SQL on the catalogue through the sqlite3 shell: what it printed (list mode), or its complaint.
    QString sql(const QString& statement) const;

    // The program's start as main() makes it: the main window, or nullptr when the start ended (or the folders
    // above could not be made, so a test need not check isValid() before a start it expects to succeed); startOn
    // with these settings over the preset ones, on game, whose row it clicks.
    QMainWindow* start();
    QMainWindow* startOn(const QString& game, const QVariantMap& settings = {});
    app::Program& program() { return *m_program; }
    app::AppState& state() { return m_program->state(); }
    void exit(); // closes the main window (its unload writes the settings)

    platform::ScriptedMessageBox messages;
    // Set before or after start(): the type-ahead clock and the random pick's source; unset, the system's.
    std::function<quint32()> clock;
    std::function<double()> random;

protected:
    bool m_valid = false;

private:
    testsupport::TempProgramFolder m_folder;
    QTemporaryDir m_config;
    QTemporaryDir m_runtime;
    QByteArray m_oldRuntime;
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<app::Program> m_program;
};

// The three emulators as fake scripts in the program folder (blanks in the folder names), each with a
// configuration file beside it, set as CCS64Path, CCS642Path and DirectXPath. The program a start runs logs its
// working folder and arguments beside itself: the DOS extender for CCS64 v1.9 (handed the emulator's name, then
// the image), the emulator itself for the other two. Kinds 0, 1, 2 as the buttons.
class PlayFixture : public WindowFixture
{
public:
    PlayFixture();

    QString emulatorFolder(int kind) const;
    bool started(int kind) const;
    QStringList waitForStart(int kind) const; // folder and arguments, once all are logged (empty after 10 s)
};

// Controls of a window by object name.
template <typename T> T* control(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}
QAction* action(QWidget* window, const char* name);
QString labelText(QWidget* window, const char* name);

// The game list as a user sees it: the selected row's text, and clicks on the row showing name.
QString selectedGame(QWidget* window);
bool clickGame(QWidget* window, const QString& name);
void doubleClickGame(QWidget* window, const QString& name);
void rightClickGame(QWidget* window, const QString& name);
const QAbstractItemModel& gameList(QWidget* window);
const browser::Scroller& scroller(QWidget* window);

} // namespace windowtest
