#pragma once

#include "maintenance/ReportModel.h"

#include <QDeadlineTimer>
#include <QString>
#include <QVector>

#include <utility>

namespace maintenance {

// A run over the whole catalogue made in steps, so that the window showing it answers the user between them:
// each step works until its deadline and keeps the report rows it found for the window to take.
class SteppedRun
{
public:
    virtual ~SteppedRun() = default;

    // Works on until the deadline has passed or the run is over.
    virtual void step(const QDeadlineTimer& deadline) = 0;
    // Ends the run before its end, keeping what it has finished (the main window is closing).
    virtual void stop() = 0;

    bool done() const { return m_done; }
    int percent() const { return m_percent; }
    // Why the run ended early, as the user is told; empty when it ran through or was stopped.
    QString failure() const { return m_failure; }
    QVector<ReportRow> takeRows() { return std::exchange(m_rows, {}); }

protected:
    void addRow(const QString& fileType, const QString& name, const QString& detail)
    {
        m_rows.append(ReportRow{fileType, name, detail});
    }
    void setPercent(double percent) { m_percent = int(percent); }
    void fail(const QString& message)
    {
        m_failure = message;
        m_done = true;
    }
    void setDone() { m_done = true; }

private:
    QVector<ReportRow> m_rows;
    QString m_failure;
    int m_percent = 0;
    bool m_done = false;
};

} // namespace maintenance
