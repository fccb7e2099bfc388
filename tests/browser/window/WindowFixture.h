#pragma once

#include "StartupFolders.h"
#include "app/AppState.h"
#include "app/Program.h"
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

// The program as a user starts it, offscreen: a program folder with the four tools, the demo catalogue
// and the demo games and tunes; a settings file and an instance-lock folder of its own; and a scripted
// message box that records every message and answers with each message's default button.
class WindowFixture : public startuptest::StartupFolders
{
public:
    WindowFixture();
    ~WindowFixture();

    // The settings file starts with the demo folders as games path 0 and the music path, "ShowPrefs"
    // False (no first-run notes) and "V13Start" True, unless a test writes otherwise.

    // Runs SQL on the program folder's catalogue with the sqlite3 shell (before start(), for rows the demo
    // lacks); returns "" on success, else the shell's complaint.
    QString editCatalogue(const QString& sql) const;
    // The rows a query gives in the sqlite3 shell, each a list of its fields as text.
    QList<QStringList> queryCatalogue(const QString& sql) const;

    // The program's start as main() makes it: splash, main window with every command installed, load.
    // Returns the main window, or nullptr when the start ended.
    QMainWindow* start();
    QMainWindow* window() const;
    app::Program& program() { return *m_program; }
    app::AppState& state() { return m_program->state(); }
    // Closes the main window (its unload writes the settings) and forgets it.
    void exit();

    platform::ScriptedMessageBox messages;
    // Set before or after start(): the type-ahead clock and the random pick's source; unset, the system's.
    std::function<quint32()> clock;
    std::function<double()> random;

private:
    std::unique_ptr<QSettings> m_store;
    std::unique_ptr<app::Program> m_program;
};

// Controls of a window by object name.
template <typename T> T* control(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromLatin1(name));
}
QAction* action(QWidget* window, const char* name);

// The game list as a user sees it: the selected row's text ("" when none) and a click on the row
// showing name (false when the list has no such row).
QString selectedGame(QWidget* window);
// The detail panel's value labels, which show and hide with the game (lblComment among them).
QStringList detailValueLabels();
bool clickGame(QWidget* window, const QString& name);
// The game list's rows and the comment scroller of a window.
const QAbstractItemModel& gameList(QWidget* window);
QString gameText(QWidget* window, int row);
const browser::Scroller& scroller(QWidget* window);

} // namespace windowtest
