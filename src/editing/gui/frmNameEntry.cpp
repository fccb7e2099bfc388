#include "editing/gui/frmNameEntry.h"

#include "editing/FieldRules.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using editing::NameAnswer;

frmNameEntry::frmNameEntry(const NameEntryLook& look, const QString& text,
                           std::function<NameAnswer(const QString&)> onOK, QWidget* parent)
    : QDialog(parent), m_okNeedsText(look.okNeedsText), m_onOK(std::move(onOK))
{
    setObjectName(QString::fromLatin1(look.form));
    setWindowTitle(look.caption);
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < look.labels.size(); ++i) {
        auto* label = new QLabel(look.labels[i], this);
        label->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    txtName = new QLineEdit(this);
    txtName->setObjectName(QString::fromLatin1(look.box));
    txtName->setMaxLength(editing::boxLimit(look.limit, text));
    txtName->setText(text);
    layout->addWidget(txtName);
    layout->addStretch();
    cmdOK = editing::editorButton(this, look.okName, look.okCaption);
    cmdOK->setDefault(true);
    cmdCancel = editing::editorButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    layout->addLayout(editing::buttonRow(cmdOK, cmdCancel));
    editing::setEditorSize(this);

    connect(txtName, &QLineEdit::textChanged, this, &frmNameEntry::txtName_Change);
    connect(cmdOK, &QPushButton::clicked, this, &frmNameEntry::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    txtName_Change();
}

QString frmNameEntry::text() const
{
    return txtName->text();
}

void frmNameEntry::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmNameEntry::Form_Activate()
{
    txtName->selectAll();
    txtName->setFocus();
}

void frmNameEntry::txtName_Change()
{
    if (m_okNeedsText)
        cmdOK->setEnabled(!txtName->text().isEmpty());
}

void frmNameEntry::cmdOK_Click()
{
    const NameAnswer answer = m_onOK(txtName->text());
    if (!answer.message.isEmpty())
        answer.message.show();
    if (answer.kind == NameAnswer::Accept)
        accept();
    else if (answer.kind == NameAnswer::GiveUp)
        reject();
    else {
        if (answer.resetTo)
            txtName->setText(*answer.resetTo);
        Form_Activate();
    }
}
