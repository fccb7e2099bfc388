#include "launch/UnzipToFolder.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace launch {

QString memberBaseName(const QString& storedName)
{
    const qsizetype cut = std::max(storedName.lastIndexOf(QLatin1Char('/')), storedName.lastIndexOf(QLatin1Char('\\')));
    QString base = storedName.mid(cut + 1);
    if (base == QStringLiteral(".") || base == QStringLiteral(".."))
        return {};
    return base;
}

namespace {

struct ArchiveDeleter
{
    void operator()(archive* a) const { archive_read_free(a); }
};

QString entryName(archive_entry* entry)
{
    if (const char* utf8 = archive_entry_pathname_utf8(entry))
        return QString::fromUtf8(utf8);
    if (const char* raw = archive_entry_pathname(entry))
        return QString::fromLatin1(raw); // names from old DOS zips: byte for byte
    return {};
}

// An existing file of the same name in another letter case is the one to overwrite.
QString targetPath(const QDir& dir, const QString& base)
{
    for (const QString& existing : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (existing.compare(base, Qt::CaseInsensitive) == 0)
            return dir.filePath(existing);
    }
    return dir.filePath(base);
}

} // namespace

UnzipResult UnzipToFolder(const QString& folder, const QString& zipPath)
{
    UnzipResult result;
    auto fail = [&result](const QString& error) {
        result.failed = true;
        result.error = error;
        return result;
    };
    const QDir dir(folder);
    if (!dir.exists())
        return fail(QStringLiteral("no folder %1").arg(folder));

    std::unique_ptr<archive, ArchiveDeleter> a(archive_read_new());
    archive_read_support_format_zip(a.get());
    const QByteArray path = QFile::encodeName(zipPath);
    if (archive_read_open_filename(a.get(), path.constData(), 64 * 1024) != ARCHIVE_OK)
        return fail(QString::fromLocal8Bit(archive_error_string(a.get())));

    qint64 total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int r = archive_read_next_header(a.get(), &entry);
        if (r == ARCHIVE_EOF)
            break;
        if (r != ARCHIVE_OK) // a warning is a damaged archive too
            return fail(QString::fromLocal8Bit(archive_error_string(a.get())));
        const QString base = memberBaseName(entryName(entry));
        if (archive_entry_filetype(entry) != AE_IFREG || base.isEmpty()) {
            archive_read_data_skip(a.get());
            continue;
        }
        QSaveFile out(targetPath(dir, base));
        if (!out.open(QIODevice::WriteOnly))
            return fail(QStringLiteral("cannot write %1").arg(base));
        char buffer[64 * 1024];
        qint64 written = 0;
        for (;;) {
            const la_ssize_t n = archive_read_data(a.get(), buffer, sizeof buffer);
            if (n == 0)
                break;
            if (n < 0) {
                out.cancelWriting();
                return fail(QString::fromLocal8Bit(archive_error_string(a.get())));
            }
            written += n;
            total += n;
            if (written > kUnzipMemberLimit || total > kUnzipTotalLimit) {
                out.cancelWriting();
                return fail(QStringLiteral("%1 is too large for a C64 game").arg(base));
            }
            if (out.write(buffer, n) != n) {
                out.cancelWriting();
                return fail(QStringLiteral("cannot write %1").arg(base));
            }
        }
        if (!out.commit())
            return fail(QStringLiteral("cannot write %1").arg(base));
        ++result.filesWritten;
    }
    return result;
}

} // namespace launch
