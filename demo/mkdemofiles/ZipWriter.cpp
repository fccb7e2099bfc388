#include "ZipWriter.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace demofiles {

namespace {

la_ssize_t appendToBuffer(archive*, void* buffer, const void* data, size_t length)
{
    static_cast<QByteArray*>(buffer)->append(static_cast<const char*>(data), static_cast<qsizetype>(length));
    return static_cast<la_ssize_t>(length);
}

struct ArchiveFree
{
    void operator()(archive* a) const { archive_write_free(a); }
};

struct EntryFree
{
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

} // namespace

std::optional<QByteArray> buildZipArchive(const QList<ZipMember>& members, const QDateTime& modified, QString* error)
{
    QByteArray out;
    std::unique_ptr<archive, ArchiveFree> a(archive_write_new());
    auto fail = [&a, error](const QString& what) -> std::optional<QByteArray> {
        if (error) {
            const char* why = a ? archive_error_string(a.get()) : nullptr;
            *error = why ? QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(why)) : what;
        }
        return std::nullopt;
    };
    if (!a)
        return fail(QStringLiteral("cannot start a ZIP archive"));
    // No block padding after the central directory.
    if (archive_write_set_format_zip(a.get()) != ARCHIVE_OK ||
        archive_write_set_bytes_per_block(a.get(), 0) != ARCHIVE_OK ||
        archive_write_open(a.get(), &out, nullptr, appendToBuffer, nullptr) != ARCHIVE_OK)
        return fail(QStringLiteral("cannot start a ZIP archive"));
    for (const ZipMember& m : members) {
        std::unique_ptr<archive_entry, EntryFree> e(archive_entry_new());
        const QByteArray name = m.name.toUtf8();
        archive_entry_set_pathname(e.get(), name.constData());
        archive_entry_set_filetype(e.get(), AE_IFREG);
        archive_entry_set_perm(e.get(), 0644);
        archive_entry_set_size(e.get(), m.data.size());
        archive_entry_set_mtime(e.get(), modified.toSecsSinceEpoch(), 0);
        if (archive_write_header(a.get(), e.get()) != ARCHIVE_OK ||
            archive_write_data(a.get(), m.data.constData(), size_t(m.data.size())) != m.data.size())
            return fail(QStringLiteral("cannot add %1").arg(m.name));
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK)
        return fail(QStringLiteral("cannot finish the ZIP archive"));
    return out;
}

} // namespace demofiles
