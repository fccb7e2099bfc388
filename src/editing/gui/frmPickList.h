#pragma once

#include "editing/LookupLists.h"

#include <QDialog>

#include <functional>
#include <optional>

class QListWidget;
class QPushButton;

// A list to pick one entry from, and OK: the trained state ("frmVTRXEditTrained"), the five fixed lookup lists
// ("frmVTRXEditListFields") and, with the Add and Edit buttons, publishers and musicians
// ("frmVTRXEditChangeFields"). The dialog only picks; its caller stores chosen() after OK. The buttons run the
// caller's add and rename, which write the lookup table at once.
struct PickListLook
{
    const char* form;
    QString caption;
    QString okCaption = QStringLiteral("OK");
    QString addCaption;  // with editing buttons: "Add Publisher"
    QString editCaption; // "Edit Publisher"
};

class frmPickList : public QDialog
{
    Q_OBJECT
public:
    frmPickList(const PickListLook& look, const QVector<editing::LookupEntry>& entries, int selected, QWidget* parent);

    // A new entry from the Add button, nothing when it was cancelled; the new text of an entry from the Edit button.
    std::function<std::optional<editing::LookupEntry>()> addEntry;
    std::function<std::optional<QString>(const editing::LookupEntry& entry)> renameEntry;

    // The entry selected at OK; nothing when none was.
    std::optional<editing::LookupEntry> chosen() const;

private:
    void Form_Load(int selected);
    void lstItems_Click();
    void UpdateEditButton();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void showEntries(int selected);

    QVector<editing::LookupEntry> m_entries;
    QListWidget* lstItems = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
};
