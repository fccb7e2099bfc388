#pragma once

#include "maintenance/SteppedRun.h"

#include <QObject>
#include <QTimer>

namespace maintenance {

// Drives a stepped run from the event loop: one step per turn of the loop, each a few milliseconds long, so the
// windows are painted, the progress bar moves and the user's input is answered throughout (no nested event
// loops). The run stays the caller's.
class RunDriver : public QObject
{
    Q_OBJECT

public:
    static constexpr int kStepMilliseconds = 20;

    explicit RunDriver(SteppedRun& run, QObject* parent = nullptr);

    // The first step comes at the next turn of the event loop.
    void start();
    // Ends the run at once, keeping what it finished; finished() follows before this returns.
    void stop();
    bool isRunning() const { return m_running; }

signals:
    void rowsFound(const QVector<maintenance::ReportRow>& rows);
    void progress(int percent);
    // The run is over; failure is what the user is to be told, empty when it ran through.
    void finished(const QString& failure);

private:
    void tick();
    void handOver();

    SteppedRun& m_run;
    QTimer m_timer;
    bool m_running = false;
    bool m_stepping = false;
};

} // namespace maintenance
