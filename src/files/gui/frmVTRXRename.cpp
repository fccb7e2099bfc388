#include "files/gui/frmVTRXRename.h"

#include "files/GameFileActions.h"
#include "files/RenameRules.h"
#include "platform/MessageBox.h"
#include "platform/PathNames.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

frmVTRXRename::frmVTRXRename(const QString& folder, const QString& fileName, catalogue::CurrentGame* game,
                             QWidget* parent)
    : QDialog(parent), m_folder(folder), m_oldName(fileName), m_game(game)
{
    setObjectName(QStringLiteral("frmVTRXRename"));
    setWindowTitle(QStringLiteral("Rename File"));
    setModal(true);
    Label1 = new QLabel(QStringLiteral("New name for '%1':").arg(fileName), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    txtName = new QLineEdit(this);
    txtName->setObjectName(QStringLiteral("txtName"));
    lblEXT = new QLabel(this);
    lblEXT->setObjectName(QStringLiteral("lblEXT"));
    cmdRename = new QPushButton(QStringLiteral("&Rename"), this);
    cmdRename->setObjectName(QStringLiteral("cmdRename"));
    cmdRename->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* name = new QHBoxLayout;
    name->addWidget(txtName, 1);
    name->addWidget(lblEXT);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdRename);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addLayout(name);
    layout->addLayout(buttons);

    connect(cmdRename, &QPushButton::clicked, this, &frmVTRXRename::cmdRename_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load();
}

void frmVTRXRename::Form_Load()
{
    const files::NameParts parts = files::splitAtLastDot(m_oldName);
    txtName->setText(parts.stem);
    lblEXT->setText(parts.extension);
    txtName->selectAll();
}

void frmVTRXRename::cmdRename_Click()
{
    const QString oldStem = files::splitAtLastDot(m_oldName).stem;
    const QString refusal = files::renameRefusal(m_folder, m_oldName, txtName->text(), lblEXT->text());
    if (!refusal.isEmpty()) {
        if (refusal.startsWith(files::kNameExistsPrefix))
            platform::MessageBox::information(refusal);
        else
            platform::MessageBox::exclamation(refusal);
        txtName->setText(oldStem);
        txtName->selectAll();
        txtName->setFocus();
        return;
    }
    const QString newName = txtName->text() + lblEXT->text();
    if (newName == m_oldName) {
        reject(); // nothing to rename
        return;
    }
    const files::GameFileActionOutcome outcome =
        files::renameGameFile(platform::joinPath(m_folder, m_oldName), newName, m_game);
    if (!outcome.message.isEmpty())
        platform::MessageBox::exclamation(outcome.message);
    if (!outcome.done)
        return;
    m_newName = newName;
    accept();
}
