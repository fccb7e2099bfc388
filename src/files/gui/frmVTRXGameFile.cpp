#include "files/gui/frmVTRXGameFile.h"

#include "appstate/AppState.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "files/FolderLists.h"
#include "files/GameFileActions.h"
#include "files/GameFileRules.h"
#include "files/gui/frmRenameArchive.h"
#include "files/gui/frmVTRXMoveFile.h"
#include "files/gui/frmVTRXRename.h"
#include "platform/FolderBelow.h"
#include "platform/MessageBox.h"
#include "platform/PathNames.h"
#include "platform/SidPlayProcess.h"
#include "platform/Terminal.h"
#include "platform/gui/ElidedText.h"
#include "platform/gui/FolderListKeys.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>

#include "ui_frmVTRXGameFile.h"

using launch::EmulatorKind;

frmVTRXGameFile::frmVTRXGameFile(app::AppState& state, const QString& caption, bool newGame, QWidget* parent)
    : QDialog(parent), m_state(state), m_newGame(newGame), ui(std::make_unique<Ui::frmVTRXGameFile>()),
      m_game(state.folders().conversion)
{
    ui->setupUi(this);
    setWindowTitle(caption);
    useArchiveRenameDialog(m_game, this);
    m_game.setWinzipPath(state.settings.WinzipPath);
    FlashTimer.setInterval(400);
    connect(&FlashTimer, &QTimer::timeout, this, &frmVTRXGameFile::FlashTimer_Timer);

    auto* bar = new QMenuBar(this);
    QMenu* mnuP = bar->addMenu(QStringLiteral("&Paths"));
    mnuP->setObjectName(QStringLiteral("mnuP"));
    mnuP->setToolTipsVisible(true);
    // A long games folder is elided in the middle, so that the menu stays on the screen, and whole in the tool
    // tip; an "&" in it is shown, not taken for a shortcut key.
    const int widest = screen()->availableGeometry().width() / 2;
    for (int i = 0; i < int(state.settings.GamesPath.size()); ++i) {
        const QString& folder = state.settings.GamesPath[size_t(i)];
        QAction* item = mnuP->addAction(fontMetrics().elidedText(folder, Qt::ElideMiddle, widest).replace('&', "&&"));
        item->setToolTip(folder);
        item->setObjectName(QStringLiteral("mnuPaths(%1)").arg(i));
        item->setVisible(!folder.isEmpty());
        connect(item, &QAction::triggered, this, [this, i] { mnuPaths_Click(i); });
    }
    ui->layout->setMenuBar(bar);

    platform::openFoldersOnReturn(ui->DirBox);
    connect(ui->DirBox, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { DirBox_Change(files::folderBelow(m_folder, item->text())); });
    connect(ui->FileBox, &QListWidget::itemSelectionChanged, this, &frmVTRXGameFile::FileBox_Click);
    connect(ui->cmdRun, &QPushButton::clicked, this, [this] { cmdRun_Click(EmulatorKind::Ccs64Dos19); });
    connect(ui->cmdRunD, &QPushButton::clicked, this, [this] { cmdRun_Click(EmulatorKind::Ccs64Dos20); });
    connect(ui->cmdRunX, &QPushButton::clicked, this, [this] { cmdRun_Click(EmulatorKind::Ccs64Win32); });
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmVTRXGameFile::cmdOK_Click);
    connect(ui->cmdCancel, &QPushButton::clicked, this, &frmVTRXGameFile::reject);
    connect(ui->cmdNone, &QPushButton::clicked, this, &frmVTRXGameFile::cmdNone_Click);
    connect(ui->cmdRefresh, &QPushButton::clicked, this, &frmVTRXGameFile::cmdRefresh_Click);
    connect(ui->cmdDelete, &QPushButton::clicked, this, &frmVTRXGameFile::cmdDelete_Click);
    connect(ui->cmdRename, &QPushButton::clicked, this, &frmVTRXGameFile::cmdRename_Click);
    connect(ui->cmdMove, &QPushButton::clicked, this, &frmVTRXGameFile::cmdMove_Click);
    connect(ui->cmdDosPrompt, &QPushButton::clicked, this, &frmVTRXGameFile::cmdDosPrompt_Click);
    Form_Load();
}

frmVTRXGameFile::~frmVTRXGameFile() = default;

void frmVTRXGameFile::Form_Load()
{
    const files::GameFileStart start =
        files::gameFileStart(m_newGame, m_state.currentGame.text(catalogue::field::Filename), m_state.settings,
                             m_state.GameFileRoot, m_state.GameFileFolder);
    if (!start.notFoundMessage.isEmpty())
        platform::MessageBox::critical(start.notFoundMessage);
    if (const QString missing = files::missingGamesFolderMessage(start.root); !missing.isEmpty())
        platform::MessageBox::exclamation(missing);
    m_root = start.root;
    showFolder(start.folder);
    cmdNone_Click();
    if (!start.fileName.isEmpty())
        selectFile(start.fileName);
}

