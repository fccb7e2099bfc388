#pragma once

#include "platform/Leftovers.h"

#include <QByteArray>
#include <QString>

namespace platform {

// A file replaced as a whole: the new content goes to a temporary file beside it, which is renamed over the old
// file only once every byte has been written (and, for a lasting file, synced). Until commit() succeeds the old file
// stays byte for byte as it was (a new file does not appear at all), also when the disk is full or the process is
// killed. An existing file's permissions carry over to the new one; a symbolic link is replaced at its target.
//
// Every write reaches the file at once and its result is checked, so a failure names the system's own reason ("No
// space left on device"); a buffered writer would report it late or not at all. The temporary file is hidden and
// named like no user's file (tempNames()); the one of a writer killed midway is removed by the next lasting save
// into the same folder, once it is older than the running program.
class SaveFile
{
public:
    enum class Kind
    {
        Lasting, // the user's file: synced to the disk with its folder before and after the rename
        Scratch, // a copy in a working folder that is made again when lost: neither synced nor cleaned up after
    };

    explicit SaveFile(const QString& path, Kind kind = Kind::Lasting);
    ~SaveFile(); // without a successful commit(), the temporary file is removed

    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    bool commit();

    // What went wrong, naming the file: "cannot write PATH: No space left on device".
    QString errorString() const { return m_error; }
    // The system's error number of the failure (errno); 0 while nothing failed.
    int errorNumber() const { return m_errorNumber; }

    // ".vtrx-save-" and six letters or digits.
    static const TempNames& tempNames();

private:
    bool fail(int errorNumber);
    void discard();

    QString m_path;   // as the caller named it, for messages
    QString m_target; // the file replaced: the path, or the file a link there points to
    QString m_temp;
    Kind m_kind;
    int m_fd = -1;
    QString m_error;
    int m_errorNumber = 0;
};

// Writes bytes as the whole new content of path through a SaveFile. False with the reason in *error on failure.
bool saveFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace platform
