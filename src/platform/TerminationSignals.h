#pragma once

#include <QObject>

class QSocketNotifier;

namespace platform {

// The system's requests to end (SIGTERM from a desktop's logout or a service manager, SIGHUP when the
// terminal or session goes) turned into a Qt signal on the event loop, so the program ends through its
// ordinary exit rather than being cut off. While the object lives the two signals no longer end the process
// by themselves; afterwards they do again. One object per process.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

signals:
    // Emitted on the event loop, once for each signal received.
    void requested(int signalNumber);

private:
    void readPending();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace platform
