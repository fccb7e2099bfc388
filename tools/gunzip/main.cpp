// gunzip -d -q FILE
// Decompresses FILE beside itself under the name stored in it (or FILE less its suffix) and then removes FILE.
// The output appears only when the whole file decoded and its checksums matched, and never replaces or follows
// anything already there under its name; output beyond the size limit of one archive member is refused. On any
// failure FILE stays, nothing else is left behind, and one line on stderr gives the reason.

#include "GzipDecoder.h"
#include "GzipNames.h"
#include "TrailerCheck.h"
#include "platform/Leftovers.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qint64 kHeaderBytes = 1024 * 1024;

int usage()
{
    std::fputs("usage: gunzip [-d] [-q] FILE\n", stderr);
    return 2;
}

int fail(const QString& file, const QString& reason)
{
    std::fprintf(stderr, "gunzip: %s: %s\n", qPrintable(file), qPrintable(reason));
    return 1;
}

// Gives the finished temporary file its name, never replacing anything already there: a file of that name was not
// made by this archive (the program empties the working folder first), and a symbolic link there would lead
// outside it. The check and the rename are one step where the file system allows it.
int renameWithoutReplacing(const QByteArray& from, const QByteArray& to)
{
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
#endif
    struct stat there;
    if (::lstat(to.constData(), &there) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from.constData(), to.constData());
}

// Accepts -d and -q in any order and combination (-dq); -d is what gunzip does anyway and it is always quiet.
bool parseArguments(const QStringList& args, QString* file)
{
    bool optionsDone = false;
    for (const QString& arg : args) {
        if (!optionsDone && arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (!optionsDone && arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            for (QChar c : arg.mid(1)) {
                if (c != QLatin1Char('d') && c != QLatin1Char('q'))
                    return false;
            }
        } else if (file->isEmpty()) {
            *file = arg;
        } else {
            return false;
        }
    }
    return !file->isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QFile::decodeName(argv[i]);
    QString path;
    if (!parseArguments(args, &path))
        return usage();

    const QFileInfo input(path);
    if (!input.exists())
        return fail(path, QStringLiteral("No such file or directory"));
    if (!input.isFile())
        return fail(path, QStringLiteral("is not a regular file"));

    QFile gz(path);
    if (!gz.open(QIODevice::ReadOnly))
        return fail(path, gz.errorString());
    QByteArray storedName;
    QString error;
    if (!readStoredName(gz.read(kHeaderBytes), &storedName, &error))
        return fail(path, error);
    const QString outName = chooseOutputName(input.fileName(), storedName, &error);
    if (outName.isEmpty())
        return fail(path, error);

    const QString folder = input.absolutePath();
    const QString target = folder + QLatin1Char('/') + outName;
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink())
        return fail(path, QStringLiteral("%1 already exists; not overwritten").arg(outName));
    // The output is written under such a name and renamed once it is complete; the one a killed run left is removed.
    const platform::TempNames tempNames{QStringLiteral(".gunzip-")};
    platform::removeLeftovers(folder, tempNames);
    QTemporaryFile temp(folder + QLatin1Char('/') + tempNames.templateName());
    // Unbuffered: every write reaches the disk at once, and a refusal comes with its reason.
    if (!static_cast<QFile&>(temp).open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return fail(path, QStringLiteral("cannot create a file in %1: %2").arg(folder, temp.errorString()));
    DecodedGzip decoded;
    if (!decodeGzip(path, temp, &decoded, &error))
        return fail(path, error);
    if (!temp.flush())
        return fail(path, QStringLiteral("cannot write the output: %1").arg(temp.errorString()));
    if (::fsync(temp.handle()) != 0)
        return fail(path,
                    QStringLiteral("cannot write the output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    if (!trailersMatch(gz, temp, decoded.size, decoded.crc, &error))
        return fail(path, error);

    // Like gzip, the output keeps the permissions of the compressed file.
    temp.setPermissions(input.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (renameWithoutReplacing(QFile::encodeName(temp.fileName()), QFile::encodeName(target)) != 0) {
        if (errno == EEXIST)
            return fail(path, QStringLiteral("%1 already exists; not overwritten").arg(outName));
        return fail(path,
                    QStringLiteral("cannot create %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    }
    temp.setAutoRemove(false);
    temp.close();
    gz.close();
    if (!QFile::remove(path))
        return fail(path, QStringLiteral("decompressed to %1 but could not be removed").arg(outName));
    return 0;
}
