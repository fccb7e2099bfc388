#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

enum class WindowMode
{
    Hidden,
    Minimised
};

// A command as a program and its arguments, never one string for a shell: blanks, quotes or "$(...)"
// in a file name stay inert.
struct Command
{
    QString program;
    QStringList arguments;
};

// The command interpreter prefix ("COMSPEC" + " /C "). Windows builds run the conversion tools through
// the command interpreter; elsewhere there is none and commands run their program directly. The choice
// is made when the program is built, never because a COMSPEC variable happens to be set.
QString CommandInterpreterPrefix();
Command throughCommandInterpreter(const Command& command);

// Starts a program with workingFolder as its working folder and waits for it to end: however long it
// takes, or at most limitMs milliseconds when a limit is given (the program is then killed). The window
// repaints meanwhile, but mouse and keyboard input is held back, so a second click cannot start another
// conversion that empties the working folder under a running tool. The program's exit code; nothing when it
// did not start, crashed or was stopped at the limit (conversion callers judge success by the files the
// program leaves). The window mode only matters where the program could show a window. The program's error
// output goes to this program's, or, when errorOutput is given, into it (its last 4 KB), so a caller can show the
// program's own reason.
std::optional<int> RunAndWait(const Command& command, const QString& workingFolder,
                              WindowMode mode = WindowMode::Hidden, int limitMs = -1, QString* errorOutput = nullptr);

} // namespace platform
