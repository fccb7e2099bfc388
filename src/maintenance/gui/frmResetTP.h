#pragma once

#include "maintenance/CatalogueResets.h"
#include "maintenance/RunDriver.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;

namespace app {
class AppState;
}

// The small progress window of a bulk reset: it starts the reset as soon as it is shown and closes itself at the
// end. It has nothing to press, so a confirmed reset cannot be cancelled; should the main window close meanwhile,
// nothing is written.
class frmResetTP : public QDialog
{
    Q_OBJECT

public:
    frmResetTP(app::AppState& state, maintenance::ResetKind kind, QWidget* mainWindow);
    ~frmResetTP() override;

    // Why the reset wrote nothing, as the user is told; empty when it was written.
    QString failure() const { return m_failure; }
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Activate();
    void runEnded(const QString& failure);

    QLabel* lblWait = nullptr;
    QProgressBar* pbWait = nullptr;
    maintenance::ResetRun m_run;
    maintenance::RunDriver m_driver;
    QWidget* m_mainWindow = nullptr;
    QString m_failure;
    bool m_started = false;
};
