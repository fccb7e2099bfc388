#include "files/gui/frmVTRXScreenshot.h"

#include "appstate/AppState.h"
#include "c64/CcsScreenshot.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "files/clsScreenshot.h"
#include "files/gui/FolderTrio.h"
#include "files/gui/frmSSFilename.h"
#include "platform/MessageBox.h"
#include "platform/PathNames.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>

#include "ui_frmVTRXScreenshot.h"

namespace field = catalogue::field;

frmVTRXScreenshot::frmVTRXScreenshot(app::AppState& state, const QString& caption, QWidget* parent)
    : QDialog(parent), m_state(state), m_screenshots(state.folders().screenshots),
      m_start(files::screenshotStart(state.settings, state.LastRunWasWin32,
                                     state.currentGame.text(field::ScreenshotFilename), m_screenshots)),
      m_session(files::BrowseMode::File, m_start.folder, m_start.pattern, m_start.selectName, m_screenshots),
      ui(std::make_unique<Ui::frmVTRXScreenshot>())
{
    ui->setupUi(this);
    setWindowTitle(caption);
    m_trio = new FolderTrio(m_session, ui->DriveBox, ui->DirBox, ui->FileBox, ui->lblFolder);
    connect(m_trio, &FolderTrio::folderChanged, this, &frmVTRXScreenshot::DirBox_Change);
    connect(m_trio, &FolderTrio::fileChosen, this, &frmVTRXScreenshot::FileBox_Click);
    connect(m_trio, &FolderTrio::fileActivated, this, [this] {
        if (ui->cmdOK->isEnabled())
            cmdOK_Click();
    });
    connect(ui->cmdSSDir, &QPushButton::clicked, this, &frmVTRXScreenshot::cmdSSDir_Click);
    connect(ui->cmdClear, &QPushButton::clicked, this, &frmVTRXScreenshot::cmdClear_Click);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXScreenshot::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

frmVTRXScreenshot::~frmVTRXScreenshot() = default;

void frmVTRXScreenshot::Form_Load()
{
    (m_state.settings.DeleteOldSSFlag != 0 ? ui->optMove : ui->optCopy)->setChecked(true);
    setWorking(false);
    // An emulator folder that is gone opens its nearest existing folder, which may be the Screenshots folder.
    if (m_start.choosesDumps && files::isScreenshotsFolder(m_session.folder(), m_screenshots)) {
        m_start.choosesDumps = false;
        m_session.changePattern(files::kGifPattern);
    }
    setDumpOptions(m_start.choosesDumps);
    m_cleared = m_start.cleared;
    showPicture(nullptr);
    // A dump folder offers its first dump at once.
    if (m_start.choosesDumps && !m_session.files().isEmpty())
        m_session.chooseFile(0);
    m_trio->showSession();
    if (m_session.chosenFile() >= 0)
        FileBox_Click();
}

void frmVTRXScreenshot::setDumpOptions(bool enabled)
{
    for (QWidget* w :
         {static_cast<QWidget*>(ui->cmdSSDir), static_cast<QWidget*>(ui->optCopy), static_cast<QWidget*>(ui->optMove)})
        w->setEnabled(enabled);
}

void frmVTRXScreenshot::setWorking(bool working)
{
    for (QWidget* w :
         {static_cast<QWidget*>(ui->optCopy), static_cast<QWidget*>(ui->optMove), static_cast<QWidget*>(ui->cmdClear),
          static_cast<QWidget*>(ui->cmdOK), static_cast<QWidget*>(ui->cmdCancel)})
        w->setVisible(!working);
    ui->lblResize->setText(QStringLiteral("Resizing bitmap..."));
    ui->lblResize->setVisible(working);
    ui->ProgressBar1->setValue(ui->ProgressBar1->minimum());
    ui->ProgressBar1->setVisible(working);
}

void frmVTRXScreenshot::showPicture(const QImage* preview, bool invalid)
{
    if (preview)
        ui->imgThumbnail->setPixmap(QPixmap::fromImage(*preview));
    ui->imgThumbnail->setVisible(preview);
    ui->imageInvalid->setVisible(!preview && invalid);
    ui->imgNoScreenshot->setVisible(!preview && !invalid);
}

// GIFs are chosen in the Screenshots folder, dumps anywhere else.
void frmVTRXScreenshot::DirBox_Change()
{
    const bool screenshots = files::isScreenshotsFolder(m_session.folder(), m_screenshots);
    m_session.changePattern(screenshots ? files::kGifPattern : files::kBmpPattern);
    m_trio->showSession();
    setDumpOptions(!screenshots);
    cmdClear_Click();
}

void frmVTRXScreenshot::FileBox_Click()
{
    const QString file = m_session.result();
    if (file.isEmpty())
        return;
    const QImage picture(file);
    const bool gif = files::isGifName(file);
    if (!picture.isNull() && (gif || c64::IsCcs64Screenshot(file))) {
        // A dump shows the area the crop keeps.
        const QImage preview =
            gif ? picture : picture.copy(c64::kShotLeft, c64::kShotTop, c64::kShotWidth, c64::kShotHeight);
        showPicture(&preview);
        m_cleared = false;
        m_newBitmap = !gif;
        ui->cmdOK->setEnabled(true);
        return;
    }
    showPicture(nullptr, true);
    ui->cmdOK->setEnabled(false);
}

void frmVTRXScreenshot::cmdSSDir_Click()
{
    m_session.changeFolder(m_screenshots);
    DirBox_Change();
}

void frmVTRXScreenshot::cmdClear_Click()
{
    showPicture(nullptr);
    m_cleared = true;
    m_newBitmap = false;
    ui->cmdOK->setEnabled(true);
}

void frmVTRXScreenshot::cmdOK_Click()
{
    if (m_cleared)
        m_chosen = catalogue::kNone;
    else if (m_newBitmap)
        takeDump();
    else if (files::isScreenshotsFolder(m_session.folder(), m_screenshots))
        m_chosen = platform::FileNameOfPath(m_session.result());
    accept();
}

void frmVTRXScreenshot::takeDump()
{
    const QString dump = m_session.result();
    frmSSFilename names(files::screenshotNameCaption(m_state.currentGame.text(field::Name)),
                        m_state.currentGame.text(field::Name), platform::FileNameOfPath(dump), m_screenshots, this);
    if (names.exec() != QDialog::Accepted)
        return;
    setWorking(true);
    clsScreenshot shot(m_state.folders());
    shot.CropProgress = [this](int row) {
        ui->ProgressBar1->setValue(row);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    shot.Converting = [this] {
        ui->lblResize->setText(QStringLiteral("Converting to Gif..."));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const clsScreenshot::Outcome outcome =
        shot.ConvertToGif(dump, names.chosenName(),
                          ui->optMove->isChecked() ? clsScreenshot::Transfer::Move : clsScreenshot::Transfer::Copy);
    setWorking(false);
    if (outcome.ok)
        m_chosen = outcome.storedName;
    if (!outcome.message.isEmpty())
        platform::MessageBox::exclamation(outcome.message);
}
