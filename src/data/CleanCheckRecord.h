#pragma once

#include <QString>

namespace catalogue {

// What a catalogue file looks like from outside: its size, its modification time and its status change
// time (which every write, rename or copy over it moves, and which ordinary tools cannot set back), in ms.
struct FileStamp
{
    qint64 size = -1;
    qint64 modified = -1;
    qint64 changed = -1;

    bool isValid() const { return size >= 0; }
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStampOf(const QString& path);

// The record of the last clean quick check of the catalogue: a small text file beside the settings
// file (never in the catalogue itself, whose content must not change when nothing else does). The check
// reads every page of the file, which costs a large catalogue much of its start; while the file is
// exactly as it was when a check passed, the next start need not read it all again. The record names
// the file and its stamp; it is written only after a check found no damage, and removed as soon as
// damage is found, so a failed check is never remembered as clean. An empty record path keeps nothing:
// every open checks.
class CleanCheckRecord
{
public:
    CleanCheckRecord() = default;
    explicit CleanCheckRecord(QString recordPath) : m_recordPath(std::move(recordPath)) {}

    // The record beside a settings file.
    static CleanCheckRecord besideSettings(const QString& settingsFile);

    bool isKept() const { return !m_recordPath.isEmpty(); }
    QString path() const { return m_recordPath; }

    // The catalogue at path may skip its check: the record names this file with this stamp, and no
    // journal beside it says that an interrupted write is still to be rolled back.
    bool allowsSkip(const QString& catalogue, const FileStamp& stamp) const;
    // Remembers a check that passed on the file with this stamp. The record is replaced whole; false, with the
    // cause in error, when it could not be written (the next start checks again, nothing else is lost).
    bool remember(const QString& catalogue, const FileStamp& stamp, QString* error = nullptr) const;
    // The file was found damaged: no start may skip its check. False when a record stays behind.
    bool forget() const;

private:
    QString m_recordPath;
};

} // namespace catalogue