void frmVTRXGameFile::mnuPaths_Click(int index)
{
    // A games folder that is gone is named, and the lists stay where they were.
    const QString missing = files::missingGamesFolderMessage(m_state.settings.GamesPath[size_t(index)]);
    if (!missing.isEmpty()) {
        platform::MessageBox::exclamation(missing);
        return;
    }
    m_root = m_state.settings.GamesPath[size_t(index)];
    showFolder(m_root);
    cmdRefresh_Click();
}

void frmVTRXGameFile::DirBox_Change(const QString& folder)
{
    // Above or beside the game folder no name can be stored: the lists go back to the game folder.
    showFolder(platform::folderInside(folder, m_root) ? folder : m_root);
    cmdNone_Click();
}

void frmVTRXGameFile::FileBox_Click()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    FlashTimer.stop();
    ui->lblName->setVisible(true);
    ui->lblFilename->setVisible(true);
    for (QPushButton* b : {ui->cmdDelete, ui->cmdRename, ui->cmdMove})
        b->setEnabled(true);
    ui->lstD64->clear();
    const std::optional<launch::ArchiveKind> kind = clsC64Game::archiveKindOf(file);
    if (!kind) {
        showImage(selectedPath(), QString());
        return;
    }
    ui->lblStatus->setText(files::readingStatus(*kind));
    ui->txtZipContents->clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ConversionResult result = m_game.Convert(*kind, m_folder, file, m_state.workFolder());
    QApplication::restoreOverrideCursor();
    ui->lblStatus->clear();
    if (result.ok && result.imagePath.isEmpty() && !m_reselecting) {
        // The user named the archive after the game to boot: the renamed archive is listed and shown again.
        m_reselecting = true;
        showFolder(m_folder);
        selectFile(m_game.archiveHandover().ArchiveName);
        m_reselecting = false;
        return;
    }
    if (!result.ok || result.imagePath.isEmpty()) {
        showWrongFormat(result.report);
        return;
    }
    showImage(result.imagePath, result.report);
}

void frmVTRXGameFile::cmdRun_Click(EmulatorKind kind)
{
    if (const platform::SidPlayProcesses players = platform::FindSidPlayProcess(m_state.settings.SidplayWPath))
        platform::CloseSidPlay(players);
    const int row = ui->lstD64->currentRow();
    const launch::LaunchOutcome outcome =
        m_game.LaunchGame(m_image, std::max(row, 0), false, false, false, kind, m_state.settings, nullptr);
    if (outcome.started)
        m_state.LastRunWasWin32 = kind == EmulatorKind::Ccs64Win32;
}

void frmVTRXGameFile::cmdOK_Click()
{
    rememberFolder();
    const QString file = selectedFile();
    const QString stored = file.isEmpty() ? catalogue::kNone : files::storedGameName(m_folder, file, m_root);
    m_choice = {stored, file.isEmpty() ? 0 : std::max(ui->lstD64->currentRow(), 0), !file.isEmpty()};
    accept();
}

void frmVTRXGameFile::reject()
{
    rememberFolder();
    QDialog::reject();
}

void frmVTRXGameFile::cmdNone_Click()
{
    FlashTimer.stop();
    ui->lstD64->clear();
    for (QPushButton* b : {ui->cmdDelete, ui->cmdRename, ui->cmdMove, ui->cmdRun, ui->cmdRunD, ui->cmdRunX})
        b->setEnabled(false);
    ui->lblFilename->setVisible(true);
    ui->lblName->setVisible(true);
    platform::setElidedText(ui->lblFilename, files::kNoFileSelected);
    platform::setElidedText(ui->lblName, QString(), Qt::ElideRight);
    ui->txtZipContents->clear();
    ui->cmdOK->setEnabled(true);
    m_image.clear();
    const QSignalBlocker quiet(ui->FileBox);
    ui->FileBox->clearSelection();
    ui->FileBox->setCurrentItem(nullptr);
}

void frmVTRXGameFile::cmdRefresh_Click()
{
    showFolder(m_folder);
    cmdNone_Click();
    ui->FileBox->setFocus();
}

void frmVTRXGameFile::cmdDelete_Click()
{
    const QString file = selectedFile();
    if (file.isEmpty() ||
        platform::MessageBox::question(files::deleteQuestion(file, m_folder)) != platform::MessageBox::Yes)
        return;
    const files::GameFileActionOutcome outcome = files::deleteGameFile(selectedPath(), gameOwning(selectedPath()));
    if (!outcome.done) {
        platform::MessageBox::exclamation(outcome.message);
        return;
    }
    platform::MessageBox::information(files::kGameDeleted);
    cmdRefresh_Click();
}

