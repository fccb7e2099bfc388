#include "music/gui/frmVTRXSidInfo.h"

#include "appstate/AppState.h"
#include "c64/SidHeader.h"
#include "music/SidDialogs.h"

#include <QApplication>

#include "ui_frmVTRXSidInfo.h"

frmVTRXSidInfo::frmVTRXSidInfo(app::AppState& state, const QString& tunePath, QWidget* parent)
    : QDialog(parent), m_state(state), ui(std::make_unique<Ui::frmVTRXSidInfo>())
{
    ui->setupUi(this);
    connect(ui->cboTunes, &QComboBox::activated, this, &frmVTRXSidInfo::cboTunes_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXSidInfo::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXSidInfo::cmdCancel_Click);
    Form_Load(tunePath);
}

frmVTRXSidInfo::~frmVTRXSidInfo() = default;

void frmVTRXSidInfo::Form_Load(const QString& tunePath)
{
    m_startTuneChanged = false;
    app::SidTune& tune = m_state.CurrentTune;
    tune.SidPath = tunePath;
    if (!c64::ReadSidHeader(tune.SidPath, tune.SidName, tune.SidAuthor, tune.SidCopyright, tune.SidStartSong,
                            tune.SidSongs)) {
        for (QWidget* w : std::initializer_list<QWidget*>{ui->Label1, ui->Label2, ui->Label3, ui->Label4, ui->lblName,
                                                          ui->lblCopyright, ui->cboTunes})
            w->hide();
        QFont bold = ui->lblAuthor->font();
        bold.setBold(true);
        ui->lblAuthor->setFont(bold);
        ui->lblAuthor->setAlignment(Qt::AlignCenter);
        ui->layout->removeWidget(ui->lblAuthor);
        ui->layout->addWidget(ui->lblAuthor, 0, 0, 4, 2);
        ui->lblAuthor->setText(music::kInfoNoPsidText);
        return;
    }
    ui->lblName->setText(tune.SidName);
    ui->lblAuthor->setText(tune.SidAuthor);
    ui->lblCopyright->setText(tune.SidCopyright);
    ui->cboTunes->addItems(music::tuneEntries(tune.SidSongs));
    ui->cboTunes->setCurrentIndex(music::startSongEntry(tune.SidStartSong, ui->cboTunes->count()));
}

void frmVTRXSidInfo::cboTunes_Click(int index)
{
    m_startTuneChanged = music::startSongChanged(index, m_state.CurrentTune.SidStartSong);
}

void frmVTRXSidInfo::cmdOK_Click()
{
    if (m_startTuneChanged) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QCoreApplication::processEvents();
        const int song = ui->cboTunes->currentIndex() + 1;
        if (music::changeStartSong(m_state.CurrentTune.SidPath, song))
            m_state.CurrentTune.SidStartSong = song;
        QApplication::restoreOverrideCursor();
        QCoreApplication::processEvents();
    }
    accept();
}

void frmVTRXSidInfo::cmdCancel_Click()
{
    reject();
}
