#include "music/gui/frmVTRXSidFile.h"

#include "appstate/AppState.h"
#include "c64/SidHeader.h"
#include "files/FolderLists.h"
#include "music/SidDialogs.h"
#include "music/TunePlayback.h"
#include "platform/PathNames.h"
#include "platform/gui/ElidedText.h"
#include "platform/gui/FolderListKeys.h"

#include <QApplication>

#include "ui_frmVTRXSidFile.h"

using music::SidInfoState;

frmVTRXSidFile::frmVTRXSidFile(app::AppState& state, const QString& caption, const QString& musicFilename, bool newTune,
                               QWidget* parent)
    : QDialog(parent), m_state(state), m_newTune(newTune), ui(std::make_unique<Ui::frmVTRXSidFile>())
{
    ui->setupUi(this);
    setWindowTitle(caption);
    platform::openFoldersOnReturn(ui->DirBox);
    connect(ui->DirBox, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { DirBox_Change(files::folderBelow(m_folder, item->text())); });
    connect(ui->FileBox, &QListWidget::itemSelectionChanged, this, &frmVTRXSidFile::FileBox_Click);
    connect(ui->FileBox, &QListWidget::itemDoubleClicked, this, &frmVTRXSidFile::cmdRun_Click);
    connect(ui->cboTunes, &QComboBox::activated, this, &frmVTRXSidFile::cboTunes_Click);
    connect(ui->cmdRun, &QPushButton::clicked, this, &frmVTRXSidFile::cmdRun_Click);
    connect(ui->cmdNone, &QPushButton::clicked, this, &frmVTRXSidFile::cmdNone_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXSidFile::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXSidFile::reject);
    Form_Load(musicFilename);
}

frmVTRXSidFile::~frmVTRXSidFile() = default;

void frmVTRXSidFile::Form_Load(const QString& musicFilename)
{
    const music::SidFileStart start = music::sidFileStart(m_newTune, musicFilename, m_state.settings);
    showFolder(start.folder, start.pattern);
    ui->cmdRun->setEnabled(start.runEnabled);
    ui->cmdOK->setEnabled(!m_newTune);
    ui->cmdNone->setEnabled(!m_newTune);
    const QList<QListWidgetItem*> match = start.fileName.isEmpty()
                                              ? QList<QListWidgetItem*>()
                                              : ui->FileBox->findItems(start.fileName, Qt::MatchFixedString);
    if (match.isEmpty()) {
        showInfo(SidInfoState::NoFile);
        return;
    }
    ui->FileBox->setCurrentItem(match.first());
}

void frmVTRXSidFile::showFolder(const QString& folder, const QString& pattern)
{
    m_folder = folder;
    m_pattern = pattern;
    platform::setElidedText(ui->lblFolder, folder);
    ui->DirBox->clear();
    ui->DirBox->addItems(files::folderEntries(folder));
    const QSignalBlocker quiet(ui->FileBox);
    ui->FileBox->clear();
    ui->FileBox->addItems(files::fileEntries(folder, files::patternList(pattern)));
}

void frmVTRXSidFile::DirBox_Change(const QString& folder)
{
    // Above or beside the tune folder no name can be stored: the lists stay in the last folder, the chosen file
    // chosen.
    if (!music::insideMusicFolder(folder, m_state.settings.MusicPath))
        return;
    showFolder(folder, m_pattern);
    FileBox_Click();
}

void frmVTRXSidFile::FileBox_Click()
{
    m_startTuneChanged = false;
    const QString file = selectedFile();
    if (m_newTune)
        ui->cmdOK->setEnabled(!file.isEmpty());
    if (file.isEmpty()) {
        ui->cmdRun->setEnabled(false);
        showInfo(SidInfoState::NoFile);
        return;
    }
    ui->cmdRun->setEnabled(!m_state.settings.SidplayWPath.isEmpty());
    platform::setElidedText(ui->lblName, file);
    app::SidTune& tune = m_state.CurrentTune;
    tune.SidPath = platform::joinPath(m_folder, file);
    if (!c64::ReadSidHeader(tune.SidPath, tune.SidName, tune.SidAuthor, tune.SidCopyright, tune.SidStartSong,
                            tune.SidSongs)) {
        showInfo(SidInfoState::NoPsid);
        return;
    }
    showInfo(SidInfoState::Psid);
}

void frmVTRXSidFile::cboTunes_Click(int index)
{
    m_startTuneChanged = music::startSongChanged(index, m_state.CurrentTune.SidStartSong);
}

void frmVTRXSidFile::cmdRun_Click()
{
    music::playChosenTune(m_state.settings, m_folder, selectedFile(), m_state.SidPlayer);
}

void frmVTRXSidFile::cmdNone_Click()
{
    ui->FileBox->clearSelection();
    ui->FileBox->setCurrentItem(nullptr);
    FileBox_Click();
}

void frmVTRXSidFile::cmdOK_Click()
{
    const QString file = selectedFile();
    if (m_startTuneChanged && !file.isEmpty()) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const int song = ui->cboTunes->currentIndex() + 1;
        if (music::changeStartSong(m_state.CurrentTune.SidPath, song))
            m_state.CurrentTune.SidStartSong = song;
        QApplication::restoreOverrideCursor();
    }
    m_chosenTune = music::storedTuneName(m_folder, file, m_state.settings.MusicPath);
    accept();
}

QString frmVTRXSidFile::selectedFile() const
{
    const QList<QListWidgetItem*> selected = ui->FileBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

void frmVTRXSidFile::showInfo(SidInfoState state)
{
    const bool psid = state == SidInfoState::Psid;
    ui->Label5->setVisible(state != SidInfoState::NoFile);
    ui->lblName->setVisible(state != SidInfoState::NoFile);
    for (QWidget* w :
         {static_cast<QWidget*>(ui->Label4), static_cast<QWidget*>(ui->lblSidName), static_cast<QWidget*>(ui->Label2),
          static_cast<QWidget*>(ui->Label3), static_cast<QWidget*>(ui->lblCopyright), static_cast<QWidget*>(ui->Label1),
          static_cast<QWidget*>(ui->cboTunes)})
        w->setVisible(psid);
    if (state == SidInfoState::NoFile)
        platform::setElidedText(ui->lblName, music::kNoneSelected);
    // A note stands bold and centred where the name would be; the author sits beside its caption.
    ui->info->removeWidget(ui->lblAuthor);
    if (psid)
        ui->info->addWidget(ui->lblAuthor, 2, 1);
    else
        ui->info->addWidget(ui->lblAuthor, 1, 0, 1, 2);
    QFont font = ui->lblAuthor->font();
    font.setBold(!psid);
    ui->lblAuthor->setFont(font);
    ui->lblAuthor->setAlignment(psid ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
    ui->cboTunes->clear();
    if (!psid) {
        ui->lblAuthor->setText(state == SidInfoState::NoFile ? music::kNoFileText : music::kNoPsidText);
        return;
    }
    const app::SidTune& tune = m_state.CurrentTune;
    ui->lblSidName->setText(tune.SidName);
    ui->lblAuthor->setText(tune.SidAuthor);
    ui->lblCopyright->setText(tune.SidCopyright);
    ui->cboTunes->addItems(music::tuneEntries(tune.SidSongs));
    ui->cboTunes->setCurrentIndex(music::startSongEntry(tune.SidStartSong, ui->cboTunes->count()));
}
