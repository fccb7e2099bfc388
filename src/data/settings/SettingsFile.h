#pragma once

#include <QByteArray>
#include <QSettings>

#include <optional>

// The settings file as a user reads and edits it: "[Section]" lines and "Key=Value" lines. A value is
// everything after the first "=", blanks at either end removed; backslashes, quotes, semicolons, "#" and
// commas inside it are plain text. Lines starting with ";" or "#" are comments. A line starting with "["
// opens a section even when its "]" is missing, so that the lines after a damaged header are never taken
// for keys of the section before it. Other lines are kept but mean nothing. A key given twice takes its
// last value. Each line is UTF-8, or Latin-1 where it is not valid UTF-8 (a line typed in another editor).
namespace settingsfile {

// The largest settings file read or rewritten. The file holds a few KB (some sixty keys, twenty bookmarks, ten search
// texts); a larger one is nothing the program wrote, and reads as no values at all rather than filling the memory.
inline constexpr qint64 kMaxSettingsFileSize = 1024 * 1024;

// The values of a settings file, keyed "Section/Key" ("Key" before the first section).
QSettings::SettingsMap readSettingsText(const QByteArray& bytes);

// The new text of the file: the original with each key's line carrying the new value, keys that are
// gone removed (every line of them), and new keys added at the end of their section (a new section at
// the end of the file). Comments, blank lines, unknown keys and lines that mean nothing stay where they
// are, as do the lines whose value did not change, byte for byte (spelling, blanks, encoding and line end);
// changed and new lines are UTF-8 with the line end the file mostly uses. Line breaks inside a
// value become blanks, and blanks at either end of a value are not kept, as the reader would drop them.
// Nothing when a key cannot be written as a line (empty, "=" or a line break in it, or a key that would
// read back as a comment or a section).
std::optional<QByteArray> mergedSettingsText(const QByteArray& original, const QSettings::SettingsMap& values);

// A text as a line of the file holds it, and the reader gives it back: line breaks become blanks, blanks
// at either end are dropped.
QString storableText(const QString& text);

// Sets values (keyed "Section/Key") in the settings file at path, every other line kept as mergedSettingsText()
// keeps it, and replaces the file in one step once the new text is on the disk (platform::SaveFile), making the
// file and its folder when they are missing. False with the reason in *error; the file is then as it was.
bool writeSettingsValues(const QString& path, const QSettings::SettingsMap& changes, QString* error);

// The format QSettings reads the settings file with. QSettings never writes it: writeSettingsValues() does.
QSettings::Format settingsFileFormat();

} // namespace settingsfile
