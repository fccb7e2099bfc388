#pragma once

#include "data/CurrentGame.h"
#include "data/GameStore.h"
#include "maintenance/SteppedRun.h"
#include "maintenance/TableWalk.h"

#include <optional>

namespace maintenance {

// The bulk clean-ups of the Tools menu's "Clear Database Field...". Only the catalogue changes; no file on disk
// is touched.
enum class ResetKind
{
    GameFiles,
    GameFilesExceptBlast,
    TuneFiles,
    Screenshots,
    TimesPlayed,
};

// The Yes/No question each bulk reset asks first (title "vintrax").
QString resetQuestion(ResetKind kind);
// The question before the current game's play counter is reset.
QString resetCurrentTimesPlayedQuestion(const QString& gameName);
// What resetting the play counter writes (the current game's, or every game's).
catalogue::FieldValues timesPlayedResetValues();

// A Blast entry: a game file whose name (after the last folder) is 10 to 12 characters long, begins with
// "BLAST" and ends with ".D64", letter case aside. The reset "EXCEPT Blast entries" keeps those.
bool isBlastEntry(const QString& storedFilename);

// The file names of one row of Games, which some resets look at.
struct ResetRow
{
    QString filename;
    QString musicFilename;
};

// What a reset writes to one row; nothing for a row it leaves alone (a Blast entry, or a game without a file,
// in the reset that keeps Blast entries). A file name cleared takes the game's availability flag with it (as
// the file dialogs do when a file is removed), so the playable and tune views no longer list games that have
// no file; the list colour follows the names that are left.
std::optional<catalogue::FieldValues> resetChange(ResetKind kind, const ResetRow& row);

// A bulk reset: reads every game in steps, then writes every change in one transaction through the game store,
// all of it or, when the catalogue refuses, nothing. The lists follow the store's announcement.
class ResetRun : public SteppedRun
{
public:
    ResetRun(catalogue::Database& db, catalogue::GameStore& store, ResetKind kind);

    void step(const QDeadlineTimer& deadline) override;
    // Nothing is written, and the run ends as refused: a reset is all or nothing.
    void stop() override;

    int rowsChanged() const { return m_rowsChanged; }

private:
    void write();

    catalogue::GameStore& m_store;
    ResetKind m_kind;
    TableWalk m_games;
    QVector<catalogue::RowChange> m_changes;
    int m_rowsChanged = 0;
};

} // namespace maintenance
