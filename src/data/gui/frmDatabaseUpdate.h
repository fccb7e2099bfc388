#pragma once

#include "data/DatabaseUpgrade.h"
#include "data/PortDefaults.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;

namespace catalogue {
class Catalogue;
}

// The window shown while an older catalogue is brought up to date. It has no buttons: it runs the
// upgrade as soon as it is shown and closes itself at the end.
class frmDatabaseUpdate : public QDialog
{
    Q_OBJECT
public:
    // readDefaults reads the eight default-port settings afresh from the settings store.
    frmDatabaseUpdate(catalogue::Catalogue& catalogue, bool addTrainedFields,
                      std::function<PortDefaults()> readDefaults, QWidget* parent = nullptr);

    const catalogue::UpgradeResult& result() const { return m_result; }
    // The defaults the upgrade used; they replace the program's copies.
    const PortDefaults& portDefaults() const { return m_defaults; }

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override; // no way out while the catalogue is being rewritten

private:
    void Form_Load();
    void Form_Activate();

    catalogue::Catalogue& m_catalogue;
    bool m_addTrainedFields;
    std::function<PortDefaults()> m_readDefaults;
    PortDefaults m_defaults;
    catalogue::UpgradeResult m_result;
    bool m_activated = false;
    QProgressBar* pbUpdate = nullptr;
    QLabel* lblGame = nullptr;
};
