#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace platform {

// A file replaced as a whole: the new content goes to a temporary file beside it, which is renamed over the old
// file only once every byte has been written, flushed and synced. Until commit() succeeds the old file stays byte
// for byte as it was (a new file does not appear at all), also when the disk is full or the process is killed.
// An existing file's permissions carry over to the new one; a symbolic link is replaced at its target.
//
// QSaveFile alone is not enough: opened buffered, it keeps small writes in memory, and when the flush inside its
// commit() fails (a full disk) it still renames the short or empty temporary file over the old one and reports
// success. Here every write reaches the file at once and its result is checked.
class SaveFile
{
public:
    explicit SaveFile(const QString& path);
    ~SaveFile(); // without a successful commit(), the temporary file is removed

    SaveFile(const SaveFile&) = delete;
    SaveFile& operator=(const SaveFile&) = delete;

    bool open();
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    bool commit();

    // What went wrong, naming the file: "cannot write PATH: No space left on device".
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& reason);

    QString m_path;
    QSaveFile m_file;
    QString m_error;
};

// Writes bytes as the whole new content of path through a SaveFile. False with the reason in *error on failure.
bool saveFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);

} // namespace platform
