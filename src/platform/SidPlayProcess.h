#pragma once

#include <QString>

#include <vector>

namespace platform {

// Finding and closing a running SID player. A process counts as the player when its executable is the
// file sidplayWPath names, or when its executable is an interpreter (the "#!" program of that file, or
// Wine) and its command line names the file as the script it runs. A program that merely has the file on
// its command line (a pager, an editor, cat) never counts. Names are compared without regard to case,
// after both sides are resolved to the real file.

// The player processes one search found: every match, except the short-lived copies a script player's
// shell forks (a match whose parent matches too). Empty when none runs. The caller holds it for as long as
// it needs it; nothing of a search outlives the value.
class SidPlayProcesses
{
public:
    explicit operator bool() const { return !m_pids.empty(); }
    qint64 newest() const { return m_pids.empty() ? 0 : m_pids.back(); } // the highest process id found

    // What a process is compared with: the resolved player file, and the resolved "#!" program of the
    // player (empty when it is no script).
    struct Player
    {
        QString path;
        QString interpreter;
    };

private:
    friend SidPlayProcesses FindSidPlayProcess(const QString& sidplayWPath);
    friend void CloseSidPlay(const SidPlayProcesses& players, int waitMs);
    std::vector<qint64> m_pids;
    Player m_player;
};

SidPlayProcesses FindSidPlayProcess(const QString& sidplayWPath);

// Asks the processes a search found to end (SIGTERM). Without waitMs it does not wait for them; with it, it waits
// up to that long and then ends for good (SIGKILL) any that is still there, so that the next tune never plays over
// one of them. Nothing is sent to a process id that has since been taken by another program.
void CloseSidPlay(const SidPlayProcesses& players, int waitMs = 0);

} // namespace platform
