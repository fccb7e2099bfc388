#pragma once

#include <QWidget>

class QSettings;
class frmVTRXMain;

namespace platform {
class SingleInstance;
}

// The splash window: refuses a second copy of the program, shows its picture while the main window
// loads and is unloaded by the main window once the game list is filled.
class frmVTRXSplash : public QWidget
{
    Q_OBJECT

public:
    frmVTRXSplash(platform::SingleInstance& instance, QSettings& store);

    // The splash's start. Returns the main window, shown and loaded, or nullptr when the program ends
    // (another copy runs, or the main window's start failed; the message has been shown).
    frmVTRXMain* Form_Load();

private:
    platform::SingleInstance& m_instance;
    QSettings& m_store;
};
