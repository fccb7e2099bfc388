#include "maintenance/gui/frmResetTP.h"

#include "appstate/AppState.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

frmResetTP::frmResetTP(app::AppState& state, maintenance::ResetKind kind, QWidget* mainWindow)
    : QDialog(mainWindow), m_run(state.catalogue.db(), state.gameStore, kind), m_driver(m_run), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("frmResetTP"));
    setWindowTitle(QStringLiteral("vintrax"));
    setModal(true);
    lblWait = new QLabel(QStringLiteral("Updating Database.   Please Wait..."), this);
    lblWait->setObjectName(QStringLiteral("lblWait"));
    pbWait = new QProgressBar(this);
    pbWait->setObjectName(QStringLiteral("pbWait"));
    pbWait->setRange(0, 100);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblWait);
    layout->addWidget(pbWait);
    // The inner area of the designed window, in twips, 15 to a pixel.
    resize(5625 / 15, 1215 / 15);
    connect(&m_driver, &maintenance::RunDriver::progress, pbWait, &QProgressBar::setValue);
    connect(&m_driver, &maintenance::RunDriver::finished, this, &frmResetTP::runEnded);
    if (m_mainWindow)
        m_mainWindow->installEventFilter(this);
}

frmResetTP::~frmResetTP()
{
    if (m_mainWindow)
        m_mainWindow->removeEventFilter(this);
}

void frmResetTP::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_started) {
        m_started = true;
        Form_Activate();
    }
}

void frmResetTP::Form_Activate()
{
    setCursor(Qt::WaitCursor);
    m_driver.start();
}

void frmResetTP::runEnded(const QString& failure)
{
    m_failure = failure;
    unsetCursor();
    accept();
}

void frmResetTP::reject()
{
    // Nothing to cancel: Esc and the close button are ignored while the reset runs.
    if (!m_driver.isRunning())
        QDialog::reject();
}

bool frmResetTP::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_mainWindow && event->type() == QEvent::Close)
        m_driver.stop();
    return QDialog::eventFilter(watched, event);
}
