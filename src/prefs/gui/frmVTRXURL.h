#pragma once

#include "prefs/Bookmarks.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmVTRXURL;
}

// The twenty bookmark slots in order: a slot moves up or down, titles and addresses together, and is
// edited in frmVTRXURLEdit. Every change goes straight into the table; "Close" only closes.
class frmVTRXURL : public QDialog
{
    Q_OBJECT
public:
    frmVTRXURL(prefs::FavouriteTable& favourites, QWidget* parent = nullptr);
    ~frmVTRXURL() override;

private:
    void Form_Load();
    void lstURLs_Click();
    void cmdUp_Click();
    void cmdDown_Click();
    void cmdEdit_Click();
    void cmdClose_Click();
    // Both lines of an exchange show their slots' titles again, and newLine is selected.
    void showExchange(int line, int newLine);

    prefs::FavouriteTable& m_favourites;
    std::unique_ptr<Ui::frmVTRXURL> ui;
};
