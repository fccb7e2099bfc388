#pragma once

#include "maintenance/gui/ReportWindow.h"

namespace app {
class AppState;
}

// The verification window: checks every game's file and tune, sets the availability flags and lists what it found.
// Modal over the main window; once started, the run cannot be cancelled.
class frmVerify : public ReportWindow
{
    Q_OBJECT

public:
    frmVerify(app::AppState& state, QWidget* mainWindow);

    void reject() override;

protected:
    void showRunning() override;
    void showDone() override;

private:
    void cmdStart_Click();

    app::AppState& m_state;
};
