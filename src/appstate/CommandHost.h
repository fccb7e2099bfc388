#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>

class QObject;
class QPixmap;
class QWidget;

namespace app {

// A row of the main window's game list: the game's name and its list colour code.
struct ShownGame
{
    QString name;
    int colourCode = 0;
};

// What the main window offers the subsystems' commands. Each subsystem's install…Commands function
// connects its menu items, buttons, popup items and detail-label clicks through it; the main window
// knows none of them.
class CommandHost
{
public:
    virtual ~CommandHost() = default;

    // A menu item, popup item, button or detail label by its object name; an indexed menu item by its
    // name and index, as "mnuFave(3)". nullptr when there is none.
    virtual QObject* command(const QString& name) const = 0;
    // The parent of the dialogs a command opens.
    virtual QWidget* dialogParent() = 0;

    // Whether the panel shows a game (a row of the list is selected).
    virtual bool hasCurrentGame() const = 0;
    // The panel shows the current game again from its row, and the commands' states follow it. (A change
    // written through the game store or the current game is followed without it.)
    virtual void showCurrentGameAgain() = 0;
    // Selects the game of that name in the list, as the user's click would; false (and nothing selected) when the
    // list has no row of exactly that text.
    virtual bool selectGame(const QString& name) = 0;
    // The list as the user sees it: its view (0 all games, 1 playable games, 2 games with SID tunes), its rows in
    // order, and the text of the selected row (empty when none is).
    virtual int shownView() const = 0;
    virtual int shownGameCount() const = 0;
    virtual ShownGame shownGame(int row) const = 0;
    virtual QString selectedGame() const = 0;
    // Every installed command takes the enabled state its rules give now. While the category browser is open the
    // main window is locked: the commands of lockedWhileBrowsing() stay disabled, only the shown view's button
    // is there, and the detail labels' and the screenshot's clicks do nothing.
    virtual void refreshCommands() = 0;
    // The game list takes the keyboard focus, as after every command of the panel.
    virtual void focusGameList() = 0;
    // The comment scroller stops (before an emulator takes the screen).
    virtual void stopScroller() = 0;
    // The settings were changed (preferences, bookmarks): the caption, the background texture and the
    // bookmark menu show them, and every command takes the state its rules give now.
    virtual void settingsChanged() = 0;
    // The picture of background texture index (0 to 5), which the preferences show.
    virtual QPixmap texturePicture(int index) const = 0;
};

// The commands the open category browser locks: menus lock every entry below them.
const QStringList& lockedWhileBrowsing();

// Whether a command acts on the current game: such a command is disabled while no game is shown, and
// refuses on its own when it runs anyway.
enum class Acts
{
    Always,
    OnCurrentGame,
};

// Connects a menu item, popup item or button to its handler. The command becomes enabled whenever its
// rules allow: a current game when it acts on one, and enabledWhen, when given, returns true.
// A command that no subsystem installs stays disabled. Throws UnknownCommand for a name the host lacks.
void installCommand(CommandHost& host, const QString& name, Acts acts, std::function<void()> handler,
                    std::function<bool()> enabledWhen = {});

// The mouse button a detail label's handler answers.
enum class LabelButton
{
    Left,
    Right,
    Either, // the same handler for both
};

// Connects a detail label's click with that button (the screenshot and the scroller are labels too) to its
// handler. The label looks clickable (hand pointer, hover colour) while the actsNow of one of its buttons,
// when given, returns true. Each button is installed on its own, so two subsystems may take one each.
void installLabelClick(CommandHost& host, const QString& label, LabelButton button, std::function<void()> handler,
                       std::function<bool()> actsNow = {});

// A name the host has no control of, passed to installCommand or installLabelClick: a misspelt name, which
// must stop the program's start in every build rather than leave a control without its command.
class UnknownCommand : public std::runtime_error
{
public:
    explicit UnknownCommand(const QString& name);
    const QString& name() const { return m_name; }

private:
    QString m_name;
};

// Runs an installed command as its menu item or button would; nothing when no subsystem installed it or its
// rules do not allow it now. Returns whether it ran. (The first start opens the preferences this way.)
bool runCommand(CommandHost& host, const QString& name);

// For the host: whether a command (or label) was installed, and the enabled state its rules give now.
bool isInstalled(const QObject* command);
bool commandAllowed(const QObject* command, bool hasCurrentGame);
// Whether a click on the label with either button does something now.
bool labelActsNow(const QObject* label);
// For the host: runs the handler of that button (Left or Right), when it is installed and acts now.
void runLabelClick(QObject* label, LabelButton button);

} // namespace app
