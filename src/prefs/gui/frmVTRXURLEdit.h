#pragma once

#include "data/settings/Settings.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmVTRXURLEdit;
}

// One bookmark slot's title and address. A title of "Empty" in any letter case (or none) marks the slot
// unused: the address box greys, and OK empties the slot.
class frmVTRXURLEdit : public QDialog
{
    Q_OBJECT
public:
    frmVTRXURLEdit(Favourite& slot, QWidget* parent = nullptr);
    ~frmVTRXURLEdit() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void Form_Activate();
    void txtName_Change();
    void cmdOK_Click();
    void cmdCancel_Click();
    void setAddressEnabled(bool enabled);

    Favourite& m_slot;
    std::unique_ptr<Ui::frmVTRXURLEdit> ui;
};
