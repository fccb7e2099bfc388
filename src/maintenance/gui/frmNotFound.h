#pragma once

#include "maintenance/gui/ReportWindow.h"

class QLabel;

namespace app {
class AppState;
}

// The missing-files report: every file the catalogue names that is not on disk. An ordinary window beside the
// main window, which stays usable while the search runs; it changes nothing, so closing it stops the search.
class frmNotFound : public ReportWindow
{
    Q_OBJECT

public:
    frmNotFound(app::AppState& state, QWidget* mainWindow);

    // Esc and the window's close button come here.
    void reject() override;

protected:
    void showRunning() override;
    void showDone() override;

private:
    void cmdStart_Click();

    app::AppState& m_state;
    QLabel* lblOK = nullptr;
};
