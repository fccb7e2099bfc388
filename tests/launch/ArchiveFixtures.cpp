#include "ArchiveFixtures.h"

#include "ProcessRunner.h"
#include "TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <archive.h>
#include <archive_entry.h>

namespace testsupport {

bool writeZipWithNames(const QString& zipPath, const QList<QPair<QString, QByteArray>>& members)
{
    archive* a = archive_write_new();
    archive_write_set_format_zip(a);
    if (archive_write_open_filename(a, QFile::encodeName(zipPath).constData()) != ARCHIVE_OK) {
        archive_write_free(a);
        return false;
    }
    bool ok = true;
    for (const auto& [name, bytes] : members) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname(e, name.toUtf8().constData());
        archive_entry_set_filetype(e, AE_IFREG);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, bytes.size());
        ok = ok && archive_write_header(a, e) == ARCHIVE_OK &&
             archive_write_data(a, bytes.constData(), size_t(bytes.size())) == bytes.size();
        archive_entry_free(e);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    return ok;
}

bool zipWithTool(const QString& zipPath, const QList<QPair<QString, QByteArray>>& members)
{
    QTemporaryDir scratch;
    QStringList names;
    for (const auto& [name, bytes] : members) {
        if (!writeFile(scratch.filePath(name), bytes))
            return false;
        names << name;
    }
    QFile::remove(zipPath);
    const RunResult r =
        runOracle(QStringLiteral("zip"), QStringList{QStringLiteral("-q"), zipPath} + names, scratch.path());
    return r.exitCode == 0 && QFileInfo::exists(zipPath);
}

QByteArray programBytes(int seed, int size)
{
    QByteArray b("\x01\x08");
    for (int i = 2; i < size; ++i)
        b += char((i * 31 + seed * 17) & 0xff);
    return b;
}

QList<QPair<QString, QByteArray>> membersFrom(const QStringList& lines)
{
    QList<QPair<QString, QByteArray>> members;
    for (const QString& line : lines) {
        const QString name = line.section('=', 0, 0), content = line.contains('=') ? line.section('=', 1) : name;
        members.append({name, content.startsWith("prg:") ? programBytes(content.mid(4).toInt())
                              : content.startsWith('*')  ? QByteArray(content.mid(1).toInt(), '\0')
                                                         : content.toUtf8()});
    }
    return members;
}

} // namespace testsupport
