#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmSSFilename;
}

// The name a new screenshot is stored under. Shows the GIFs already in the Screenshots folder and proposes the
// game's name with underscores; OK checks the name and asks before an existing GIF of that name is replaced.
// Accepted: chosenName() holds the name. Rejected (Cancel at the overwrite question, Escape, or the window's
// close button): nothing is to be done. The dialog changes no file and no record.
class frmSSFilename : public QDialog
{
    Q_OBJECT
public:
    // caption: the caption its caller gives; dumpName: the chosen dump's file name, put back after a refusal.
    frmSSFilename(const QString& caption, const QString& gameName, const QString& dumpName,
                  const QString& screenshotsFolder, QWidget* parent = nullptr);
    ~frmSSFilename() override;

    QString chosenName() const { return m_chosenName; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load(const QString& caption, const QString& gameName);
    void cmdOK_Click();
    void proposeName(const QString& name);

    std::unique_ptr<Ui::frmSSFilename> ui;
    QString m_dumpName;
    QString m_folder;
    QString m_chosenName;
};
