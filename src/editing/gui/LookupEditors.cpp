// The seven lookup editors: a pick list for the fixed lists, and for publishers and musicians a sorted one whose
// Add and Edit buttons change the table at once.
#include "appstate/AppState.h"
#include "appstate/CommandHost.h"
#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "editing/EditMessages.h"
#include "editing/LookupStore.h"
#include "editing/gui/EditingFlows.h"
#include "editing/gui/frmNameEntry.h"
#include "editing/gui/frmPickList.h"

#include <QDate>
#include <QSqlQuery>

namespace editing {

using catalogue::LookupKind;

namespace {

bool isOpenList(LookupKind kind)
{
    return kind == LookupKind::Publisher || kind == LookupKind::Musician;
}

PickListLook pickListLook(LookupKind kind, const QString& caption)
{
    if (!isOpenList(kind))
        return {"frmVTRXEditListFields", caption};
    const QString what = kind == LookupKind::Publisher ? QStringLiteral("Publisher") : QStringLiteral("Musician");
    return {"frmVTRXEditChangeFields", caption, QStringLiteral("OK"), QStringLiteral("Add ") + what,
            QStringLiteral("Edit ") + what};
}

// The answer frmVTRXEditAdd's OK gets for a write of the lookup table; old is the text being renamed (empty when
// adding), shown again after a refusal.
NameAnswer answerFor(const LookupChange& change, const QString& old)
{
    const bool renaming = !old.isEmpty();
    switch (change.outcome) {
    case LookupChange::Done:
    case LookupChange::Unchanged:
        return NameAnswer::accept();
    case LookupChange::EmptyName:
        return NameAnswer::refuse(noNameEntered(), renaming ? std::optional<QString>(old) : std::nullopt);
    case LookupChange::Taken:
        return renaming ? NameAnswer::refuse(cannotChange(old, change.text), old)
                        : NameAnswer::refuse(cannotAdd(change.text));
    case LookupChange::Refused:
        break;
    }
    return NameAnswer::giveUp(notDone(renaming ? QStringLiteral("'%1' could not be renamed").arg(old)
                                               : QStringLiteral("'%1' could not be added").arg(change.text),
                                      change.reason));
}

// frmVTRXEditAdd over the change dialog: a new entry, or the new text of one. The table is written on its OK.
void connectEditAdd(frmPickList& dialog, app::AppState& state, LookupKind kind)
{
    const QString what = kind == LookupKind::Publisher ? QStringLiteral("Publisher") : QStringLiteral("Musician");
    catalogue::Database& db = state.catalogue.db();
    dialog.addEntry = [&dialog, &db, kind, what]() -> std::optional<LookupEntry> {
        LookupChange change;
        frmNameEntry add(
            {"frmVTRXEditAdd", QStringLiteral("Type the new %1's name:").arg(what)}, QString(),
            [&](const QString& text) { return answerFor(change = addLookupValue(db, kind, text), {}); }, &dialog);
        if (add.exec() != QDialog::Accepted || !change.done())
            return std::nullopt;
        return LookupEntry{change.key, change.text};
    };
    dialog.renameEntry = [&dialog, &db, kind, what](const LookupEntry& entry) -> std::optional<QString> {
        LookupChange change;
        frmNameEntry edit(
            {"frmVTRXEditAdd", QStringLiteral("Edit current %1:").arg(what)}, entry.text,
            [&](const QString& text) {
                return answerFor(change = renameLookupValue(db, kind, entry.key, text), entry.text);
            },
            &dialog);
        if (edit.exec() != QDialog::Accepted || !change.done())
            return std::nullopt;
        return change.text;
    };
}

qint64 tuneMusician(catalogue::Database& db, qint64 tune)
{
    QSqlQuery q(db.sql());
    q.prepare(QStringLiteral("SELECT MU_Id FROM Music WHERE rowid = ?"));
    q.addBindValue(tune);
    return q.exec() && q.next() ? q.value(0).toLongLong() : catalogue::kUnknownMusicianKey;
}

} // namespace

void mnuEditLookup_Click(app::CommandHost& host, app::AppState& state, const EditingSession& session, LookupKind kind)
{
    const catalogue::LookupInfo& info = catalogue::lookupInfo(kind);
    catalogue::Database& db = state.catalogue.db();
    // In the tune's add the musician is the new tune's, named in the caption.
    const bool forTune = session.addingTune() && kind == LookupKind::Musician;
    const QString name = forTune ? session.newTuneName : state.currentGame.text(catalogue::field::Name);
    QString unread;
    const QVector<LookupEntry> entries = lookupEntries(db, kind, QDate::currentDate().year(), &unread);
    if (!unread.isEmpty()) {
        notDone(QStringLiteral("The list of values could not be read"), unread).show();
        host.focusGameList();
        return;
    }
    const qint64 currentKey = forTune ? tuneMusician(db, session.newTune) : state.currentGame.number(info.gameField);
    const AddingHints hints{session.addingGame || session.addingTune(), state.CurrentTune.SidAuthor,
                            state.CurrentTune.SidCopyright};
    frmPickList dialog(pickListLook(kind, catalogue::lookupPrompt(kind, name)), entries,
                       preselectedEntry(kind, entries, currentKey, hints), host.dialogParent());
    if (isOpenList(kind))
        connectEditAdd(dialog, state, kind);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    // OK without a selected entry changes nothing.
    if (const std::optional<LookupEntry> chosen = accepted ? dialog.chosen() : std::nullopt) {
        if (forTune) {
            if (const QString why = setTuneMusician(db, session.newTune, chosen->key); !why.isEmpty())
                notDone(QStringLiteral("The musician of '%1' could not be stored").arg(name), why).show();
        } else if (!state.currentGame.change({{info.gameField, chosen->key}})) {
            notDone(QStringLiteral("The change could not be stored"), state.currentGame.lastError()).show();
        }
    }
    // A publisher or musician renamed in the dialog shows on the game even after Cancel.
    host.showCurrentGameAgain();
    host.focusGameList();
}

} // namespace editing
