// gunzip -d -q FILE
// Decompresses FILE beside itself under the name stored in it (or FILE less its suffix) and then removes FILE.
// The output appears only when the whole file decoded and its checksums matched; on any failure FILE stays,
// nothing else is left behind, and one line on stderr gives the reason.

#include "GzipDecoder.h"
#include "GzipNames.h"
#include "TrailerCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

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
    QTemporaryFile temp(folder + QStringLiteral("/.gunzip-XXXXXX"));
    if (!temp.open())
        return fail(path, QStringLiteral("cannot create a file in %1: %2").arg(folder, temp.errorString()));
    DecodedGzip decoded;
    if (!decodeGzip(path, temp, &decoded, &error))
        return fail(path, error);
    if (!temp.flush())
        return fail(path, QStringLiteral("cannot write the output: %1").arg(temp.errorString()));
    if (!trailersMatch(gz, temp, decoded.size, decoded.crc, &error))
        return fail(path, error);

    // Like gzip, the output keeps the permissions of the compressed file.
    temp.setPermissions(input.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QString target = folder + QLatin1Char('/') + outName;
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return fail(path,
                    QStringLiteral("cannot create %1: %2").arg(target, QString::fromLocal8Bit(std::strerror(errno))));
    temp.setAutoRemove(false);
    temp.close();
    gz.close();
    if (!QFile::remove(path))
        return fail(path, QStringLiteral("decompressed to %1 but could not be removed").arg(outName));
    return 0;
}
