#pragma once

#include <QDialog>

#include <memory>

namespace app {
class AppState;
}

namespace Ui {
class frmVTRXSidFile;
}

namespace music {
enum class SidInfoState;
}

// The SID file dialog: a tune file picked from the tune folder (never above it), its header shown, listened
// to, its default start song changed, for the current game or for a new stand-alone tune. OK rewrites the start
// song when it was changed and hands back the chosen tune as the catalogue stores it (chosenTune(), empty for
// "(None)"). The dialog never touches the catalogue.
class frmVTRXSidFile : public QDialog
{
    Q_OBJECT
public:
    // musicFilename: the game's stored tune, selected when it is there (not used for a new tune).
    frmVTRXSidFile(app::AppState& state, const QString& caption, const QString& musicFilename, bool newTune,
                   QWidget* parent = nullptr);
    ~frmVTRXSidFile() override;

    QString chosenTune() const { return m_chosenTune; }

private:
    void Form_Load(const QString& musicFilename);
    void DirBox_Change(const QString& folder);
    void FileBox_Click();
    void cboTunes_Click(int index);
    void cmdRun_Click();
    void cmdNone_Click();
    void cmdOK_Click();
    // The lists and the information area.
    void showFolder(const QString& folder, const QString& pattern);
    void showInfo(music::SidInfoState state);
    QString selectedFile() const;

    app::AppState& m_state;
    bool m_newTune = false;
    std::unique_ptr<Ui::frmVTRXSidFile> ui;
    QString m_folder; // the folder the lists show, always inside the tune folder
    QString m_pattern;
    bool m_startTuneChanged = false;
    QString m_chosenTune;
};
