#pragma once

#include <QString>

namespace platform {

// Finding and closing a running SID player. A process counts as the player when its executable is the
// file sidplayWPath names, or when its executable is an interpreter (the "#!" program of that file, or
// Wine) and its command line names the file as the script it runs. A program that merely has the file on
// its command line (a pager, an editor, cat) never counts. Names are compared without regard to case,
// after both sides are resolved to the real file.

// True when such a process runs; every match is remembered for CloseSidPlay, except the short-lived copies
// a script player's shell forks (a match whose parent matches too). When none runs the remembered
// processes stay as they were.
bool FindSidPlayProcess(const QString& sidplayWPath);

// Asks the remembered player processes to end (SIGTERM) and does not wait for them. Nothing is sent to
// a process id that has since been taken by another program.
void CloseSidPlay();

// The highest process id FindSidPlayProcess last found; 0 before the first match.
qint64 rememberedSidPlayProcess();

} // namespace platform
