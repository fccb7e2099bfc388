#include "editing/GameRemoval.h"

#include "data/CatalogueNames.h"
#include "data/CurrentGame.h"
#include "data/Database.h"
#include "data/GameFields.h"
#include "data/GameStore.h"
#include "data/settings/Settings.h"
#include "editing/EditMessages.h"
#include "platform/FileOperations.h"
#include "platform/MessageBox.h"
#include "platform/ShortPathName.h"

#include <QSqlError>
#include <QSqlQuery>

namespace editing {

using platform::MessageBox;

QString otherGameWithScreenshot(catalogue::Database& db, const QString& storedName, qint64 exceptRowid)
{
    QSqlQuery q(db.sql());
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT Name FROM Games WHERE \"Screenshot Filename\" = ? COLLATE NOCASE AND rowid <> ? "
                             "LIMIT 1"));
    q.addBindValue(storedName);
    q.addBindValue(exceptRowid);
    if (!q.exec()) {
        db.noteEngineError(q.lastError());
        // Unknown: kept, as if another game named it, rather than deleted on a guess.
        return QStringLiteral("(another game)");
    }
    return q.next() ? q.value(0).toString() : QString();
}

RemovalOutcome removeCurrentGame(catalogue::GameStore& store, catalogue::Database& db, catalogue::CurrentGame& game,
                                 const Settings& settings, const QString& screenshotsFolder)
{
    namespace f = catalogue::field;
    RemovalOutcome outcome;
    const QString name = game.text(f::Name);
    const qint64 rowid = game.rowid();
    if (settings.RemoveConfirmFlag == 1 && MessageBox::question(removeGameQuestion(name)) != MessageBox::Yes)
        return outcome;

    const QString screenshot = game.text(f::ScreenshotFilename);
    const bool hasScreenshot = catalogue::namesAFile(screenshot);
    const QString sharer = hasScreenshot ? otherGameWithScreenshot(db, screenshot, rowid) : QString();
    const bool deleteScreenshot =
        hasScreenshot && sharer.isEmpty() && MessageBox::question(deleteScreenshotQuestion(name)) == MessageBox::Yes;

    const catalogue::GameStoreResult removed = store.removeGame(rowid);
    if (!removed.ok()) {
        notDone(QStringLiteral("'%1' could not be removed").arg(name), removed.message).show();
        return outcome;
    }
    outcome.removed = true;
    if (!sharer.isEmpty()) {
        MessageBox::information(
            QStringLiteral("The screenshot '%1' is kept: '%2' uses it too.").arg(screenshot, sharer));
        return outcome;
    }
    if (!deleteScreenshot)
        return outcome;
    // A screenshot that is not there any more has nothing left to delete.
    const QString file = platform::existingStoredFile(screenshotsFolder, screenshot);
    if (file.isEmpty())
        return outcome;
    const platform::FileOperationResult deleted = platform::deleteFile(file);
    if (!deleted.ok)
        MessageBox::exclamation(QStringLiteral("'%1' was removed, but its screenshot could not be deleted:\n%2\n%3")
                                    .arg(name, file, deleted.reason));
    outcome.screenshotDeleted = deleted.ok;
    return outcome;
}

} // namespace editing
