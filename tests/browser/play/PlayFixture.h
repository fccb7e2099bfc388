#pragma once

#include "WindowFixture.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QMainWindow;
class QWidget;

namespace playtest {

// The three emulators as fake scripts in the program folder, each with the configuration file of its
// generation beside it. The program a start runs logs its working folder and arguments beside itself:
// the DOS extender for CCS64 v1.9, the emulator itself for the other two.
class FakeEmulators
{
public:
    explicit FakeEmulators(const windowtest::WindowFixture& fixture);
    bool isValid() const { return m_valid; }

    QString programPath(int kind) const; // what CCS64Path, CCS642Path or DirectXPath names
    QString folder(int kind) const;
    QString configPath(int kind) const;
    // CCS64Path, CCS642Path and DirectXPath pointing at the fakes.
    QVariantMap settings() const;

    bool started(int kind) const;
    // The working folder and the arguments of the start, once the detached fake has written them all
    // (empty after ten seconds without).
    QStringList waitForStart(int kind, int argumentCount) const;
    // Any of the three started within the time; for tests that expect nothing to start.
    bool anyStartedWithin(int milliseconds) const;

private:
    QString logPath(int kind) const;
    QString m_root;
    bool m_valid = false;
};

// The program with the three fake emulators set in its settings, started on a chosen game.
class PlaySession
{
public:
    PlaySession();
    ~PlaySession();
    bool isValid() const { return fixture.isValid() && emulators.isValid(); }

    // Starts the window with these settings over the preset ones, on game, and clicks the game's row.
    QMainWindow* start(const QString& game, const QVariantMap& settings = {});
    QString catalogueFile() const { return fixture.programFile(QStringLiteral("Vintrax.mdb")); }
    QVariant stored(const QString& game, const char* field) const;
    platform::ScriptedMessageBox& messages() { return fixture.messages; }

    windowtest::WindowFixture fixture;
    FakeEmulators emulators;
};

// One line of the configuration file that starts with key ("$LOADPATH="), without its line end.
QString configLine(const QString& configPath, const QString& key);

// A game row read from the catalogue file through a connection of its own, so what was stored is
// what the file holds, not what the window's record set remembers.
QVariantMap storedGame(const QString& catalogueFile, const QString& name);
// Runs one statement on the catalogue file (before the window opens it).
bool execOnCatalogue(const QString& catalogueFile, const QString& sql, const QVariantList& values = {});

// The game list's row of a game, its centre on the list's viewport, and clicks on it as a user makes them.
int rowOf(QMainWindow* window, const QString& name);
QPoint rowCentre(QMainWindow* window, const QString& name);
void clickGame(QMainWindow* window, const QString& name);
void doubleClickGame(QMainWindow* window, const QString& name);
void rightClickGame(QMainWindow* window, const QString& name);

QString labelText(QWidget* window, const char* name);
QString today();

} // namespace playtest
