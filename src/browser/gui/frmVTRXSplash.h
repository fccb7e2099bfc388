#pragma once

#include <QWidget>

class QSettings;

namespace platform {
class SingleInstance;
}

// The splash window: refuses a second copy of the program and shows its picture while the main window
// loads; the main window unloads it once the game list is filled.
class frmVTRXSplash : public QWidget
{
    Q_OBJECT

public:
    frmVTRXSplash(platform::SingleInstance& instance, QSettings& store);

    // The splash's start: false when another copy runs (the message has been shown) and the program ends.
    bool Form_Load();
    // "ShowPrefs" was still set: the introductory notes follow the main window's load.
    bool firstRun() const { return m_firstRun; }

private:
    platform::SingleInstance& m_instance;
    QSettings& m_store;
    bool m_firstRun = false;
};
