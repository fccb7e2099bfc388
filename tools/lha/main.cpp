// lha e /m FILE
// Extracts every file member of the LHA/LZH archive FILE into the working folder under its plain name
// (folder names dropped), overwriting files of the same name. Nothing appears unless every member decoded and
// passed its CRC check and the archive stays within the size and count limits; on failure one line on stderr
// gives the reason.

#include "Extraction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdio>

namespace {

int usage()
{
    std::fputs("usage: lha e /m FILE\n", stderr);
    return 2;
}

int fail(const QString& file, const QString& reason)
{
    std::fprintf(stderr, "lha: %s: %s\n", qPrintable(file), qPrintable(reason));
    return 1;
}

// The command "e" (extract without folders), the switch /m (never ask before overwriting; also -m) and the
// archive. Extracting is never interactive, so /m may also be left out.
bool parseArguments(const QStringList& args, QString* archive)
{
    if (args.isEmpty() || args.first().compare(QLatin1String("e"), Qt::CaseInsensitive) != 0)
        return false;
    for (const QString& arg : args.mid(1)) {
        if (arg.compare(QLatin1String("/m"), Qt::CaseInsensitive) == 0 ||
            arg.compare(QLatin1String("-m"), Qt::CaseInsensitive) == 0)
            continue;
        if (arg.startsWith(QLatin1Char('-')) || !archive->isEmpty())
            return false;
        *archive = arg;
    }
    return !archive->isEmpty();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QFile::decodeName(argv[i]);
    QString archive;
    if (!parseArguments(args, &archive))
        return usage();

    const QFileInfo info(archive);
    if (!info.exists())
        return fail(archive, QStringLiteral("No such file or directory"));
    if (!info.isFile())
        return fail(archive, QStringLiteral("is not a regular file"));

    const QString folder = QDir::currentPath();
    std::vector<ExtractedMember> members;
    QString error;
    if (!extractMembers(archive, folder, &members, &error) || !moveIntoPlace(members, folder, &error))
        return fail(archive, error);
    return 0;
}
