#include "app/EndOnRequest.h"

#include <QApplication>
#include <QDialog>
#include <QThread>
#include <QWidget>

namespace app {

EndOnRequest::EndOnRequest(std::function<bool()> ready, std::function<void()> exit)
    : m_ready(std::move(ready)), m_exit(std::move(exit))
{
    m_retry.setSingleShot(true);
    m_retry.setInterval(50);
    connect(&m_retry, &QTimer::timeout, this, &EndOnRequest::tryToEnd);
    connect(&m_signals, &platform::TerminationSignals::requested, this, [this] {
        if (!m_ending)
            tryToEnd();
    });
}

void EndOnRequest::tryToEnd()
{
    m_ending = true;
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    } else if (QWidget* modal = QApplication::activeModalWidget()) {
        // Escape's answer: a dialog is cancelled, a message box takes its cancel-like button. The code that
        // opened it goes on, and may open the next one, which goes the same way.
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    } else if (m_ready() && QThread::currentThread()->loopLevel() <= 1) {
        // Only the application's own loop runs: no conversion waits below, no handler is half done.
        m_exit();
        QCoreApplication::quit();
        return;
    }
    m_retry.start();
}

} // namespace app
