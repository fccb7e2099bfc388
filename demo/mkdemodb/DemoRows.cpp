#include "DemoRows.h"
#include "data/GameFields.h"

#include "data/Catalogue.h"
#include "data/CatalogueNames.h"
#include "data/PortDefaults.h"

#include <QDate>

using namespace catalogue;

namespace {

// Adds rows with their keys 1, 2, 3, ... in order; the entry at unknownKey is "(Unknown)".
bool addLookupRows(Catalogue& cat, const QString& table, const QString& keyField, const QString& textField,
                   const QStringList& values, int unknownKey, QString* error)
{
    Recordset& rs = cat.table(table);
    int key = 1;
    QStringList all = values;
    all.insert(unknownKey - 1, kUnknown);
    for (const QString& v : all) {
        rs.addNew();
        rs.setValue(keyField, key++);
        rs.setValue(textField, v);
        if (!rs.update()) {
            *error = table + QStringLiteral(": ") + rs.lastError();
            return false;
        }
    }
    return true;
}

const QStringList kPublishers = {
    "Access Software",
    "Accolade",
    "Activision",
    "Audiogenic",
    "Beyond Software",
    "Broderbund",
    "Cinemaware",
    "Codemasters",
    "Commodore",
    "Datasoft",
    "Domark",
    "Electronic Arts",
    "Elite Systems",
    "Epyx",
    "Firebird",
    "Gremlin Graphics",
    "Hewson",
    "Hi-Tec Software",
    "Imagine",
    "Infocom",
    "Mastertronic",
    "Melbourne House",
    "MicroProse",
    "Ocean",
    "Origin Systems",
    "Palace Software",
    "Psygnosis",
    "Rainbird",
    "Sierra On-Line",
    "SSI",
    "System 3",
    "Thalamus",
    "Ultimate Play the Game",
    "US Gold",
    "Virgin Games",
    "Zeppelin Games",
}; // 36 names, so "(Unknown)" gets key 37

const QStringList kMusicians = {
    "Antony Crowther",
    "Barry Leitch",
    "Ben Daglish",
    "Charles Deenen",
    "Chris Huelsbeck",
    "Dave Lowe",
    "Drax",
    "David Whittaker",
    "Fred Gray",
    "Geir Tjelta",
    "Glenn Rune Gallefoss",
    "Jason Page",
    "Jens-Christian Huus",
    "Jeroen Tel",
    "Johannes Bjerregaard",
    "Jonathan Dunn",
    "Jori Olkkonen",
    "Mark Cooksey",
    "Markus Schneider",
    "Martin Galway",
    "Martin Walker",
    "Matt Gray",
    "Neil Baldwin",
    "Paul Hughes",
    "Peter Clarke",
    "Reyn Ouwehand",
    "Richard Joseph",
    "Rob Hubbard",
    "Ron Klaren",
    "Russell Lieblich",
    "Stello Doussis",
    "Steve Rowlands",
    "Thomas Detert",
    "Tim Follin",
    "Wally Beben",
    "Yip",
    "Laxity",
}; // 37 names, so "(Unknown)" gets key 38

const QStringList kGenres = {"Action",     "Adventure", "Arcade",  "Beat 'em up",  "Educational",
                             "Platform",   "Puzzle",    "Racing",  "Role Playing", "Shoot 'em up",
                             "Simulation", "Sports",    "Strategy"};
const QStringList kDifficulty = {"Very Easy", "Easy", "Average", "Hard", "Very Hard", "Insane", "Varies"};
const QStringList kPlayers = {"1 Player", "2 Players (simultaneous)", "1-2 Players (alternating)", "1-4 Players"};
const QStringList kRatings = {"Poor", "Below Average", "Average", "Good", "Very Good", "Excellent", "Classic"};

struct DemoGame
{
    const char* name;
    const char* file; // relative to games path 0, backslash-separated; "(None)" when there is none
    int fileIndex;
    const char* tune; // relative to the music path
    int publisher;    // keys into the lookup tables
    int yearKey;
    int musician;
    int genre;
    int players;
    int difficulty;
    int rating;
    int trained;
    const char* highScore;
    const char* comment;
    const char* screenshot = "(None)"; // below the program's Screenshots folder
};

// Key arithmetic: Years 2 is 1982, so a year Y has key Y - 1980.
constexpr int year(int y)
{
    return y - 1980;
}

const DemoGame kGames[] = {
    {"Astro Miner", "Disks\\astrominer.d64", 2, "bouncing_bytes.sid", 15, year(1984), 28, 3, 1, 3, 5, 2, "48200",
     "Mine the asteroid belt before your oxygen runs out. The disk holds the game, a loader and the high-score table.",
     "astrominer.gif"},
    {"Bouncing Bytes", "Tapes\\bytes.t64", 1, "bouncing_bytes.sid", 32, year(1987), 14, 6, 1, 2, 6, 1, "(Not Entered)",
     "A bouncing-ball platformer on tape."},
    {"Cavern Crawler", "cavern.prg", 0, "(None)", 21, year(1985), 38, 2, 1, 4, 4, 0, "(Not Entered)", ""},
    {"Dragon's Keep, The", "Archives\\dragonskeep.zip", 1, "harbour_patrol.sid", 24, year(1988), 20, 9, 1, 5, 7, 0,
     "(Not Entered)", "Role-playing in a zipped disk image."},
    {"Express Courier", "Archives\\courier.zip", 0, "(None)", 17, year(1989), 38, 8, 3, 3, 4, 0, "(Not Entered)",
     "Delivered as a four-part Zip-Code set inside a ZIP."},
    {"Frost Byte Fortress", "Archives\\frostbyte.lha", 0, "(None)", 31, year(1990), 38, 6, 1, 6, 5, 2, "(Not Entered)",
     "Packed with LHA."},
    {"Galactic Garden", "Archives\\garden.lnx", 1, "harbour_patrol.sid", 27, year(1991), 1, 12, 4, 2, 3, 0,
     "(Not Entered)", "A Lynx archive with a gardening game in space.", "garden.gif"},
    {"Harbour Patrol", "(None)", 0, "harbour_patrol.sid", 16, year(1986), 10, 11, 1, 3, 4, 0, "(Not Entered)",
     "Only the title tune is here so far."},
    {"Iron Canyon Rally", "(None)", 0, "(None)", 37, 1, 38, 8, 2, 8, 1, 0, "(Not Entered)", ""},
    {"Jungle Jive", "(None)", 0, "bouncing_bytes.sid", 4, year(1985), 4, 1, 5, 8, 1, 0, "(Not Entered)", ""},
    {"Kilobyte Knights", "(None)", 0, "(None)", 37, 1, 38, 1, 5, 8, 1, 0, "(Not Entered)", ""},
    {"Last Ninja, The", "(None)", 0, "(None)", 37, 1, 38, 4, 1, 8, 1, 0, "(Not Entered)",
     "The comma is part of the name: titles starting with 'The' are filed under their second word."},
    {"Moonbase Miner 2", "Disks\\astrominer.d64", 3, "(None)", 15, year(1985), 28, 3, 1, 4, 4, 1, "12000",
     "The sequel lives on the same disk as the first part."},
    {"Nibble Nights", "nibble.prg", 0, "bouncing_bytes.sid", 9, year(1983), 28, 7, 1, 1, 3, 0, "(Not Entered)",
     "A puzzle game as a plain program file.", "nibble.gif"},
};

} // namespace

