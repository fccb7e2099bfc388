#pragma once

#include "data/CurrentGame.h"

#include <QString>
#include <QStringList>

struct Settings;

namespace music {

// The refusals of the tune commands when no tune folder is set: the detail panel's "Sid Tune:" label and
// the Edit menu word it differently.
inline const QString kTuneLabelNeedsMusicPath = QStringLiteral(
    "To View/Change/Remove a Sid Tune, you must first set the Path for your Sid Tunes in 'Preferences'.");
inline const QString kTuneMenuNeedsMusicPath =
    QStringLiteral("To View/Change/Remove a SidTune, you must first set the Path for your Sid Tunes in 'Preferences'.");

inline const QString kNewTuneCaption = QStringLiteral("Select Filename for New Sid Tune...");
QString sidTuneCaption(const QString& gameName);

// What the information area of the SID file dialog shows.
enum class SidInfoState
{
    NoFile, // only lblAuthor, reading kNoFileText
    NoPsid, // the file name, and lblAuthor reading kNoPsidText
    Psid,   // every label and cboTunes
};
inline const QString kNoFileText = QStringLiteral("No Sid File is Currently Selected");
inline const QString kNoPsidText = QStringLiteral("Info only available for PlaySID(1 part) files");
inline const QString kInfoNoPsidText = QStringLiteral("Info only available for PlaySID(one file format) Tunes.");
inline const QString kNoneSelected = QStringLiteral("(None Selected)");

inline const QString kAllTunesPattern = QStringLiteral("*.sid;*.dat;*.mus");
inline const QString kNewTunesPattern = QStringLiteral("*.sid;*.dat");

// Where the SID file dialog opens: the game's tune selected in its folder when it is there, else the tune
// folder with nothing selected (always so in add mode).
struct SidFileStart
{
    QString folder;
    QString pattern;
    QString fileName; // the file to select; empty for none
    bool runEnabled = false;
};
SidFileStart sidFileStart(bool addMode, const QString& musicFilename, const Settings& settings);

// Whether folder is the tune folder or lies below it. Both are compared as the real folders they lead to,
// component by component: a sibling whose name merely begins with the tune folder's name is outside.
bool insideMusicFolder(const QString& folder, const QString& musicPath);

// A tune file's name as the catalogue stores it: the bare name directly in the tune folder, otherwise the
// sub-folders below it, each followed by "\", then the name. Empty for a folder outside the tune folder.
QString storedTuneName(const QString& folder, const QString& fileName, const QString& musicPath);

// cboTunes: "1" to the number of songs, at most 256 (the highest start song a tune can store).
QStringList tuneEntries(int songs);
// The entry of the start song; -1 (no selection) for a start song outside the entries.
int startSongEntry(int startSong, int entryCount);
// Whether the user chose another start song than the tune has.
bool startSongChanged(int selectedEntry, int startSong);

// OK with another start song chosen: rewrites the tune's start song and tells the user when that failed (the
// tune is then as it was). True when the tune now starts with song.
bool changeStartSong(const QString& path, int song);

// What OK stores for the game: the tune (an empty name stores "(None)"), the tune flag and the list colour.
catalogue::FieldValues tuneFieldValues(const QString& storedName, const QString& gameFilename);

} // namespace music
