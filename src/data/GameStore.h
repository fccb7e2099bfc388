#pragma once

#include "data/CurrentGame.h"
#include "data/SqlTexts.h"

#include <QObject>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

namespace catalogue {

class Database;

// One game as the three game lists show it: its name, its colour and the lists it belongs to.
struct ListedGame
{
    qint64 rowid = -1;
    QString name;
    int colourCode = 0;
    std::array<bool, 3> inView{}; // by GameListView: Game Name List, Game Only List, Music Only List

    bool in(GameListView view) const { return inView[static_cast<size_t>(view)]; }
};

// One stand-alone tune of the Music table.
struct ListedTune
{
    qint64 rowid = -1;
    QString name;
    QString filename; // relative to the tune folder
};

// Why a change of the Games table was refused. Nothing was written in any of these cases.
enum class GameStoreError
{
    None,
    EmptyName,
    DuplicateName, // another game has this name, letter case aside
    NoSuchGame,
    NoSuchTune,
    UnknownField,
    Refused, // the engine refused the write: a read-only or damaged catalogue, a full disk, a constraint
};

struct GameStoreResult
{
    GameStoreError error = GameStoreError::None;
    QString message; // the engine's or the store's reason when refused
    qint64 rowid = -1;

    bool ok() const { return error == GameStoreError::None; }
};

// The values one row of a bulk change takes.
struct RowChange
{
    qint64 rowid = -1;
    FieldValues values;
};

// The changes to the Games table that change what the game lists show: a game added, removed or renamed, one
// game's fields changed, many rows changed at once. Each is one statement or one transaction, and each, once
// written, is announced with what the lists need, so the lists follow without reading a whole view again. A
// refused change writes nothing and announces nothing. The stand-alone tunes of the Music table are removed here
// too, announced the same way.
class GameStore : public QObject
{
    Q_OBJECT

public:
    explicit GameStore(Database& db);

    // Adds a game with these values. Its name must be there and must be new: names compare as the catalogue
    // compares them, without regard to letter case. The result carries the new row id.
    GameStoreResult addGame(const FieldValues& values);
    GameStoreResult removeGame(qint64 rowid);
    // A new name for the game; a change of letter case alone is no duplicate of itself.
    GameStoreResult renameGame(qint64 rowid, const QString& newName);
    // Every row takes its values in one transaction: all of them or, when one is refused, none. A run that
    // writes in several transactions (a verification, batch by batch) passes Announce::Later to each and
    // calls announceManyChanged() once at its end, so the lists read their view once, not once per batch.
    enum class Announce
    {
        Now,
        Later,
    };
    GameStoreResult changeMany(const QVector<RowChange>& changes, Announce announce = Announce::Now);
    void announceManyChanged() { emit gamesChanged(); }
    // Removes the tune's row from Music; its file stays where it is.
    GameStoreResult removeTune(qint64 rowid);

    // For a change written elsewhere to one row (the current game's own record set): announces it as
    // gameChanged. nameBefore is the row's name before the change.
    void announceChange(qint64 rowid, const QString& nameBefore);

    // The game as the lists show it now; nothing when there is no such row or it cannot be read.
    std::optional<ListedGame> listedGame(qint64 rowid);
    // Whether a game other than exceptRowid has this name, letter case aside.
    bool nameTaken(const QString& name, qint64 exceptRowid = -1);

signals:
    void gameAdded(const catalogue::ListedGame& game);
    // One game's row changed; nameBefore is how the lists knew it (a rename changes it).
    void gameChanged(const QString& nameBefore, const catalogue::ListedGame& game);
    // The game as it was before it went.
    void gameRemoved(const catalogue::ListedGame& game);
    // Many rows changed at once: the lists read their view again.
    void gamesChanged();
    // The tune as it was before it went.
    void tuneRemoved(const catalogue::ListedTune& tune);

private:
    GameStoreResult refused(GameStoreError error, const QString& message) const;
    // One statement that changes table; the result carries rowid, or the new row's id when rowid is -1.
    GameStoreResult write(const QString& sql, const QVariantList& binds, qint64 rowid = -1,
                          const QString& table = QStringLiteral("Games"));
    // The game of rowid as it is before a change; refused when there is none or nothing may be written.
    GameStoreResult existing(qint64 rowid, std::optional<ListedGame>& game);
    // The first field of values that is no column of Games; empty when every one is.
    QString unknownField(const FieldValues& values);

    Database& m_db;
};

// Orders two game names as the catalogue orders them (the NOCASE collation of SQLite): character by character in
// code point order, with only the ASCII letters compared without regard to case. Negative, zero or positive.
int compareNames(const QString& a, const QString& b);

} // namespace catalogue
