#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

class QLabel;

// The about box: the program's name and version, its animated picture, and two links, lblEmail (a "mailto:"
// address) and lblWeb (the home page), opened through the desktop's "Open". cmdOK closes it.
class frmVTRXAbout : public QDialog
{
    Q_OBJECT

public:
    // shellOpen: the desktop's "Open"; false when no program took the address.
    explicit frmVTRXAbout(std::function<bool(const QString&)> shellOpen, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void lblLink_Click(const QString& address);
    void imgLogo_Timer();

    std::function<bool(const QString&)> m_shellOpen;
    QLabel* imgLogo = nullptr;
    QTimer m_animation;
    int m_phase = 0;
};
