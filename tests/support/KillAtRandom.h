#pragma once

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

namespace testsupport {

// How many times a kill test ends its writer, and the seed of the moments: 20 kills with a fixed seed, or
// VINTRAX_KILL_COUNT and VINTRAX_KILL_SEED from the environment.
struct KillPlan
{
    int kills = 20;
    quint32 seed = 11;
};
KillPlan killPlan();

// Starts program, waits until it prints a line "ready" (its first rewrite is done and it goes on rewriting in
// a loop), lets it run for a random time of up to maxMicroseconds, then ends it with SIGKILL and waits for
// it. False, with the reason, when it did not get that far.
bool runAndKill(const QString& program, const QStringList& args, QRandomGenerator& random, int maxMicroseconds,
                QString* why);

} // namespace testsupport
