#include "platform/SaveFile.h"

#include "platform/FileCalls.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace platform {

namespace {

// The file a chain of links at path ends in (path itself when it is none), even when that file does not exist yet.
QString finalTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

QString randomLetters(int count)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString text;
    for (int i = 0; i < count; ++i)
        text += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters) - 1)]);
    return text;
}

} // namespace

const TempNames& SaveFile::tempNames()
{
    static const TempNames names{QStringLiteral(".vtrx-save-")};
    return names;
}

SaveFile::SaveFile(const QString& path, Kind kind) : m_path(path), m_kind(kind) {}

SaveFile::~SaveFile()
{
    discard();
}

void SaveFile::discard()
{
    if (m_fd >= 0)
        filecalls::closeFile(m_fd);
    m_fd = -1;
    if (!m_temp.isEmpty())
        filecalls::removeFile(m_temp);
    m_temp.clear();
}

bool SaveFile::fail(int errorNumber)
{
    m_errorNumber = errorNumber ? errorNumber : EIO;
    m_error = QStringLiteral("cannot write %1: %2").arg(m_path, filecalls::errorText(m_errorNumber));
    discard();
    return false;
}

bool SaveFile::open()
{
    if (m_fd >= 0 || m_errorNumber)
        return fail(m_errorNumber ? m_errorNumber : EBUSY);
    m_target = finalTarget(m_path);
    const QFileInfo target(m_target);
    if (target.isDir())
        return fail(EISDIR);
    // Renaming over a write-protected file would succeed; the file's owner said no.
    if (target.exists() && !target.isWritable())
        return fail(EACCES);
    const QString folder = target.absolutePath();
    if (m_kind == Kind::Lasting)
        removeLeftovers(folder, tempNames());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temp = QDir(folder).filePath(tempNames().prefix + randomLetters(6));
        const int error = filecalls::createNew(temp, &m_fd);
        if (error == EEXIST)
            continue;
        if (error)
            return fail(error);
        m_temp = temp;
        if (const int permissions = filecalls::copyPermissions(m_fd, m_target))
            return fail(permissions);
        return true;
    }
    return fail(EEXIST);
}

bool SaveFile::write(const char* data, qint64 size)
{
    if (m_fd < 0)
        return fail(m_errorNumber ? m_errorNumber : EBADF);
    if (const int error = filecalls::writeAll(m_fd, data, size))
        return fail(error);
    return true;
}

bool SaveFile::commit()
{
    if (m_fd < 0)
        return fail(m_errorNumber ? m_errorNumber : EBADF);
    // Some file systems report a full disk or an I/O error only when the data is synced or the file closed.
    if (m_kind == Kind::Lasting) {
        if (const int error = filecalls::syncFile(m_fd))
            return fail(error);
    }
    const int closed = filecalls::closeFile(m_fd);
    m_fd = -1;
    if (closed)
        return fail(closed);
    if (const int error = filecalls::replace(m_temp, m_target))
        return fail(error);
    m_temp.clear();
    // The rename reaches the disk with its folder; the new content is in place either way, so a failure here is not
    // one.
    if (m_kind == Kind::Lasting)
        filecalls::syncFolder(QFileInfo(m_target).absolutePath());
    return true;
}

bool saveFile(const QString& path, const QByteArray& bytes, QString* error)
{
    SaveFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace platform
