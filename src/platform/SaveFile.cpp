#include "platform/SaveFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

SaveFile::SaveFile(const QString& path) : m_path(path), m_file(path)
{
    // A rename is the whole point: never fall back to writing the target in place.
    m_file.setDirectWriteFallback(false);
}

SaveFile::~SaveFile()
{
    if (m_file.isOpen())
        m_file.cancelWriting();
}

bool SaveFile::fail(const QString& reason)
{
    m_error =
        QStringLiteral("cannot write %1: %2").arg(m_path, reason.isEmpty() ? QStringLiteral("unknown error") : reason);
    if (m_file.isOpen())
        m_file.cancelWriting();
    return false;
}

bool SaveFile::open()
{
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(m_file.errorString());
    return true;
}

bool SaveFile::write(const char* data, qint64 size)
{
    if (!m_file.isOpen())
        return m_error.isEmpty() ? fail(QStringLiteral("not open")) : false;
    // The file engine keeps writing until everything is written or the system refuses; a short count is a refusal.
    if (m_file.write(data, size) != size)
        return fail(m_file.errorString());
    return true;
}

bool SaveFile::commit()
{
    if (!m_file.isOpen())
        return m_error.isEmpty() ? fail(QStringLiteral("not open")) : false;
    if (!m_file.flush())
        return fail(m_file.errorString());
#ifdef Q_OS_UNIX
    // Some file systems report a full disk or an I/O error only here; QSaveFile would ignore it.
    if (::fsync(m_file.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
#endif
    if (!m_file.commit())
        return fail(m_file.errorString());
#ifdef Q_OS_UNIX
    // The rename reaches the disk with its folder; the new content is in place either way, so a failure here
    // changes nothing already done.
    const int folder =
        ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#endif
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
