#pragma once

#include "data/GameStore.h"
#include "data/settings/Settings.h"
#include "maintenance/SteppedRun.h"
#include "maintenance/TableWalk.h"
#include "platform/ShortPathName.h"

#include <optional>

namespace maintenance {

// The report's columns and texts.
QStringList verifyColumns(); // "File Type", "Game/Tune Name", "Status"

// Checks every game of the catalogue, in the table's order: its game file in the five game folders and its tune
// in the tune folder. A file found sets the game's flag (FA, SA) and gives a "Found" row; a file named but not
// found clears it and gives a "Not Found" row; "(None)" (or an empty name) keeps the flag and gives no row. The
// list colour follows the file names as the file dialogs set it, so a colour another tool left wrong is put right.
//
// Only rows whose values change are written, through the game store in one transaction per batch: a run cut
// short (a crash, a full disk) leaves every finished batch written and none torn. The lists are told once, at
// the end. One directory-listing cache serves the whole run, so a large collection lists each folder once.
class VerifyRun : public SteppedRun
{
public:
    static constexpr int kBatchRows = 500;

    VerifyRun(catalogue::Database& db, catalogue::GameStore& store, const Settings& settings,
              int batchRows = kBatchRows);
    ~VerifyRun() override;

    void step(const QDeadlineTimer& deadline) override;
    // Writes what has been checked and ends the run.
    void stop() override;

    int gamesChecked() const { return m_checked; }
    int batchesWritten() const { return m_batches; }
    // Directory listings read for letter-case matching so far.
    long listingsRead() const;

private:
    // The game being checked: its stored values, and what its game file's test found.
    struct Game
    {
        QString name;
        QString file;
        QString tune;
        bool faBefore = false;
        bool saBefore = false;
        qint64 colourBefore = 0;
        bool fa = false;
    };

    void checkGameFile();
    void checkTune();
    void endOfTable();
    // Writes the rows checked since the last batch; the failure as the user is told, empty when written.
    QString writeBatch();
    // The run is over: the listings go, the lists are told of what was written.
    void end(const QString& failure);

    catalogue::GameStore& m_store;
    Settings m_settings;
    TableWalk m_games;
    std::optional<platform::PathCacheScope> m_listings;
    std::optional<Game> m_game;
    long m_listingsRead = 0;
    QVector<catalogue::RowChange> m_batch;
    int m_batchRows;
    int m_checked = 0;
    int m_batches = 0;
    bool m_wrote = false;
};

} // namespace maintenance
