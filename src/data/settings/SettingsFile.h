#pragma once

#include <QByteArray>
#include <QSettings>

#include <optional>

// The settings file as a user reads and edits it: "[Section]" lines and "Key=Value" lines. A value is
// everything after the first "=", blanks at either end removed; backslashes, quotes, semicolons, "#" and
// commas inside it are plain text. Lines starting with ";" or "#" are comments. A line starting with "["
// opens a section even when its "]" is missing, so that the lines after a damaged header are never taken
// for keys of the section before it. Other lines are kept but mean nothing. A key given twice takes its
// last value. The file is UTF-8; a file that is not valid UTF-8 is read as Latin-1.
namespace settingsfile {

// The values of a settings file, keyed "Section/Key" ("Key" before the first section).
QSettings::SettingsMap readSettingsText(const QByteArray& bytes);

// The new text of the file: the original with each key's line carrying the new value, keys that are
// gone removed (every line of them), and new keys added at the end of their section (a new section at
// the end of the file). Comments, blank lines, unknown keys and lines that mean nothing stay where they
// are, as do the lines whose value did not change, spelling and blanks included. Line breaks inside a
// value become blanks, and blanks at either end of a value are not kept, as the reader would drop them.
// Nothing when a key cannot be written as a line (empty, "=" or a line break in it, or a key that would
// read back as a comment or a section).
std::optional<QByteArray> mergedSettingsText(const QByteArray& original, const QSettings::SettingsMap& values);

// A text as a line of the file holds it, and the reader gives it back: line breaks become blanks, blanks
// at either end are dropped.
QString storableText(const QString& text);

// The format QSettings reads and writes the settings file with. Writing goes through QSettings' own
// temporary file and rename; the writer checks its write and flush, so a full disk leaves the old file
// in place and the store reports an access error.
QSettings::Format settingsFileFormat();

} // namespace settingsfile
