#include "files/gui/frmSSFilename.h"

#include "files/FolderLists.h"
#include "files/ScreenshotRules.h"
#include "platform/MessageBox.h"
#include "platform/gui/ElidedText.h"

#include "ui_frmSSFilename.h"

using platform::MessageBox;

frmSSFilename::frmSSFilename(const QString& caption, const QString& gameName, const QString& dumpName,
                             const QString& screenshotsFolder, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmSSFilename>()), m_dumpName(dumpName), m_folder(screenshotsFolder)
{
    ui->setupUi(this);
    connect(ui->cmdOK, &QPushButton::clicked, this, &frmSSFilename::cmdOK_Click);
    Form_Load(caption, gameName);
}

frmSSFilename::~frmSSFilename() = default;

void frmSSFilename::Form_Load(const QString& caption, const QString& gameName)
{
    setWindowTitle(caption);
    platform::setElidedText(ui->DirBox, m_folder);
    ui->FileBox->addItems(files::fileEntries(m_folder, {files::kGifPattern}));
    proposeName(files::proposedScreenshotName(gameName));
}

void frmSSFilename::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    ui->txtName->setFocus();
}

// The name with its stem selected, so that typing replaces the stem and keeps ".gif".
void frmSSFilename::proposeName(const QString& name)
{
    ui->txtName->setText(name);
    ui->txtName->setSelection(0, int(std::max<qsizetype>(0, name.size() - 4)));
}

void frmSSFilename::cmdOK_Click()
{
    ui->cmdOK->setEnabled(false);
    const QString name = ui->txtName->text();
    if (const auto refusal = files::screenshotNameRefusal(name)) {
        MessageBox::show(refusal->text, platform::kMessageTitle, refusal->icon);
        proposeName(files::gifNameOf(m_dumpName));
        ui->cmdOK->setEnabled(true);
        return;
    }
    if (!files::existingScreenshot(m_folder, name).isEmpty()) {
        switch (MessageBox::show(files::kOverwriteQuestion, platform::kMessageTitle, MessageBox::Question,
                                 MessageBox::Yes | MessageBox::No | MessageBox::Cancel)) {
        case MessageBox::Yes:
            break; // the older GIF is replaced only once the new one exists
        case MessageBox::No:
            ui->cmdOK->setEnabled(true);
            return;
        default:
            reject();
            return;
        }
    }
    m_chosenName = name;
    accept();
}
