#include "editing/gui/frmVTRXEditComment.h"

#include "editing/FieldRules.h"
#include "editing/gui/EditorForms.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

frmVTRXEditComment::frmVTRXEditComment(const QString& stored, QWidget* parent)
    : QDialog(parent), m_limit(editing::boxLimit(editing::kCommentLimit, stored)), m_text(stored)
{
    setObjectName(QStringLiteral("frmVTRXEditComment"));
    setWindowTitle(QStringLiteral("Edit Personal Comment..."));
    txtComment = new QPlainTextEdit(stored, this);
    txtComment->setObjectName(QStringLiteral("txtComment"));
    // Tab moves on to the buttons, as in every other dialog; Return starts a new line.
    txtComment->setTabChangesFocus(true);
    cmdOK = editing::editorButton(this, "cmdOK", QStringLiteral("&OK"));
    cmdCancel = editing::editorButton(this, "cmdCancel", QStringLiteral("&Cancel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtComment, 1);
    layout->addLayout(editing::buttonRow(cmdOK, cmdCancel));
    editing::setEditorSize(this);

    connect(txtComment, &QPlainTextEdit::textChanged, this, &frmVTRXEditComment::txtComment_Change);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString frmVTRXEditComment::comment() const
{
    return txtComment->toPlainText();
}

void frmVTRXEditComment::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    Form_Activate();
}

void frmVTRXEditComment::Form_Activate()
{
    txtComment->selectAll();
    txtComment->setFocus();
}

void frmVTRXEditComment::txtComment_Change()
{
    // As in a box with a length limit, typing or pasting beyond the limit is refused: the text stays as it was.
    const QString text = txtComment->toPlainText();
    if (text.size() <= m_limit) {
        m_text = text;
        return;
    }
    const int at =
        int(std::min<qsizetype>(txtComment->textCursor().position() - (text.size() - m_text.size()), m_text.size()));
    QSignalBlocker quiet(txtComment);
    txtComment->setPlainText(m_text);
    QTextCursor cursor = txtComment->textCursor();
    cursor.setPosition(std::max(at, 0));
    txtComment->setTextCursor(cursor);
}
