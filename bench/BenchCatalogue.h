#pragma once

#include <QString>

#include <functional>

namespace catalogue {
class Database;
}

namespace bench {

// The size of catalogue the speed goals are set for.
inline constexpr int kGames = 30000;

// Mixed-case names with shared prefixes, as real catalogues have; unique per i.
QString gameName(int i);

// Game i has a game file unless i is a multiple of 3, and a tune when i is odd.
inline bool hasGameFile(int i)
{
    return i % 3 != 0;
}
inline bool hasTune(int i)
{
    return i % 2 != 0;
}

// The stand-alone tunes of the catalogue, spread over the musicians.
inline constexpr int kTunes = 5000;

// The publisher key of game i. Games spread over publishers as a real catalogue's do: a few large ones and a long
// tail, the largest (kBigPublisher) with about 2,000 games.
inline constexpr int kBigPublisher = 100;
int publisherOf(int i);

// The stored game file and tune of game i; "(None)" for none.
using BenchFileName = std::function<QString(int i)>;

// Adds count games to an open catalogue in one transaction, with file names, availability flags and list colour
// as above (or, when given, the names gameFile and tune make), spread over the publishers above (added as rows of their
// own), over the years, musicians and genres of the shipped lookup rows, and the unknown players, difficulty and
// rating; and the kTunes stand-alone tunes. False when a row was refused.
bool addBenchGames(catalogue::Database& db, int count = kGames, const BenchFileName& gameFile = {},
                   const BenchFileName& tune = {});

} // namespace bench
