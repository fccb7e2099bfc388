#include "maintenance/RunDriver.h"

namespace maintenance {

RunDriver::RunDriver(SteppedRun& run, QObject* parent) : QObject(parent), m_run(run)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &RunDriver::tick);
}

void RunDriver::start()
{
    if (m_run.done())
        return;
    m_running = true;
    m_timer.start();
}

void RunDriver::stop()
{
    if (!m_running)
        return;
    m_run.stop();
    handOver();
}

void RunDriver::tick()
{
    // A step can run the event loop itself (the lists refill when a run announces its changes): no step may start
    // inside another.
    if (m_stepping || !m_running)
        return;
    m_stepping = true;
    m_run.step(QDeadlineTimer(kStepMilliseconds));
    m_stepping = false;
    handOver();
}

void RunDriver::handOver()
{
    const QVector<ReportRow> rows = m_run.takeRows();
    if (!rows.isEmpty())
        emit rowsFound(rows);
    emit progress(m_run.percent());
    // A run stopped from a handler of the signals above has told its end already.
    if (m_run.done() && m_running) {
        m_running = false;
        m_timer.stop();
        emit finished(m_run.failure());
    }
}

} // namespace maintenance
