#pragma once

#include "data/settings/Settings.h"
#include "maintenance/SteppedRun.h"
#include "maintenance/TableWalk.h"
#include "platform/ShortPathName.h"

#include <optional>

namespace maintenance {

QStringList missingFilesColumns(); // "File Type", "Game/Tune Name", "Location"

// Lists every file the catalogue names that is not on disk: each game's file (in the five game folders), tune
// and screenshot, then the file of each stand-alone tune of Music. Reads the two tables in their own order
// through record sets of its own and writes nothing. The percent starts again at 0 for the tunes.
class MissingFilesRun : public SteppedRun
{
public:
    MissingFilesRun(catalogue::Database& db, const Settings& settings, const QString& screenshotsFolder);
    ~MissingFilesRun() override;

    void step(const QDeadlineTimer& deadline) override;
    void stop() override;

private:
    void checkGame();
    void checkTune();
    void end(const QString& failure = {});

    Settings m_settings;
    QString m_screenshots;
    TableWalk m_games;
    TableWalk m_tunes;
    bool m_onTunes = false;
    int m_part = 0; // the game's file tested next: 0 its game file, 1 its tune, 2 its screenshot
    std::optional<platform::PathCacheScope> m_listings;
};

} // namespace maintenance
