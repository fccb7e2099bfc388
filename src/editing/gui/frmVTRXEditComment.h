#pragma once

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The personal comment of the current game, several lines, at most 100 characters (more only when the stored one
// is longer already). The caller stores comment() after OK.
class frmVTRXEditComment : public QDialog
{
    Q_OBJECT
public:
    frmVTRXEditComment(const QString& stored, QWidget* parent);

    QString comment() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Activate();
    void txtComment_Change();

    int m_limit;
    QString m_text; // the text as it was within the limit
    QPlainTextEdit* txtComment = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
