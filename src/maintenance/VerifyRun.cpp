#include "maintenance/VerifyRun.h"

#include "data/CatalogueNames.h"
#include "data/GameFields.h"
#include "maintenance/FileChecks.h"

namespace maintenance {

namespace field = catalogue::field;

QStringList verifyColumns()
{
    return {QStringLiteral("File Type"), QStringLiteral("Game/Tune Name"), QStringLiteral("Status")};
}

namespace {

const QString kFound = QStringLiteral("Found");
const QString kNotFound = QStringLiteral("Not Found");

QString writeFailure(const QString& reason)
{
    return QStringLiteral("The verification stopped: the vintrax database could not store what it found:\n%1\n\n"
                          "What was stored before stays. Run the verification again once the database can be "
                          "written.")
        .arg(reason);
}

} // namespace

VerifyRun::VerifyRun(catalogue::Database& db, catalogue::GameStore& store, const Settings& settings, int batchRows)
    : m_store(store), m_settings(settings),
      m_games(db, QStringLiteral("Games"),
              {field::Name, field::Filename, field::MusicFilename, field::FA, field::SA, field::CCode}),
      m_batchRows(std::max(1, batchRows))
{
    m_listings.emplace();
}

VerifyRun::~VerifyRun() = default;

long VerifyRun::listingsRead() const
{
    return m_listings ? platform::PathCacheScope::listingsRead() : m_listingsRead;
}

// A step ends between two file tests at the earliest: the first test in a folder reads its listing, which for a
// large collection takes a good part of a step. A full batch is written in a step of its own.
void VerifyRun::step(const QDeadlineTimer& deadline)
{
    for (bool first = true; !done(); first = false) {
        if (m_batch.size() >= m_batchRows) {
            if (!first)
                break;
            if (const QString failure = writeBatch(); !failure.isEmpty())
                end(failure);
            break;
        }
        if (m_game)
            checkTune();
        else if (m_games.eof())
            endOfTable();
        else
            checkGameFile();
        if (!done() && deadline.hasExpired())
            break;
    }
}

void VerifyRun::checkGameFile()
{
    Game game{m_games.text(field::Name),
              m_games.text(field::Filename),
              m_games.text(field::MusicFilename),
              m_games.value(field::FA).toLongLong() != 0,
              m_games.value(field::SA).toLongLong() != 0,
              m_games.value(field::CCode).toLongLong()};
    game.fa = game.faBefore;
    if (gameFileFound(m_settings, game.file)) {
        addRow(QStringLiteral("Game"), game.name, kFound);
        game.fa = true;
    } else if (catalogue::namesAFile(game.file)) {
        addRow(QStringLiteral("Game"), game.name, kNotFound);
        game.fa = false;
    }
    m_game = std::move(game);
}

// The last row was checked, or the table could not be read on: what was checked is written either way.
void VerifyRun::endOfTable()
{
    const QString written = writeBatch();
    if (!written.isEmpty() || m_games.lastError().isEmpty())
        return end(written);
    end(QStringLiteral("The verification stopped: the vintrax database could not be read:\n%1\n\nWhat was stored "
                       "before stays.")
            .arg(m_games.lastError()));
}

void VerifyRun::checkTune()
{
    const Game& game = *m_game;
    bool sa = game.saBefore;
    if (fileFoundBelow(m_settings.MusicPath, game.tune)) {
        addRow(QStringLiteral("Sid Filename"), game.name, kFound);
        sa = true;
    } else if (catalogue::namesAFile(game.tune)) {
        addRow(QStringLiteral("Sid"), game.name, kNotFound);
        sa = false;
    }
    const int colour = listColour(game.file, game.tune);
    if (game.fa != game.faBefore || sa != game.saBefore || colour != game.colourBefore)
        m_batch.append({m_games.bookmark(), {{field::FA, game.fa}, {field::SA, sa}, {field::CCode, colour}}});
    m_game.reset();

    ++m_checked;
    m_games.moveNext();
    setPercent(m_games.percentPosition());
}

QString VerifyRun::writeBatch()
{
    if (m_batch.isEmpty())
        return {};
    const catalogue::GameStoreResult written = m_store.changeMany(m_batch, catalogue::GameStore::Announce::Later);
    m_batch.clear();
    if (!written.ok())
        return writeFailure(written.message);
    m_wrote = true;
    ++m_batches;
    return {};
}

void VerifyRun::end(const QString& failure)
{
    // The listings are the run's own: outside it nothing may see a folder as it was when the run read it.
    m_listingsRead = platform::PathCacheScope::listingsRead();
    m_listings.reset();
    if (failure.isEmpty()) {
        setPercent(100);
        setDone();
    } else {
        fail(failure);
    }
    if (m_wrote)
        m_store.announceManyChanged();
}

void VerifyRun::stop()
{
    if (!done())
        end(writeBatch());
}

} // namespace maintenance
