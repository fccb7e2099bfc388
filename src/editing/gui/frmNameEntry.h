#pragma once

#include "editing/gui/EditorForms.h"

#include <QDialog>
#include <QStringList>

#include <functional>

class QLineEdit;
class QPushButton;

// One line of text and OK: the dialogs that add a game ("frmVTRXAddGame") or a tune ("frmVTRXAddSidTune"), rename a
// game ("frmVTRXEditGameName"), add or rename a publisher or musician ("frmVTRXEditAdd") and edit a high score
// ("frmVTRXEditHighScore"). OK hands the text to the caller's check, which writes it or refuses it.
struct NameEntryLook
{
    const char* form;
    QString caption;
    QStringList labels; // Label1, Label2, ... above the box
    const char* box = "txtName";
    const char* okName = "cmdOK";
    QString okCaption = QStringLiteral("&OK");
    bool okNeedsText = false; // OK is enabled only while the box holds text
    int limit = 50;
};

class frmNameEntry : public QDialog
{
    Q_OBJECT
public:
    frmNameEntry(const NameEntryLook& look, const QString& text,
                 std::function<editing::NameAnswer(const QString& text)> onOK, QWidget* parent);

    QString text() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void txtName_Change();
    void cmdOK_Click();

    bool m_okNeedsText;
    std::function<editing::NameAnswer(const QString&)> m_onOK;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