bool fillDemoCatalogue(Catalogue& cat, QString* error)
{
    QStringList years;
    for (int y = 1982; y <= QDate::currentDate().year(); ++y)
        years << QString::number(y);
    // Years key 1 is the unknown year 9999.
    Recordset& yearsRs = cat.table(QStringLiteral("Years"));
    for (int i = 0; i <= years.size(); ++i) {
        yearsRs.addNew();
        yearsRs.setValue(QStringLiteral("YE_Id"), i + 1);
        yearsRs.setValue(QStringLiteral("Year"), i == 0 ? kUnknownYear : years[i - 1].toInt());
        if (!yearsRs.update()) {
            *error = yearsRs.lastError();
            return false;
        }
    }
    if (!addLookupRows(cat, "Publishers", "PU_Id", "Publisher", kPublishers, kUnknownPublisherKey, error) ||
        !addLookupRows(cat, "Musicians", "MU_Id", "Name", kMusicians, kUnknownMusicianKey, error) ||
        !addLookupRows(cat, "Genres", "GE_Id", "Genre", kGenres, kUnknownGenreKey, error) ||
        !addLookupRows(cat, "Difficulty", "DI_Id", "DIFFICULTY", kDifficulty, kUnknownDifficultyKey, error) ||
        !addLookupRows(cat, "Players", "PL_Id", "Number of Players", kPlayers, kUnknownPlayersKey, error) ||
        !addLookupRows(cat, "Ratings", "RA_Id", "Rating", kRatings, kUnknownRatingKey, error))
        return false;

    Recordset& games = cat.games();
    const PortDefaults ports;
    for (const DemoGame& g : kGames) {
        const QString file = QString::fromUtf8(g.file);
        const QString tune = QString::fromUtf8(g.tune);
        games.addNew();
        games.setValue(catalogue::field::Name, QString::fromUtf8(g.name));
        games.setValue(catalogue::field::CCode, colourCodeFor(file, tune));
        games.setValue(catalogue::field::Filename, file);
        games.setValue(catalogue::field::FilenameIndex, g.fileIndex);
        games.setValue(catalogue::field::MusicFilename, tune);
        games.setValue(catalogue::field::ScreenshotFilename, QString::fromUtf8(g.screenshot));
        games.setValue(catalogue::field::DocFile, kNone);
        games.setValue(catalogue::field::Trained, g.trained);
        games.setValue(catalogue::field::HighScore, QString::fromUtf8(g.highScore));
        games.setValue(catalogue::field::PersonalComment, QString::fromUtf8(g.comment));
        games.setValue(catalogue::field::TimesPlayed, 0);
        games.setValue(catalogue::field::DateLastPlayed, kNever);
        // The demo files are generated with the catalogue, so the flags are what a verify would find.
        games.setValue(catalogue::field::FA, file != kNone);
        games.setValue(catalogue::field::SA, tune != kNone);
        games.setValue(QStringLiteral("PU_Id"), g.publisher);
        games.setValue(QStringLiteral("Year Published"), g.yearKey);
        games.setValue(QStringLiteral("MU_Id"), g.musician);
        games.setValue(QStringLiteral("GE_Id"), g.genre);
        games.setValue(QStringLiteral("PL_Id"), g.players);
        games.setValue(QStringLiteral("DI_Id"), g.difficulty);
        games.setValue(QStringLiteral("RA_Id"), g.rating);
        games.setValue(catalogue::field::UseDefault, true);
        games.setValue(catalogue::field::DirectX, false);
        games.setValue(catalogue::field::Port1Joy, ports.DefPort1Joy);
        games.setValue(catalogue::field::Port2Joy, ports.DefPort2Joy);
        games.setValue(catalogue::field::Port1Key, ports.DefPort1Key);
        games.setValue(catalogue::field::Port2Key, ports.DefPort2Key);
        games.setValue(catalogue::field::V2Port1Joy, ports.DXDefPort1Joy);
        games.setValue(catalogue::field::V2Port2Joy, ports.DXDefPort2Joy);
        games.setValue(catalogue::field::V2Port1Key, ports.DXDefPort1Key);
        games.setValue(catalogue::field::V2Port2Key, ports.DXDefPort2Key);
        if (!games.update()) {
            *error = games.lastError();
            return false;
        }
    }
    return true;
}