void frmVTRXGameFile::cmdRename_Click()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    frmVTRXRename dialog(m_folder, file, gameOwning(selectedPath()), this);
    const bool renamed = dialog.exec() == QDialog::Accepted;
    if (renamed) {
        showFolder(m_folder);
        cmdNone_Click();
        selectFile(dialog.newName());
    }
    ui->FileBox->setFocus();
}

void frmVTRXGameFile::cmdMove_Click()
{
    const QString file = selectedFile();
    if (file.isEmpty())
        return;
    frmVTRXMoveFile dialog(m_root, m_folder, file, gameOwning(selectedPath()), m_state.settings.GoToDIR, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    // The file dialog follows the file when "Go To Directory" is ticked and the new folder is inside the game
    // folder; otherwise it shows the folder the file left.
    const bool follow = dialog.followFile() && platform::folderInside(dialog.movedTo(), m_root);
    showFolder(follow ? dialog.movedTo() : m_folder);
    cmdNone_Click();
    if (follow)
        selectFile(file);
}

void frmVTRXGameFile::cmdDosPrompt_Click()
{
    QString error;
    if (!platform::OpenTerminal(m_folder, &error))
        platform::MessageBox::exclamation(error);
}

void frmVTRXGameFile::FlashTimer_Timer()
{
    const bool show = !ui->lblFilename->isVisible();
    ui->lblFilename->setVisible(show);
    ui->lblName->setVisible(show);
}

void frmVTRXGameFile::showFolder(const QString& folder)
{
    m_folder = folder;
    platform::setElidedText(ui->lblFolder, folder);
    ui->DirBox->clear();
    ui->DirBox->addItems(files::folderEntries(folder));
    const QSignalBlocker quiet(ui->FileBox);
    ui->FileBox->clear();
    ui->FileBox->addItems(files::fileEntries(folder, files::patternList(files::kGameFilePattern)));
}

void frmVTRXGameFile::selectFile(const QString& fileName)
{
    const QList<QListWidgetItem*> match = ui->FileBox->findItems(fileName, Qt::MatchFixedString);
    if (!match.isEmpty())
        ui->FileBox->setCurrentItem(match.first());
}

void frmVTRXGameFile::showImage(const QString& imagePath, const QString& report)
{
    m_image = imagePath;
    const c64::ImageListing listing = clsC64Game::ListImage(imagePath);
    platform::setElidedText(ui->lblName, listing.name, Qt::ElideRight);
    platform::setElidedText(ui->lblFilename, platform::FileNameOfPath(imagePath));
    ui->lstD64->addItems(listing.entries);
    ui->txtZipContents->setPlainText(listing.problem.isEmpty() ? report : report + listing.problem);
    ui->cmdOK->setEnabled(true);
    const bool own = !m_newGame && gameOwning(selectedPath()) != nullptr;
    ui->lstD64->setCurrentRow(files::preselectedEntry(
        listing.entries, own, int(m_state.currentGame.number(catalogue::field::FilenameIndex))));
    enableRunButtons(true);
}

void frmVTRXGameFile::showWrongFormat(const QString& report)
{
    m_image.clear();
    platform::setElidedText(ui->lblName, files::kWrongFormat, Qt::ElideRight);
    platform::setElidedText(ui->lblFilename, files::kNotCompatible);
    ui->txtZipContents->setPlainText(report);
    FlashTimer.start();
    ui->lstD64->clear();
    ui->cmdOK->setEnabled(false);
    enableRunButtons(false);
}

void frmVTRXGameFile::enableRunButtons(bool enabled)
{
    ui->cmdRun->setEnabled(enabled && !launch::emulatorPathOf(m_state.settings, EmulatorKind::Ccs64Dos19).isEmpty());
    ui->cmdRunD->setEnabled(enabled && !launch::emulatorPathOf(m_state.settings, EmulatorKind::Ccs64Dos20).isEmpty());
    ui->cmdRunX->setEnabled(enabled && !launch::emulatorPathOf(m_state.settings, EmulatorKind::Ccs64Win32).isEmpty());
}

void frmVTRXGameFile::rememberFolder()
{
    m_state.GameFileRoot = m_root;
    m_state.GameFileFolder = m_folder;
}

QString frmVTRXGameFile::selectedFile() const
{
    const QList<QListWidgetItem*> selected = ui->FileBox->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

QString frmVTRXGameFile::selectedPath() const
{
    const QString file = selectedFile();
    return file.isEmpty() ? QString() : platform::joinPath(m_folder, file);
}

catalogue::CurrentGame* frmVTRXGameFile::gameOwning(const QString& path)
{
    if (m_newGame || path.isEmpty() ||
        !files::isGamesOwnFile(path, m_state.currentGame.text(catalogue::field::Filename), m_state.settings))
        return nullptr;
    return &m_state.currentGame;
}
