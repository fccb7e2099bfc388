#pragma once

#include <QDialog>

#include <memory>

namespace app {
class AppState;
}

namespace Ui {
class frmVTRXSidInfo;
}

// The SID information dialog: the header of the tune at tunePath (CurrentTune), and OK rewrites its default
// start song when another one was chosen.
class frmVTRXSidInfo : public QDialog
{
    Q_OBJECT
public:
    frmVTRXSidInfo(app::AppState& state, const QString& tunePath, QWidget* parent = nullptr);
    ~frmVTRXSidInfo() override;

private:
    void Form_Load(const QString& tunePath);
    void cboTunes_Click(int index);
    void cmdOK_Click();
    void cmdCancel_Click();

    app::AppState& m_state;
    std::unique_ptr<Ui::frmVTRXSidInfo> ui;
    bool m_startTuneChanged = false;
};
