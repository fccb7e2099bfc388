#include "editing/gui/frmPickList.h"

#include "editing/gui/EditorForms.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using editing::LookupEntry;

frmPickList::frmPickList(const PickListLook& look, const QVector<LookupEntry>& entries, int selected, QWidget* parent)
    : QDialog(parent), m_entries(entries)
{
    setObjectName(QString::fromLatin1(look.form));
    setWindowTitle(look.caption);
    lstItems = new QListWidget(this);
    lstItems->setObjectName(QStringLiteral("lstItems"));
    cmdOK = editing::editorButton(this, "cmdOK", look.okCaption);
    cmdOK->setDefault(true);
    cmdCancel = editing::editorButton(this, "cmdCancel", QStringLiteral("Cancel"));
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    if (!look.addCaption.isEmpty()) {
        cmdAdd = editing::editorButton(this, "cmdAdd", look.addCaption);
        cmdEdit = editing::editorButton(this, "cmdEdit", look.editCaption);
        buttons->addSpacing(12);
        buttons->addWidget(cmdAdd);
        buttons->addWidget(cmdEdit);
        connect(cmdAdd, &QPushButton::clicked, this, &frmPickList::cmdAdd_Click);
        connect(cmdEdit, &QPushButton::clicked, this, &frmPickList::cmdEdit_Click);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstItems, 1);
    layout->addLayout(buttons);
    editing::setEditorSize(this);

    connect(lstItems, &QListWidget::itemSelectionChanged, this, &frmPickList::lstItems_Click);
    connect(lstItems, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    Form_Load(selected);
}

void frmPickList::Form_Load(int selected)
{
    showEntries(selected);
    lstItems->setFocus();
    UpdateEditButton();
}

void frmPickList::showEntries(int selected)
{
    lstItems->clear();
    for (const LookupEntry& e : std::as_const(m_entries))
        lstItems->addItem(e.text);
    // No entry selected at all (not even the first) when the game's value is not among them.
    lstItems->setCurrentRow(selected, QItemSelectionModel::ClearAndSelect);
    if (QListWidgetItem* item = lstItems->currentItem())
        lstItems->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

void frmPickList::lstItems_Click()
{
    UpdateEditButton();
}

void frmPickList::UpdateEditButton()
{
    if (cmdEdit)
        cmdEdit->setEnabled(chosen() && editing::entryEditable(chosen()->text));
}

void frmPickList::cmdAdd_Click()
{
    const std::optional<LookupEntry> added = addEntry ? addEntry() : std::nullopt;
    if (added) {
        const int at = editing::sortedPosition(m_entries, added->text);
        m_entries.insert(at, *added);
        showEntries(at);
    }
    UpdateEditButton();
    cmdOK->setFocus();
}

void frmPickList::cmdEdit_Click()
{
    const std::optional<LookupEntry> entry = chosen();
    const std::optional<QString> renamed = entry && renameEntry ? renameEntry(*entry) : std::nullopt;
    if (!renamed)
        return;
    m_entries.removeAt(lstItems->currentRow());
    const int at = editing::sortedPosition(m_entries, *renamed);
    m_entries.insert(at, {entry->key, *renamed});
    showEntries(at);
    UpdateEditButton();
}

std::optional<LookupEntry> frmPickList::chosen() const
{
    const int row = lstItems->currentRow();
    if (row < 0 || row >= m_entries.size() || !lstItems->item(row)->isSelected())
        return std::nullopt;
    return m_entries[row];
}
